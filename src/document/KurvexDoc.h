#pragma once
// One open measurement file with its evaluation state: the run, the comparison
// runs, the side-file state, the texts placed on the chart, the excluded ranges
// and the exceedances. The document never writes the measurement file or the
// side file; what changes while it is open lives in memory.

#include <array>
#include <string>
#include <vector>

#include "common/Message.h"
#include "document/Bearbeitungsstand.h"
#include "document/DocumentObserver.h"
#include "document/Fifo.h"
#include "document/OpenInteraction.h"
#include "document/TextRecords.h"
#include "evaluation/BereichOhneErkennung.h"
#include "evaluation/UeberschreitungsDaten.h"
#include "measurement/MessFahrtDaten.h"

namespace kurvex {

inline constexpr const char* kMsgUnexpectedFormat = "Unerwartetes Dateiformat.";
inline constexpr const char* kWaitWindowText = "Moment bitte ...";
inline constexpr int kComparisonSlots = 4;

enum class OpenResult {
    Opened,
    CannotOpenFile,    // missing, no access: the caller names the file
    UnexpectedFormat,  // no reader accepted it: the caller shows kMsgUnexpectedFormat
};

class CKurvexDoc {
public:
    CKurvexDoc();

    // Opens the measurement file at path with its side file (path + ".zi4").
    OpenResult Open(const std::string& path, const CEinstellungen& globalSettings, OpenInteraction& interaction);
    // Writes the text lists back into the state and releases them.
    void DeleteContents();
    // Stores an edited section list and the whole-run statistics over it.
    void ApplySections(const std::string& abschnitte);
    void LoadComparisonRuns();

    const CMessFahrtDaten& Run() const { return m_run; }
    CMessFahrtDaten& Run() { return m_run; }
    // Slot 1..4; an empty run when the slot is not in use.
    const CMessFahrtDaten& ComparisonRun(int slot) const { return m_comparisonRuns.at(static_cast<size_t>(slot - 1)); }
    // The path as the side file stores it (Windows-1252) when slot 1..4 names a
    // run that was not found; empty otherwise.
    const std::string& MissingComparisonPath(int slot) const
    {
        return m_missingComparisonPaths.at(static_cast<size_t>(slot - 1));
    }
    // One line naming every comparison run that was not found (Windows-1252); empty when none.
    std::string MissingComparisonRunsText() const;
    const CBearbeitungsstand& State() const { return m_state; }
    CBearbeitungsstand& State() { return m_state; }
    const CFifo& PickedStations() const { return m_pickedStations; }
    CFifo& PickedStations() { return m_pickedStations; }
    const CUeberschreitungsDaten& Exceedances() const { return m_exceedances; }
    CUeberschreitungsDaten& Exceedances() { return m_exceedances; }
    const std::vector<BEREICHSTEXTDATEN>& RangeTexts() const { return m_rangeTexts; }
    const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ExcludedRanges() const { return m_excludedRanges; }
    std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ExcludedRanges() { return m_excludedRanges; }
    const std::vector<TEXTDATEN>& StarTexts() const { return m_starTexts; }
    const std::vector<TEXTDATEN>& FreeTexts() const { return m_freeTexts; }
    // The lines of the evaluation report, built anew for every evaluation print or preview.
    const std::vector<std::string>& ReportLines() const { return m_reportLines; }
    void SetReportLines(std::vector<std::string> lines) { m_reportLines = std::move(lines); }
    // The file's name and full path, UTF-8 like every path in the core.
    const std::string& FileName() const { return m_fileName; }
    const std::string& FullPath() const { return m_fullPath; }
    // Whether the open found no side file and asked the first-load question.
    bool FreshState() const { return !m_state.FileExisted(); }
    // Whether the side file's KENNUNG matched its texts when it was opened.
    bool ChecksumOk() const { return m_checksumOk; }
    // The messages the open showed, in order.
    const std::vector<UserMessage>& OpenMessages() const { return m_openMessages; }

    // The windows that show the document; they are told of its changes. An
    // observer removes itself before it goes.
    void AddObserver(DocumentObserver* observer);
    void RemoveObserver(DocumentObserver* observer);
    void NotifyChanged(DocumentChange change);

private:
    void Show(OpenInteraction& interaction, MessageIcon icon, const std::string& text);
    void AskFirstLoadAdjustments(OpenInteraction& interaction);
    void ApplyStoredAdjustments();
    void WarnIfIncomplete(OpenInteraction& interaction);
    void ApplyRange();
    void BuildOrRefreshSections();
    void TestChecksum(OpenInteraction& interaction);
    void BuildStarTexts();
    void LoadTextLists();
    void LoadExceedances();

    CMessFahrtDaten m_run;
    std::array<CMessFahrtDaten, kComparisonSlots> m_comparisonRuns;
    std::array<std::string, kComparisonSlots> m_missingComparisonPaths;
    CBearbeitungsstand m_state;
    CFifo m_pickedStations;
    CUeberschreitungsDaten m_exceedances;
    std::vector<BEREICHSTEXTDATEN> m_rangeTexts;
    std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> m_excludedRanges;
    std::vector<TEXTDATEN> m_starTexts;
    std::vector<TEXTDATEN> m_freeTexts;
    std::vector<std::string> m_reportLines;
    std::string m_fileName;
    std::string m_fullPath;
    std::vector<UserMessage> m_openMessages;
    bool m_checksumOk = true;
    std::vector<DocumentObserver*> m_observers;  // not owned
};

// The file name of a path written with "/" or "\" separators.
std::string FileNameOfPath(const std::string& path);
// The folder of such a path, with its trailing separator; empty when it has none.
std::string FolderOfPath(const std::string& path);

}  // namespace kurvex
