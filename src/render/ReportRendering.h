#pragma once
// The evaluation report of a document onto Qt devices: every page into a PDF
// (A4 portrait, 5 mm margins) or one page into an image. Both build the report
// anew from the document's current evaluation first.

#include "common/Surface.h"

#include <QImage>
#include <QString>

#include <string>

namespace kurvex {

class CKurvexDoc;

inline constexpr double kReportImageDpi = 150.0;

// The printable rectangle of an A4 portrait page with 5 mm margins, in
// logical units with its top-left corner at (0, 0).
Rect A4PortraitPrintable();

// Rebuilds the report lines of the document and answers its page count.
int PrepareReport(CKurvexDoc& doc);

// Every page of the report into a PDF file. False with a message when the
// report has no page or the file cannot be written.
bool WriteReportPdf(CKurvexDoc& doc, const QString& path, const std::string& versionText, QString& error);

// Page n (1-based) as printed: the whole A4 portrait sheet. A null image when
// the report has no such page.
QImage RenderReportPage(CKurvexDoc& doc, int page, const std::string& versionText, double dpi = kReportImageDpi);

}  // namespace kurvex
