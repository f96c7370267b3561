#include "render/ReportRendering.h"

#include "chart/ReportPrint.h"
#include "document/KurvexDoc.h"
#include "evaluation/DocumentReport.h"
#include "evaluation/ReportLayout.h"
#include "render/A4Sheets.h"

namespace kurvex {

Rect A4PortraitPrintable()
{
    return A4Printable(SheetOrientation::Portrait);
}

int PrepareReport(CKurvexDoc& doc) { return RebuildDocumentReport(doc).PageCount(); }

bool WriteReportPdf(CKurvexDoc& doc, const QString& path, const std::string& versionText, QString& error)
{
    const int pageCount = PrepareReport(doc);
    if (pageCount < 1) {
        error = QStringLiteral("Die Auswertung hat keine Seite: der Lauf hat keinen Abschnitt.");
        return false;
    }
    const ReportInputs inputs = ReportInputsOf(doc);
    const Rect printable = A4PortraitPrintable();
    return WriteA4Pdf(
        path, SheetOrientation::Portrait, 1, pageCount,
        [&](Surface& surface, int page) { PrintReportPage(surface, inputs, page, printable, versionText); }, error);
}

QImage RenderReportPage(CKurvexDoc& doc, int page, const std::string& versionText, double dpi)
{
    const int pageCount = PrepareReport(doc);
    if (page < 1 || page > pageCount)
        return QImage();
    const ReportInputs inputs = ReportInputsOf(doc);
    return RenderA4Sheet(SheetOrientation::Portrait, dpi, [&](Surface& surface) {
        PrintReportPage(surface, inputs, page, A4PortraitPrintable(), versionText);
    });
}

}  // namespace kurvex
