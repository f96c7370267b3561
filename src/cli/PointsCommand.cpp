// kurvex-cli points: the window points of a run after the open, one per line, tab-separated:
// station (dm), value (0.1 mm), width (cm), speed (km/h), limit (0.1 mm), hasComment, comment.

#include "cli/CliCommon.h"
#include "cli/DocumentOpen.h"
#include "common/Cp1252.h"
#include "common/Numbers.h"

namespace kurvex::cli {

int RunPoints(const QStringList& arguments)
{
    SingleRunCommandLine commandLine;
    if (!commandLine.Parse(arguments, QStringLiteral("Gibt die Messpunkte des Ausschnitts nach dem Öffnen aus.")))
        return kExitOk;
    const std::unique_ptr<CKurvexDoc> doc = commandLine.OpenRun();
    const CMessFahrtDaten& run = doc->Run();

    std::string out;
    for (int i = 0; i < run.GetCount(); ++i) {
        out += std::to_string(run.GetStation(i));
        out += '\t';
        out += std::to_string(run.GetValue(i));
        out += '\t';
        out += std::to_string(run.GetWidth(i));
        out += '\t';
        if (run.GetSpeed(i) >= 0.0)
            AppendFixed(out, run.GetSpeed(i), 1);
        out += '\t';
        out += std::to_string(run.GetPointLimit(i));
        out += '\t';
        out += run.HasComment(i) ? '1' : '0';
        out += '\t';
        out += Cp1252ToUtf8(run.GetComment(i));
        out += '\n';
        if (out.size() > (1 << 20)) {
            WriteStdout(out);
            out.clear();
        }
    }
    WriteStdout(out);
    return kExitOk;
}

}  // namespace kurvex::cli
