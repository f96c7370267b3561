// Arbitrary bytes as a measurement file: recognition, every reader, and what the
// viewer does next with a run (window, file text, export text).

#include <cstddef>
#include <cstdint>
#include <string>

#include "measurement/MessFahrtDaten.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kurvex::CMessFahrtDaten run;
    run.ReadBytes(std::string(reinterpret_cast<const char*>(data), size));
    run.SetAdjust("100;0");
    run.ApplyAdjustments();
    run.SetRange(run.RangeFrom(), run.RangeTo());
    run.SetCorrection(5);
    for (int i = 0; i < run.GetCount(); ++i)
        (void)run.GetPoint(i);
    (void)run.GetFileText();
    (void)run.BuildExportText(true, ";");
    run.MirrorRun();
    run.SelectWholeRun();
    return 0;
}
