// Arbitrary bytes as the side file of a small, fixed measurement file, through
// the whole open sequence of a document and what the views read from it.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "document/KurvexDoc.h"

namespace {

class SilentInteraction : public kurvex::OpenInteraction {
public:
    void ShowMessage(const kurvex::UserMessage&) override {}
    kurvex::FirstLoadAnswer AskFirstLoadAdjustments(int32_t, int32_t) override { return {}; }
};

void AppendDouble(std::string& out, double x)
{
    char bytes[8];
    std::memcpy(bytes, &x, sizeof bytes);
    out.append(bytes, sizeof bytes);
}

const std::string& MeasurementPath()
{
    static const std::string path = [] {
        const std::string file = "/tmp/kurvex_fuzz_open_" + std::to_string(getpid()) + ".pbs";
        std::string bytes = "PM01BS02\r\nPruefer|P\r\n***\r\n";
        for (int i = 0; i < 60; ++i) {
            AppendDouble(bytes, (i * 37 % 70) / 10.0);
            AppendDouble(bytes, 0.0);
            AppendDouble(bytes, 0.1 + i * 0.001);
            AppendDouble(bytes, i < 30 ? 3.5 : 3.75);
            AppendDouble(bytes, 0.0);
            bytes += i % 9 == 0 ? "Fuge\r\n" : "\r\n";
        }
        bytes += "***\r\n";
        std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = MeasurementPath();
    {
        std::ofstream sideFile(path + ".zi4", std::ios::binary | std::ios::trunc);
        sideFile.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    SilentInteraction interaction;
    kurvex::CKurvexDoc doc;
    if (doc.Open(path, kurvex::CEinstellungen(), interaction) != kurvex::OpenResult::Opened)
        return 0;
    for (int i = 0; i < doc.Exceedances().ExceedanceCount(); ++i) {
        kurvex::UEBERSCHREITUNG record;
        doc.Exceedances().ExceedanceCopy(i, record);
        (void)doc.Exceedances().ChartRemarkFor(record.station);
    }
    (void)doc.Exceedances().ReportLines();
    for (int i = 0; i < doc.State().SectionCount(); ++i)
        (void)doc.State().SectionNumberAt(doc.State().Section(i).von);
    (void)doc.State().SectionMarks(doc.Run().RangeFrom(), doc.Run().RangeTo());
    doc.ApplySections(doc.State().SectionsText());
    doc.DeleteContents();
    return 0;
}
