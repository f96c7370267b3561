#include "shell/DocumentManager.h"

#include "common/ui/QtPath.h"
#include "common/ui/QtText.h"
#include "document/FileNamingInteraction.h"
#include "document/KurvexDoc.h"
#include "document/RememberedAnswers.h"
#include "evaluation/ReportLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace kurvex {

namespace {

// The reason a file cannot be read, in the user's words.
QString UnreadableReason(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return U("Die Datei ist nicht vorhanden.");
    if (info.isDir())
        return U("Der Pfad bezeichnet einen Ordner, keine Datei.");
    if (!info.isReadable())
        return U("Es fehlt die Berechtigung, die Datei zu lesen.");
    return U("Die Datei kann nicht gelesen werden.");
}

std::string NativePathText(const QString& path) { return ToCp1252(QDir::toNativeSeparators(path)); }

}  // namespace

DocumentManager::DocumentManager(const CEinstellungen& globalSettings, const QString& answersFile,
                                 InteractionFactory interaction)
    : m_globalSettings(globalSettings), m_interaction(std::move(interaction)), m_answers(ToCorePath(answersFile))
{
}

QString DocumentManager::CanonicalPath(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

std::shared_ptr<CKurvexDoc> DocumentManager::FindOpen(const QString& path) const
{
    const QString canonical = CanonicalPath(path);
    for (const std::weak_ptr<CKurvexDoc>& known : m_documents) {
        const std::shared_ptr<CKurvexDoc> doc = known.lock();
        if (!doc || doc->FullPath().empty())
            continue;
        if (CanonicalPath(FromCorePath(doc->FullPath())) == canonical)
            return doc;
    }
    return nullptr;
}

std::shared_ptr<CKurvexDoc> DocumentManager::OpenFile(const QString& path)
{
    auto doc = std::make_shared<CKurvexDoc>();
    RememberedAnswers interaction(m_interaction(QFileInfo(path).fileName()), m_answers, doc->Run());
    FileNamingInteraction named(interaction, NativePathText(path));
    const OpenResult result = doc->Open(ToCorePath(path), m_globalSettings, named);
    if (result != OpenResult::Opened) {
        ReportFailedOpen(interaction, result, path);
        return nullptr;
    }
    // Documents gone since are forgotten here.
    m_documents.erase(std::remove_if(m_documents.begin(), m_documents.end(),
                                     [](const std::weak_ptr<CKurvexDoc>& known) { return known.expired(); }),
                      m_documents.end());
    m_documents.push_back(doc);
    return doc;
}

std::shared_ptr<CKurvexDoc> DocumentManager::Open(const QString& path) { return OpenFile(CanonicalPath(path)); }

std::shared_ptr<CKurvexDoc> DocumentManager::Reload(const CKurvexDoc& old, bool keepPickedStations)
{
    if (old.FullPath().empty())
        return nullptr;
    std::shared_ptr<CKurvexDoc> doc = OpenFile(FromCorePath(old.FullPath()));
    if (!doc)
        return nullptr;
    if (keepPickedStations)
        doc->PickedStations() = old.PickedStations();
    // The old document still lives until its windows are gone; it is open no more.
    m_documents.erase(std::remove_if(m_documents.begin(), m_documents.end(),
                                     [&old](const std::weak_ptr<CKurvexDoc>& known) {
                                         const auto alive = known.lock();
                                         return !alive || alive.get() == &old;
                                     }),
                      m_documents.end());
    return doc;
}

void DocumentManager::ForgetFirstLoadAnswer(const CKurvexDoc& doc) { m_answers.Forget(doc.Run().FileFingerprint()); }

void DocumentManager::ReportFailedOpen(OpenInteraction& interaction, OpenResult result, const QString& path)
{
    if (result == OpenResult::CannotOpenFile) {
        interaction.ShowMessage(
            {MessageIcon::Exclamation, ToCp1252(U("Die Datei\n%1\nkann nicht geöffnet werden.\n\n%2")
                                                    .arg(QDir::toNativeSeparators(path), UnreadableReason(path)))});
    } else if (result == OpenResult::UnexpectedFormat) {
        // The text as it always was, the file below it.
        FileNamingInteraction(interaction, NativePathText(path))
            .ShowMessage({MessageIcon::Exclamation, kMsgUnexpectedFormat});
    }
}

// A comparison run the side file names but that was not found is named once,
// in the prompt pane, instead of the chart silently lacking its curve.
QString DocumentManager::OpenNotes(const CKurvexDoc& doc)
{
    QStringList notes;
    if (!doc.State().HasStoredEvaluation())
        notes.append(ToQString(kNoEvaluationText));
    if (const std::string missing = doc.MissingComparisonRunsText(); !missing.empty())
        notes.append(ToQString(missing));
    return notes.join(QStringLiteral("   "));
}

}  // namespace kurvex
