#pragma once
// The PDF files Kurvex writes are archival PDF (PDF/A-1b): Qt writes the pages
// in its PDF/A mode, and the document information a filed evaluation needs
// (title, author, subject, creator, creation date) is added afterwards as an
// incremental update: a new information dictionary, an XMP packet that states
// the same and names PDF/A-1b, and the catalogue pointing at it. Qt itself
// cannot set an author or a subject.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kurvex {

class CKurvexDoc;

struct PdfDocumentInfo {
    QString title;
    QString author;   // empty: none
    QString subject;  // empty: none
    QString creator;
    QDateTime created;
};

enum class PdfContent { Chart, Report };

// Title "<file name> – Diagramm" or "<file name> – Überschreitungsprotokoll", the
// inspector from the header data as author, road type and number as subject,
// creator "Kurvex <release>", created now.
PdfDocumentInfo PdfDocumentInfoOf(const CKurvexDoc& doc, PdfContent content);

// The information with what is missing filled in: the file's base name as
// title, now as creation date.
PdfDocumentInfo CompletedPdfDocumentInfo(PdfDocumentInfo info, const QString& path);

// Appends the update to a PDF as Qt writes it; false, the bytes unchanged, when
// the file does not have the form expected (no classic cross-reference table,
// no catalogue).
bool AddPdfDocumentInfo(QByteArray& pdf, const PdfDocumentInfo& info);
// The same on a PDF file written by a printer, the information completed for it.
bool AddPdfDocumentInfoToFile(const QString& path, const PdfDocumentInfo& info);

}  // namespace kurvex
