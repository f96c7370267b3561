#include "chart/ChartLegend.h"

#include "chart/ChartPainter.h"
#include "chart/ChartReadout.h"
#include "common/Cp1252.h"
#include "common/Numbers.h"
#include "document/KurvexDoc.h"

#include <cmath>

namespace kurvex {

namespace {

inline constexpr Color kMissingGrey{110, 110, 110};

LegendLine CurveLine(const CKurvexDoc& doc, int slot, std::string text)
{
    const CEinstellungen& settings = doc.State().Settings();
    LegendLine line;
    line.text = std::move(text);
    line.curve = true;
    line.colour = Color::FromColorRef(static_cast<uint32_t>(settings.Colour(CurvePen(slot))));
    line.lineWidth = settings.LineWidth(CurvePen(slot));
    return line;
}

}  // namespace

std::vector<LegendLine> ChartLegendLines(const CKurvexDoc& doc)
{
    std::vector<LegendLine> lines;
    if (doc.FileName().empty())
        return lines;
    lines.push_back(CurveLine(doc, 0, doc.FileName()));
    for (int slot = 1; slot <= kComparisonSlots; ++slot) {
        const CMessFahrtDaten& run = doc.ComparisonRun(slot);
        const std::string number = "Vergleichsfahrt " + FormatInt(slot);
        if (run.IsLoaded()) {
            // The offset as the curve is shifted: whole decimetres, truncated.
            const int32_t shift = ClampToInt32(std::trunc(run.ComparisonOffset() * 10.0));
            lines.push_back(CurveLine(
                doc, slot,
                number + ": " + FileNameOfPath(run.FilePath()) + ", Versatz " + TenthsCommaText(shift) + " m"));
        } else if (const std::string& missing = doc.MissingComparisonPath(slot); !missing.empty()) {
            LegendLine line;
            line.text = number + " nicht gefunden: " + Cp1252ToUtf8(FileNameOfPath(missing));
            line.colour = kMissingGrey;
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

}  // namespace kurvex
