// Up to four earlier runs of the same road, drawn over the main run.

#include <algorithm>

#include "common/Cp1252.h"
#include "common/FileAccess.h"
#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/KurvexDoc.h"

namespace kurvex {

namespace {

std::string SlotKey(const char* prefix, int slot)
{
    return prefix + FormatInt(slot);
}

// Side files written on Windows hold paths such as D:\Messungen\Prüfung.pbs in
// Windows-1252. Tried in turn: the path as stored, the path with "\" as the
// folder separator, and the same file name in the folder of the main
// measurement file; each as stored and with its text converted to UTF-8 (the
// names a Linux file system holds). Where none exists exactly, a file whose
// name differs only in case is taken when it is the only one.
std::vector<std::string> ComparisonPathCandidates(const std::string& stored, const std::string& mainPath)
{
    const std::string converted = Cp1252ToUtf8(stored);
    std::vector<std::string> candidates;
    const auto add = [&candidates](std::string path) {
        if (!path.empty() && std::find(candidates.begin(), candidates.end(), path) == candidates.end())
            candidates.push_back(std::move(path));
    };
    for (const std::string& text : {stored, converted})
        add(text);
    for (std::string text : {stored, converted}) {
        ReplaceChar(text, '\\', '/');
        add(std::move(text));
    }
    for (const std::string& text : {stored, converted})
        add(FolderOfPath(mainPath) + FileNameOfPath(text));
    return candidates;
}

}  // namespace

void CKurvexDoc::LoadComparisonRuns()
{
    const bool mainMirrored = m_state.IsMirrored();
    for (int slot = 1; slot <= kComparisonSlots; ++slot) {
        CMessFahrtDaten& run = m_comparisonRuns[static_cast<size_t>(slot - 1)];
        std::string& missing = m_missingComparisonPaths[static_cast<size_t>(slot - 1)];
        run = CMessFahrtDaten();
        missing.clear();
        const std::string storedPath = m_state.GetText(SlotKey("VGL_PATH_", slot), "");
        run.SetComparisonOffset(ParseNumber(m_state.GetText(SlotKey("VGL_OFF_", slot), "0")));
        const bool mirror = m_state.GetText(SlotKey("VGL_MIRROR_", slot), "0") == "1";
        if (storedPath.empty())
            continue;
        const FoundFile found = FindFile(ComparisonPathCandidates(storedPath, m_run.FilePath()));
        if (found.path.empty())
            missing = storedPath;
        if (found.path.empty() || !run.LoadFromFile(found.path) || !run.IsLoaded()) {
            const double offset = run.ComparisonOffset();
            run = CMessFahrtDaten();
            run.SetComparisonOffset(offset);
            continue;
        }
        // The comparison run is re-based like the main run; a run recorded in the
        // other direction is turned round first.
        run.SetAdjust(m_state.KilometreAdjustment());
        if (mirror != mainMirrored) {
            run.MirrorRun();
            run.SetReverseOrder(!mirror);
        } else {
            run.SetReverseOrder(mirror);
        }
        run.ApplyAdjustments();
        run.SelectWholeRun();
    }
}

std::string CKurvexDoc::MissingComparisonRunsText() const
{
    std::vector<int> slots;
    for (int slot = 1; slot <= kComparisonSlots; ++slot) {
        if (!MissingComparisonPath(slot).empty())
            slots.push_back(slot);
    }
    if (slots.empty())
        return {};
    if (slots.size() == 1)
        return "Vergleichsfahrt " + FormatInt(slots.front()) + " nicht gefunden: " + MissingComparisonPath(slots.front());
    std::string text = "Vergleichsfahrten nicht gefunden:";
    for (const int slot : slots)
        text += (slot == slots.front() ? " " : "; ") + FormatInt(slot) + ": " + MissingComparisonPath(slot);
    return text;
}

}  // namespace kurvex
