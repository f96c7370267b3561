#include "render/ReportRendering.h"

#include "chart/ReportPrint.h"
#include "document/KurvexDoc.h"
#include "evaluation/DocumentReport.h"

#include <memory>

namespace kurvex {

Rect A4PortraitPrintable()
{
    return A4Printable(SheetOrientation::Portrait);
}

int PrepareReport(CKurvexDoc& doc) { return RebuildDocumentReport(doc).PageCount(); }

SheetJob ReportPrintJob(ReportInputs inputs, const std::string& versionText)
{
    SheetJob job;
    job.orientation = SheetOrientation::Portrait;
    job.pageCount = ReportPageCount(inputs.lines);
    // Shared, since a job is copied into preview callbacks that repaint later.
    auto shared = std::make_shared<const ReportInputs>(std::move(inputs));
    job.draw = [shared, versionText](Surface& surface, int page, const Rect& printable) {
        PrintReportPage(surface, *shared, page, printable, versionText);
    };
    return job;
}

SheetJob ReportPrintJob(const CKurvexDoc& doc, const std::string& versionText)
{
    SheetJob job = ReportPrintJob(ReportInputsOf(doc), versionText);
    job.info = PdfDocumentInfoOf(doc, PdfContent::Report);
    return job;
}

bool WriteReportPdf(CKurvexDoc& doc, const QString& path, const std::string& versionText, QString& error)
{
    const int pageCount = PrepareReport(doc);
    if (pageCount < 1) {
        error = QStringLiteral("Die Auswertung hat keine Seite: der Lauf hat keinen Abschnitt.");
        return false;
    }
    return WriteSheetsPdf(path, ReportPrintJob(doc, versionText), 1, pageCount, error);
}

QImage RenderReportPage(CKurvexDoc& doc, int page, const std::string& versionText, double dpi)
{
    const int pageCount = PrepareReport(doc);
    if (page < 1 || page > pageCount)
        return QImage();
    return RenderSheet(ReportPrintJob(doc, versionText), page, dpi);
}

}  // namespace kurvex
