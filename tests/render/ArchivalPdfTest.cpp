// The document information added to the PDF files: a valid incremental update
// whose cross-reference entries point at their objects, texts that survive any
// character, and bytes left alone that are no PDF of Qt's.

#include "render/A4Sheets.h"
#include "render/ArchivalPdf.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace kurvex {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Utf16Hex(const QString& text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes += static_cast<char>(c.unicode() >> 8);
        bytes += static_cast<char>(c.unicode() & 0xFF);
    }
    return '<' + bytes.toHex().toUpper() + '>';
}

TEST(ArchivalPdf, TheUpdateIsAValidCrossReferenceSectionWithTheInformation)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheets.pdf"));
    SheetJob job;
    job.pageCount = 2;
    job.draw = [](Surface& surface, int, const Rect&) { surface.Rectangle(Rect{1000, -1000, 5000, -5000}); };
    job.info.title = QStringLiteral("Lauf (1) <A&B> \u2013 Diagramm");
    job.info.author = QStringLiteral("J. M\u00FCller");
    job.info.subject = QStringLiteral("B 27");
    job.info.creator = QStringLiteral("Kurvex 4.5.49");
    job.info.created = QDateTime(QDate(2026, 12, 11), QTime(3, 4, 5), QTimeZone::utc());
    QString error;
    ASSERT_TRUE(WriteSheetsPdf(path, job, 1, 2, error)) << error.toStdString();
    const QByteArray pdf = ReadAll(path);

    EXPECT_TRUE(pdf.contains("/Title " + Utf16Hex(job.info.title)));
    EXPECT_TRUE(pdf.contains("/Author " + Utf16Hex(job.info.author)));
    EXPECT_TRUE(pdf.contains("/Subject " + Utf16Hex(job.info.subject)));
    EXPECT_TRUE(pdf.contains("/CreationDate (D:20261211030405+00'00')"));
    EXPECT_TRUE(pdf.contains("<xmp:CreateDate>2026-12-11T03:04:05+00:00</xmp:CreateDate>"));
    EXPECT_TRUE(pdf.contains("Lauf (1) &lt;A&amp;B&gt; \xE2\x80\x93 Diagramm</rdf:li>"));
    EXPECT_TRUE(pdf.contains("<pdfaid:part>1</pdfaid:part>"));

    // The last startxref names the update's table; each of its entries the object it lists.
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    ASSERT_GT(startxref, 0);
    const qint64 xref = pdf.mid(startxref + 9).trimmed().split('\n').value(0).toLongLong();
    ASSERT_EQ(pdf.mid(xref, 4), "xref");
    const QString table = QString::fromLatin1(pdf.mid(xref, pdf.indexOf("trailer", xref) - xref));
    static const QRegularExpression subsection(QStringLiteral("^(\\d+) (\\d+)\\n((?:\\d{10} 00000 n \\n)+)"),
                                               QRegularExpression::MultilineOption);
    int entries = 0;
    for (auto it = subsection.globalMatch(table); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        int object = match.captured(1).toInt();
        for (const QString& line : match.captured(3).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const qint64 at = line.left(10).toLongLong();
            EXPECT_TRUE(pdf.mid(at).startsWith(QByteArray::number(object) + " 0 obj")) << object;
            ++object;
            ++entries;
        }
    }
    EXPECT_EQ(entries, 3);  // catalogue, information, metadata
    EXPECT_TRUE(pdf.mid(xref).contains("/Prev "));
}

// A PDF printed into a file is updated after it was written; one updated twice
// finds its catalogue through the last update's table.
TEST(ArchivalPdf, AnUpdatedFileTakesAnotherUpdate)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("twice.pdf"));
    SheetJob job;
    job.pageCount = 1;
    job.draw = [](Surface&, int, const Rect&) {};
    QString error;
    ASSERT_TRUE(WriteSheetsPdf(path, job, 1, 1, error)) << error.toStdString();
    PdfDocumentInfo second;
    second.title = QStringLiteral("Zweiter Titel");
    ASSERT_TRUE(AddPdfDocumentInfoToFile(path, second));
    const QByteArray pdf = ReadAll(path);
    EXPECT_TRUE(pdf.endsWith("%%EOF\n"));
    const qsizetype lastInfo = pdf.lastIndexOf("/Title ");
    EXPECT_EQ(pdf.mid(lastInfo, 7 + Utf16Hex(second.title).size()), "/Title " + Utf16Hex(second.title));
    EXPECT_EQ(pdf.count("/Type /Metadata"), 3);  // Qt's packet and the two of the updates
}

TEST(ArchivalPdf, BytesOfAnotherFormAreLeftAlone)
{
    PdfDocumentInfo info;
    info.title = QStringLiteral("x");
    for (const QByteArray& bytes : {QByteArray("not a pdf"), QByteArray("%PDF-1.4\ntrailer\n<< /Size 3 >>\nstartxref\n9\n"),
                                    QByteArray("%PDF-1.4\ntrailer\n<< /Size 3 /Root 1 0 R >>\nstartxref\n9\n%%EOF")}) {
        QByteArray pdf = bytes;
        EXPECT_FALSE(AddPdfDocumentInfo(pdf, info)) << bytes.toStdString();
        EXPECT_EQ(pdf, bytes);
    }
}

}  // namespace
}  // namespace kurvex
