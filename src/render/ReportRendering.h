#pragma once
// The evaluation report of a document onto Qt devices: its pages (A4
// portrait, 5 mm margins) onto a printer, its preview or a PDF file, or one
// page into an image. The report is built anew from the document's current
// evaluation before every print (PrepareReport).

#include "evaluation/ReportLayout.h"
#include "render/A4Sheets.h"

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

// The printed pages of report lines as they stand (the job keeps its own copy).
SheetJob ReportPrintJob(ReportInputs inputs, const std::string& versionText);
// The document's report as last prepared.
SheetJob ReportPrintJob(const CKurvexDoc& doc, const std::string& versionText);

// Every page of the report into a PDF file. False with a message when the
// report has no page or the file cannot be written.
bool WriteReportPdf(CKurvexDoc& doc, const QString& path, const std::string& versionText, QString& error);

// Page n (1-based) as printed: the whole A4 portrait sheet. A null image when
// the report has no such page.
QImage RenderReportPage(CKurvexDoc& doc, int page, const std::string& versionText, double dpi = kReportImageDpi);

}  // namespace kurvex
