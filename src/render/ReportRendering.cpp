#include "render/ReportRendering.h"

#include "chart/ReportPrint.h"
#include "document/KurvexDoc.h"
#include "evaluation/DocumentReport.h"
#include "evaluation/ReportLayout.h"
#include "render/QtSurface.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {

constexpr double kUnitsPerInch = 2540.0;
constexpr int kUnitsPerMm = 100;
constexpr int kA4LongMm = 297;
constexpr int kA4ShortMm = 210;
constexpr int kMarginMm = 5;
constexpr int kPdfResolution = 600;

int UnitsToPixels(int units, double dpi) { return static_cast<int>(std::lround(units / kUnitsPerInch * dpi)); }

}  // namespace

Rect A4PortraitPrintable()
{
    const int width = (kA4ShortMm - 2 * kMarginMm) * kUnitsPerMm;
    const int height = (kA4LongMm - 2 * kMarginMm) * kUnitsPerMm;
    return Rect{0, 0, width, -height};
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

    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("Kurvex"));
    writer.setTitle(QFileInfo(path).completeBaseName());
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(path);
        return false;
    }
    const Rect printable = A4PortraitPrintable();
    for (int page = 1; page <= pageCount; ++page) {
        if (page > 1)
            writer.newPage();
        QtSurface surface(painter, writer.resolution(), writer.resolution());
        PrintReportPage(surface, inputs, page, printable, versionText);
    }
    painter.end();
    return true;
}

QImage RenderReportPage(CKurvexDoc& doc, int page, const std::string& versionText, double dpi)
{
    const int pageCount = PrepareReport(doc);
    if (page < 1 || page > pageCount)
        return QImage();
    const ReportInputs inputs = ReportInputsOf(doc);
    QImage image(UnitsToPixels(kA4ShortMm * kUnitsPerMm, dpi), UnitsToPixels(kA4LongMm * kUnitsPerMm, dpi),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    {
        // The sheet's corner lies one margin left of and above the printable area's.
        const int margin = kMarginMm * kUnitsPerMm;
        QtSurface surface(painter, dpi, dpi, Point{-margin, margin});
        PrintReportPage(surface, inputs, page, A4PortraitPrintable(), versionText);
    }
    painter.end();
    return image;
}

}  // namespace kurvex
