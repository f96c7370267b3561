#include "document/KurvexDoc.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "common/Cp1252.h"
#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/SideFileKeys.h"

namespace kurvex {

namespace {

constexpr int kPickedStationCapacity = 2;

std::string IncompleteRunText(int32_t start, int32_t end)
{
    return "Achtung!\n\nDie Messreihe ist eventuell unvollst\xE4ndig bzw. wurde abgebrochen.\n"
           "Es stehen  " + FormatFixed(std::fabs(static_cast<double>(end) - start) / 10.0, 1)
           + " m  Messwerte zur Verf\xFCgung, von Station  " + FormatFixed(start / 10.0, 1) + "  bis  "
           + FormatFixed(end / 10.0, 1) + ".";
}

std::string InconsistentSideFileText(const std::string& sideFilePath)
{
    return "Fehler die Datei:\r\n  " + Utf8ToCp1252(sideFilePath) + " enth\xE4lt inkonsistente Daten.";
}

}  // namespace

std::string FileNameOfPath(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string FolderOfPath(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

CKurvexDoc::CKurvexDoc()
{
    m_pickedStations.SetCapacity(kPickedStationCapacity);
}

namespace {

// Rough shares of an open's time: reading the run dominates.
constexpr int kProgressSideFileRead = 5;
constexpr int kProgressRunRead = 60;
constexpr int kProgressRunPrepared = 75;
constexpr int kProgressComparisonRunsRead = 90;

}  // namespace

OpenResult CKurvexDoc::Open(const std::string& path, const CEinstellungen& globalSettings, OpenInteraction& interaction)
{
    m_openMessages.clear();
    interaction.ShowWaitWindow();
    m_state.LoadState(path + kSideFileExtension, globalSettings);
    interaction.ShowProgress(kProgressSideFileRead);

    if (!m_run.LoadFromFile(path)) {
        interaction.CloseWaitWindow();
        return OpenResult::CannotOpenFile;
    }
    for (const UserMessage& message : m_run.ReadMessages())
        Show(interaction, message.icon, message.text);
    if (!m_run.IsLoaded()) {
        interaction.CloseWaitWindow();
        return OpenResult::UnexpectedFormat;
    }

    interaction.ShowProgress(kProgressRunRead);
    if (FreshState())
        AskFirstLoadAdjustments(interaction);
    ApplyStoredAdjustments();
    WarnIfIncomplete(interaction);
    ApplyRange();
    BuildOrRefreshSections();
    m_run.ShiftStations(m_state.DecimetreOffset());
    if (m_state.HeaderData().empty() && !m_run.HeaderText().empty())
        m_state.SetHeaderData(m_run.HeaderText());
    m_run.SetCorrection(m_state.CalibrationValue());
    interaction.ShowProgress(kProgressRunPrepared);
    TestChecksum(interaction);
    LoadComparisonRuns();
    interaction.ShowProgress(kProgressComparisonRunsRead);
    BuildStarTexts();
    LoadTextLists();
    m_fullPath = path;
    m_fileName = FileNameOfPath(path);
    LoadExceedances();
    interaction.ShowProgress(100);
    interaction.CloseWaitWindow();
    return OpenResult::Opened;
}

void CKurvexDoc::AddObserver(DocumentObserver* observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CKurvexDoc::RemoveObserver(DocumentObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CKurvexDoc::NotifyChanged(DocumentChange change)
{
    // A copy: an observer may come or go while it is told.
    const std::vector<DocumentObserver*> observers = m_observers;
    for (DocumentObserver* observer : observers) {
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end())
            observer->DocumentChanged(change);
    }
}

void CKurvexDoc::Show(OpenInteraction& interaction, MessageIcon icon, const std::string& text)
{
    const UserMessage message{icon, text};
    m_openMessages.push_back(message);
    interaction.ShowMessage(message);
}

void CKurvexDoc::AskFirstLoadAdjustments(OpenInteraction& interaction)
{
    // The stations as the file has them. The PM01BS02 reader leaves the range to
    // the adjustments, so it is taken here; the adjustments set it again below.
    m_run.ResetRange();
    const FirstLoadAnswer answer = interaction.AskFirstLoadAdjustments(m_run.RangeFrom(), m_run.RangeTo());
    if (answer.mirror)
        m_state.SetMirrored(true);
    if (!answer.kilometreAdjustment.empty())
        m_state.SetKilometreAdjustment(answer.kilometreAdjustment);
}

void CKurvexDoc::ApplyStoredAdjustments()
{
    m_run.SetReverseOrder(m_state.IsMirrored());
    m_run.SetAdjust(m_state.KilometreAdjustment());
    m_run.ApplyAdjustments();
}

void CKurvexDoc::WarnIfIncomplete(OpenInteraction& interaction)
{
    if (FreshState() && m_run.IsIncomplete())
        Show(interaction, MessageIcon::Exclamation, IncompleteRunText(m_run.RangeFrom(), m_run.RangeTo()));
}

void CKurvexDoc::ApplyRange()
{
    int32_t start = m_state.RangeStart();
    int32_t end = m_state.RangeEnd();
    if (start == -1 && end == -1) {
        start = m_run.RangeFrom();
        end = m_run.RangeTo();
        m_state.SetRange(start, end);
    }
    // Ranges stored by older versions end on the last point itself; the run's
    // range reaches one decimetre beyond it so that the last point belongs to it.
    if (start < end && static_cast<int64_t>(end) == static_cast<int64_t>(m_run.RangeTo()) - 1) {
        end = m_run.RangeTo();
        m_state.SetRange(start, end);
    } else if (start >= end && static_cast<int64_t>(start) == static_cast<int64_t>(m_run.RangeFrom()) - 1) {
        start = m_run.RangeFrom();
        m_state.SetRange(start, end);
    }
    m_run.SetRange(start, end);
}

void CKurvexDoc::BuildOrRefreshSections()
{
    AbschnittListe sections;
    if (m_state.SectionsText().empty()) {
        Abschnitt wholeRun;
        m_run.BuildSections(wholeRun, sections);
        sections.ApplyDefaultLimit(m_run.GetLimit());
        m_state.SetSectionsText(sections.Encode());
        m_state.SetRunStatistics(wholeRun);
        return;
    }
    sections.Load(m_state.SectionsText(), m_run.RangeFrom(), m_run.RangeTo());
    m_run.ComputeSectionStatistics(sections.Sections());
    m_state.SetSectionsText(sections.Encode());
}

void CKurvexDoc::TestChecksum(OpenInteraction& interaction)
{
    m_checksumOk = m_state.ChecksumMatches();
    if (m_checksumOk)
        return;
    for (int line = 1; line <= 3; ++line)
        m_state.SetHeading(line, "");
    m_state.SetStarTexts("");
    Show(interaction, MessageIcon::Stop, InconsistentSideFileText(m_state.Path()));
}

void CKurvexDoc::BuildStarTexts()
{
    m_starTexts.clear();
    for (const int i : m_run.CommentedWindowPoints()) {
        TEXTDATEN text;
        std::string comment;
        m_run.GetPointInfo(i, text.station, text.rawStation, comment);
        text.text = comment.empty() ? "(" + FormatFixed(text.station / 10.0, 1) + ")" : comment;
        m_starTexts.push_back(std::move(text));
    }
    // A stored star text replaces the text of the first point at its station.
    std::unordered_map<int32_t, size_t> firstAtStation;
    for (size_t k = m_starTexts.size(); k-- > 0;)
        firstAtStation[m_starTexts[k].station] = k;
    for (const TEXTDATEN& stored : DecodeStationTexts(m_state.StarTexts())) {
        const auto hit = firstAtStation.find(stored.station);
        if (hit == firstAtStation.end())
            continue;
        m_starTexts[hit->second].text = stored.text;
        m_starTexts[hit->second].placement = stored.placement;
    }
}

void CKurvexDoc::LoadTextLists()
{
    m_freeTexts = DecodeStationTexts(m_state.FreeTexts());
    m_rangeTexts = DecodeRangeTexts(m_state.RangeTexts());
    m_excludedRanges = DecodeExcludedRanges(m_state.ExcludedRanges());
}

void CKurvexDoc::LoadExceedances()
{
    m_exceedances.SetAscending(m_run.IsAscending());
    m_exceedances.Load(m_state.ExceedanceData(), m_state.EvaluationParameters(), m_state.RemarkData());
}

void CKurvexDoc::DeleteContents()
{
    std::string stars;
    for (const TEXTDATEN& text : m_starTexts)
        stars += EncodeStationText(text);
    std::string free;
    for (const TEXTDATEN& text : m_freeTexts)
        free += EncodeStationText(text);
    std::string ranges;
    for (const BEREICHSTEXTDATEN& text : m_rangeTexts)
        ranges += EncodeRangeText(text);
    m_state.SetStarTexts(stars);
    m_state.SetFreeTexts(free);
    m_state.SetRangeTexts(ranges);
    m_state.SetExcludedRanges(EncodeExcludedRanges(m_excludedRanges));
    m_starTexts.clear();
    m_freeTexts.clear();
    m_rangeTexts.clear();
}

void CKurvexDoc::ApplySections(const std::string& abschnitte)
{
    m_state.SetSectionsText(abschnitte);
    AbschnittListe sections;
    sections.Load(abschnitte, m_state.RangeStart(), m_state.RangeEnd());
    Abschnitt wholeRun;
    m_run.ComputeRunStatistics(wholeRun, &sections);
    m_state.SetRunStatistics(wholeRun);
    NotifyChanged(DocumentChange::Evaluation);
}

}  // namespace kurvex
