// Up to four earlier runs of the same road, drawn over the main run.

#include <fstream>

#include "common/Numbers.h"
#include "common/RegularFile.h"
#include "common/TextHelpers.h"
#include "document/KurvexDoc.h"

namespace kurvex {

namespace {

std::string SlotKey(const char* prefix, int slot)
{
    return prefix + FormatInt(slot);
}

bool CanOpen(const std::string& path)
{
    std::ifstream file;
    return OpenRegularFile(path, file);
}

// Side files written on Windows hold paths such as D:\messungen\a1.dat. Tried in
// turn: the path as stored, the path with "\" as the folder separator, and the
// same file name in the folder of the main measurement file.
std::string ResolveComparisonPath(const std::string& stored, const std::string& mainPath)
{
    if (CanOpen(stored))
        return stored;
    std::string slashed = stored;
    ReplaceChar(slashed, '\\', '/');
    if (CanOpen(slashed))
        return slashed;
    const std::string besideMain = FolderOfPath(mainPath) + FileNameOfPath(stored);
    if (CanOpen(besideMain))
        return besideMain;
    return {};
}

}  // namespace

void CKurvexDoc::LoadComparisonRuns()
{
    const bool mainMirrored = m_state.IsMirrored();
    for (int slot = 1; slot <= kComparisonSlots; ++slot) {
        CMessFahrtDaten& run = m_comparisonRuns[static_cast<size_t>(slot - 1)];
        run = CMessFahrtDaten();
        const std::string storedPath = m_state.GetText(SlotKey("VGL_PATH_", slot), "");
        run.SetComparisonOffset(ParseNumber(m_state.GetText(SlotKey("VGL_OFF_", slot), "0")));
        const bool mirror = m_state.GetText(SlotKey("VGL_MIRROR_", slot), "0") == "1";
        if (storedPath.empty())
            continue;
        const std::string path = ResolveComparisonPath(storedPath, m_run.FilePath());
        if (path.empty() || !run.LoadFromFile(path) || !run.IsLoaded()) {
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

}  // namespace kurvex
