#pragma once
// The evaluation state of one run: the ".zi4" side file in memory. The file is
// read once when the document opens and never written; every change made while
// the document is open lives in the map only.
//
// The map is the authority. The typed reads below look the map up at every
// call; only the length scale, the surface index and the standard maximum are
// taken from it once at load time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/TextHelpers.h"
#include "document/Einstellungen.h"
#include "evaluation/Abschnitt.h"

namespace kurvex {

// The section found at a station, with its position in the section array.
struct SectionHit {
    int index = 0;
    ABSCHNITT section;
};

// Section number (1-based) and lane width that SectionNumberAt answers.
struct SectionNumber {
    int number = 0;
    int32_t breite = 0;
};

class CBearbeitungsstand {
public:
    // Reads the side file at path. Returns true when it existed and was read;
    // otherwise builds a fresh state carrying the global settings and returns false.
    bool LoadState(const std::string& path, const CEinstellungen& globalSettings);
    // Loads the state as if the side file at path held these bytes.
    void LoadStateFromText(const std::string& path, std::string_view content);

    // --- Map access ------------------------------------------------------------
    std::string GetText(const std::string& key, const std::string& defaultValue) const;
    void SetText(const std::string& key, const std::string& value);
    void Remove(const std::string& key);
    const CMapString2String& Map() const { return m_map; }

    // --- Typed reads -----------------------------------------------------------
    std::string ProgramVersion() const;
    std::string HeaderData() const;
    std::string HeaderFooterData() const;
    std::string Heading(int line) const;  // line 1..3
    std::string StarTexts() const;
    std::string FreeTexts() const;
    std::string RangeTexts() const;
    std::string ExcludedRanges() const;
    std::string SectionsText() const;
    std::string ExceedanceData() const;
    std::string EvaluationParameters() const;
    std::string RemarkData() const;
    std::string KilometreAdjustment() const;
    std::string RunStatisticsText() const;
    int32_t DecimetreOffset() const;
    int32_t CalibrationValue() const;
    bool IsMirrored() const;
    int32_t RangeStart() const;
    int32_t RangeEnd() const;
    int SectionCount() const;

    // --- Typed writes ----------------------------------------------------------
    void SetHeaderData(const std::string& text);
    void SetHeading(int line, const std::string& text);  // line 1..3
    void SetStarTexts(const std::string& text);
    void SetFreeTexts(const std::string& text);
    void SetRangeTexts(const std::string& text);
    void SetExcludedRanges(const std::string& text);
    void SetSectionsText(const std::string& text);
    void SetKilometreAdjustment(const std::string& text);
    void SetMirrored(bool mirrored);
    void SetRange(int32_t start, int32_t end);
    // STATGES: mean speed, deviation and VarK of the whole-run record.
    void SetRunStatistics(const Abschnitt& wholeRun);
    void SetLengthScale(int32_t denominator);

    // --- Typed fields ----------------------------------------------------------
    int32_t LengthScale() const { return m_lengthScale; }
    int SurfaceIndex() const { return m_surfaceIndex; }
    std::string SurfaceName() const;
    bool NegativeValuesAsZero() const { return m_settings.NegativeAsZero(); }
    const std::string& EvaluationAttachment() const { return m_settings.EvaluationAttachment(); }
    const std::string& ChartAttachment() const { return m_settings.ChartAttachment(); }
    // 0 TP Eben 2007, 1 TP Eben 2017, 2 RVS 11.06.62.
    int EvaluationStandard() const { return m_evaluationStandard; }
    const std::string& StandardMaximum() const { return m_standardMaximum; }
    const CEinstellungen& Settings() const { return m_settings; }
    CEinstellungen& Settings() { return m_settings; }
    bool FileExisted() const { return m_fileExisted; }
    // Whether the side file holds an evaluation of the run: the exceedance key,
    // even with an empty value (evaluated, nothing found). A run that was never
    // evaluated has no such key, or no side file at all.
    bool HasStoredEvaluation() const;
    const std::string& Path() const { return m_path; }

    // --- Checksum over the headings and star texts -------------------------------
    std::string StateChecksum() const;
    // True for a fresh state; otherwise true when KENNUNG holds the checksum.
    bool ChecksumMatches() const;

    // --- Sections ----------------------------------------------------------------
    // The first section whose closed station interval holds the station.
    std::optional<SectionHit> SectionAt(int32_t station) const;
    // Number and width of the section a station belongs to, from the stored
    // starts; a station at a section start belongs to the section before it.
    // With no section at all the answer is number 0 and width 0.
    SectionNumber SectionNumberAt(int32_t station) const;
    // Section i of the current ABSCHNITTE; a default record for i out of range.
    ABSCHNITT Section(int i) const;
    // The chart's section marks for the station window between a and b.
    std::string SectionMarks(int32_t a, int32_t b) const;

private:
    void ResetForLoad(const std::string& path);
    void ParseContent(std::string_view content);
    void TakeTypedFieldsFromMap();
    void CreateFresh(const CEinstellungen& globalSettings);

    CEinstellungen m_settings;
    int m_evaluationStandard = 1;
    std::string m_standardMaximum = "0.5";
    int32_t m_lengthScale = 400;
    int m_surfaceIndex = 0;
    bool m_fileExisted = false;
    std::string m_path;
    CMapString2String m_map;
    // ABSCHNITTE and MANUVONBIS parsed: the section array and the stored starts
    // and widths. Rebuilt when either key changes, which gives the same answers
    // as parsing at every query.
    struct ParsedSectionList {
        std::vector<ABSCHNITT> sections;
        std::vector<int32_t> storedStarts;
        std::vector<int32_t> widths;
    };
    const ParsedSectionList& Parsed() const;
    mutable ParsedSectionList m_parsed;
    mutable bool m_sectionsCurrent = false;
};

}  // namespace kurvex
