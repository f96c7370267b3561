#pragma once
// The runs the main window has open, as documents: a file opened (or found
// open already), a run read again from disk, and the first-load answers kept
// per file content in the per-user folder. The frame shows what this hands it
// in windows; nothing here is a window.

#include "document/FirstLoadAnswerStore.h"
#include "document/OpenInteraction.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace kurvex {

class CEinstellungen;
class CKurvexDoc;
enum class OpenResult;

class DocumentManager {
public:
    // Who answers an open's messages and questions; fileName names the run
    // in the first-load dialog's caption.
    using InteractionFactory = std::function<std::unique_ptr<OpenInteraction>(const QString& fileName)>;

    // answersFile: where the first-load answers are kept; empty keeps them for the session.
    DocumentManager(const CEinstellungen& globalSettings, const QString& answersFile, InteractionFactory interaction);

    // The open document of a file, the path compared as the file system resolves it; null when none.
    std::shared_ptr<CKurvexDoc> FindOpen(const QString& path) const;
    // Opens the file as a new document; null when it failed (the user has been told why).
    std::shared_ptr<CKurvexDoc> Open(const QString& path);
    // The run of doc read again from disk with its side file, the picked
    // stations carried over; null when that failed (told; doc stays as it was).
    std::shared_ptr<CKurvexDoc> Reload(const CKurvexDoc& doc, bool keepPickedStations = true);
    // The next open of doc's file content asks the first-load question again.
    void ForgetFirstLoadAnswer(const CKurvexDoc& doc);

    // What the chart of a freshly opened run cannot show (no stored
    // evaluation, comparison runs not found), for the status bar.
    static QString OpenNotes(const CKurvexDoc& doc);
    // A path as the file system resolves it (links followed); absolute when it does not exist.
    static QString CanonicalPath(const QString& path);

private:
    std::shared_ptr<CKurvexDoc> OpenFile(const QString& path);
    void ReportFailedOpen(OpenInteraction& interaction, OpenResult result, const QString& path);

    const CEinstellungen& m_globalSettings;
    InteractionFactory m_interaction;
    FirstLoadAnswerStore m_answers;
    std::vector<std::weak_ptr<CKurvexDoc>> m_documents;
};

}  // namespace kurvex
