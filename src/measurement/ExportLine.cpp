#include "measurement/ExportLine.h"

#include "common/Numbers.h"

namespace kurvex {

namespace {

void AppendExportNumber(std::string& out, double x)
{
    const size_t start = out.size();
    AppendFixed(out, x, 6);
    const size_t point = out.find('.', start);
    if (point != std::string::npos)
        out.replace(point, 1, kExportDecimalPlaceholder);
    out += kExportSeparatorPlaceholder;
}

}  // namespace

void AppendExportLine(std::string& out, double valueMm, double stationKm, double widthM, std::string_view comment)
{
    AppendExportNumber(out, valueMm);
    AppendExportNumber(out, stationKm);
    AppendExportNumber(out, widthM);
    out += comment;
}

void AppendViewerLine(std::string& out, const MESSUNG& point)
{
    AppendFixed(out, point.value / 10.0, 2);
    out += ' ';
    AppendFixed(out, point.station / 10000.0, 4);
    out += ' ';
    AppendFixed(out, point.width / 100.0, 2);
    out += ' ';
    out += point.comment;
}

}  // namespace kurvex
