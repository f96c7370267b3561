#include "render/ArchivalPdf.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimeZone>

#include "common/Cp1252.h"
#include "common/Version.h"
#include "common/ui/QtPath.h"
#include "document/KurvexDoc.h"
#include "measurement/MessFahrtDaten.h"

namespace kurvex {

namespace {

QString FromCp1252Text(const std::string& text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

// A text string of the information dictionary: UTF-16BE with byte order mark, in hex.
QByteArray PdfText(const QString& text)
{
    QByteArray utf16("\xFE\xFF", 2);
    for (const QChar c : text) {
        utf16 += static_cast<char>(c.unicode() >> 8);
        utf16 += static_cast<char>(c.unicode() & 0xFF);
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

QString XmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QByteArray PdfDate(const QDateTime& time)
{
    const QDateTime utc = time.toUTC();
    return "(D:" + utc.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "+00'00')";
}

QByteArray XmpDate(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() + "+00:00";
}

QByteArray XmpPacket(const PdfDocumentInfo& info, const QString& producer)
{
    QString xmp;
    xmp += QStringLiteral("<?xpacket begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                          "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                          "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n");
    xmp += QStringLiteral("<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                          "<dc:format>application/pdf</dc:format>\n"
                          "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n")
               .arg(XmlEscaped(info.title));
    if (!info.author.isEmpty())
        xmp += QStringLiteral("<dc:creator><rdf:Seq><rdf:li>%1</rdf:li></rdf:Seq></dc:creator>\n")
                   .arg(XmlEscaped(info.author));
    if (!info.subject.isEmpty())
        xmp += QStringLiteral(
                   "<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:description>\n")
                   .arg(XmlEscaped(info.subject));
    xmp += QStringLiteral("</rdf:Description>\n");
    xmp += QStringLiteral("<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
                          "<xmp:CreatorTool>%1</xmp:CreatorTool>\n"
                          "<xmp:CreateDate>%2</xmp:CreateDate>\n"
                          "</rdf:Description>\n")
               .arg(XmlEscaped(info.creator), QString::fromLatin1(XmpDate(info.created)));
    xmp += QStringLiteral("<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
                          "<pdf:Producer>%1</pdf:Producer>\n"
                          "</rdf:Description>\n")
               .arg(XmlEscaped(producer));
    xmp += QStringLiteral("<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
                          "<pdfaid:part>1</pdfaid:part>\n"
                          "<pdfaid:conformance>B</pdfaid:conformance>\n"
                          "</rdf:Description>\n"
                          "</rdf:RDF>\n"
                          "</x:xmpmeta>\n"
                          "<?xpacket end=\"w\"?>");
    return xmp.toUtf8();
}

// The text after the last "trailer" up to its end.
struct Trailer {
    int size = 0;
    int root = 0;
    QByteArray id;
    qint64 startXref = -1;
};

bool ReadTrailer(const QByteArray& pdf, Trailer& trailer)
{
    const qsizetype at = pdf.lastIndexOf("trailer");
    const qsizetype start = pdf.lastIndexOf("startxref");
    if (at < 0 || start < at)
        return false;
    const QString text = QString::fromLatin1(pdf.mid(at, start - at));
    static const QRegularExpression size(QStringLiteral("/Size\\s+(\\d+)"));
    static const QRegularExpression root(QStringLiteral("/Root\\s+(\\d+)\\s+0\\s+R"));
    static const QRegularExpression id(QStringLiteral("/ID\\s*(\\[[^\\]]*\\])"));
    const auto sizeMatch = size.match(text);
    const auto rootMatch = root.match(text);
    if (!sizeMatch.hasMatch() || !rootMatch.hasMatch())
        return false;
    trailer.size = sizeMatch.captured(1).toInt();
    trailer.root = rootMatch.captured(1).toInt();
    if (const auto idMatch = id.match(text); idMatch.hasMatch())
        trailer.id = idMatch.captured(1).toLatin1();
    bool ok = false;
    trailer.startXref = pdf.mid(start + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    return ok && trailer.startXref > 0;
}

// Where object `number` begins, from the classic cross-reference table at
// `xref` ("xref", subsections "first count", entries of 20 bytes); -1 when absent.
qint64 ObjectOffset(const QByteArray& pdf, qint64 xref, int number)
{
    if (xref < 0 || xref >= pdf.size() || !pdf.mid(xref, 4).startsWith("xref"))
        return -1;
    qsizetype at = pdf.indexOf('\n', xref) + 1;
    while (at > 0 && at < pdf.size()) {
        const qsizetype end = pdf.indexOf('\n', at);
        if (end < 0)
            return -1;
        const QList<QByteArray> head = pdf.mid(at, end - at).trimmed().split(' ');
        bool firstOk = false;
        bool countOk = false;
        const int first = head.value(0).toInt(&firstOk);
        const int count = head.size() == 2 ? head.value(1).toInt(&countOk) : 0;
        if (!firstOk || !countOk)
            return -1;  // "trailer" or something else: not listed
        constexpr int kEntryBytes = 20;
        if (number >= first && number < first + count) {
            bool ok = false;
            const qint64 offset = pdf.mid(end + 1 + qsizetype{number - first} * kEntryBytes, 10).toLongLong(&ok);
            return ok && offset > 0 && offset < pdf.size() ? offset : -1;
        }
        at = end + 1 + qsizetype{count} * kEntryBytes;
    }
    return -1;
}

// The dictionary of object `number` ("<< ... >>" between "N 0 obj" and "endobj").
QByteArray ObjectDictionary(const QByteArray& pdf, qint64 xref, int number)
{
    const qint64 at = ObjectOffset(pdf, xref, number);
    if (at < 0 || !pdf.mid(at).startsWith(QByteArray::number(number) + " 0 obj"))
        return {};
    const qsizetype end = pdf.indexOf("endobj", at);
    const qsizetype open = pdf.indexOf("<<", at);
    const qsizetype close = pdf.lastIndexOf(">>", end);
    if (end < 0 || open < 0 || open > end || close < open)
        return {};
    return pdf.mid(open + 2, close - open - 2);
}

}  // namespace

PdfDocumentInfo PdfDocumentInfoOf(const CKurvexDoc& doc, PdfContent content)
{
    const std::vector<HeaderEntry> header = LabelledHeaderEntries(doc.State().HeaderData());
    PdfDocumentInfo info;
    const QString fileName = QFileInfo(FromCorePath(doc.Run().FilePath())).fileName();
    info.title = fileName + (content == PdfContent::Chart ? QStringLiteral(" \u2013 Diagramm")
                                                          : QStringLiteral(" \u2013 \u00DCberschreitungsprotokoll"));
    info.author = FromCp1252Text(HeaderValue(header, {"Pr\xFC" "fer", "Pruefer"})).trimmed();
    const QString roadType = FromCp1252Text(HeaderValue(header, {"Str.-Typ"})).trimmed();
    const QString roadNumber = FromCp1252Text(HeaderValue(header, {"Str.-Nr."})).trimmed();
    info.subject = (roadType + QLatin1Char(' ') + roadNumber).trimmed();
    if (info.subject.isEmpty())
        info.subject = FromCp1252Text(HeaderValue(header, {"Strasse", "Stra\xDF" "e"})).trimmed();
    return CompletedPdfDocumentInfo(info, QString());
}

PdfDocumentInfo CompletedPdfDocumentInfo(PdfDocumentInfo info, const QString& path)
{
    if (info.title.isEmpty())
        info.title = QFileInfo(path).completeBaseName();
    if (info.creator.isEmpty())
        info.creator = QStringLiteral("Kurvex ") + QString::fromLatin1(kReleaseText);
    if (!info.created.isValid())
        info.created = QDateTime::currentDateTimeUtc();
    return info;
}

bool AddPdfDocumentInfo(QByteArray& pdf, const PdfDocumentInfo& info)
{
    Trailer trailer;
    if (!ReadTrailer(pdf, trailer))
        return false;
    QByteArray catalog = ObjectDictionary(pdf, trailer.startXref, trailer.root);
    if (catalog.isEmpty())
        return false;
    const int infoObject = trailer.size;
    const int metadataObject = trailer.size + 1;
    static const QRegularExpression metadataRef(QStringLiteral("/Metadata\\s+\\d+\\s+\\d+\\s+R"));
    QString catalogText = QString::fromLatin1(catalog);
    catalogText.remove(metadataRef);
    catalog = catalogText.toLatin1().trimmed() + "\n/Metadata " + QByteArray::number(metadataObject) + " 0 R";

    const QString producer = QStringLiteral("Qt ") + QString::fromLatin1(qVersion());
    QByteArray update;
    if (!pdf.endsWith('\n'))
        update += '\n';
    const auto offset = [&]() { return static_cast<qint64>(pdf.size() + update.size()); };

    const qint64 infoOffset = offset();
    update += QByteArray::number(infoObject) + " 0 obj\n<<\n/Title " + PdfText(info.title) + "\n";
    if (!info.author.isEmpty())
        update += "/Author " + PdfText(info.author) + "\n";
    if (!info.subject.isEmpty())
        update += "/Subject " + PdfText(info.subject) + "\n";
    update += "/Creator " + PdfText(info.creator) + "\n/Producer " + PdfText(producer) + "\n/CreationDate " +
              PdfDate(info.created) + "\n>>\nendobj\n";

    const QByteArray xmp = XmpPacket(info, producer);
    const qint64 metadataOffset = offset();
    update += QByteArray::number(metadataObject) + " 0 obj\n<<\n/Type /Metadata\n/Subtype /XML\n/Length " +
              QByteArray::number(xmp.size()) + "\n>>\nstream\n" + xmp + "\nendstream\nendobj\n";

    const qint64 catalogOffset = offset();
    update += QByteArray::number(trailer.root) + " 0 obj\n<<\n" + catalog + "\n>>\nendobj\n";

    const qint64 xrefOffset = offset();
    const auto entry = [](qint64 at) { return QByteArray::number(at).rightJustified(10, '0') + " 00000 n \n"; };
    update += "xref\n" + QByteArray::number(trailer.root) + " 1\n" + entry(catalogOffset) +
              QByteArray::number(infoObject) + " 2\n" + entry(infoOffset) + entry(metadataOffset);
    update += "trailer\n<<\n/Size " + QByteArray::number(metadataObject + 1) + "\n/Root " +
              QByteArray::number(trailer.root) + " 0 R\n/Info " + QByteArray::number(infoObject) + " 0 R\n/Prev " +
              QByteArray::number(trailer.startXref) + "\n";
    if (!trailer.id.isEmpty())
        update += "/ID " + trailer.id + "\n";
    update += ">>\nstartxref\n" + QByteArray::number(xrefOffset) + "\n%%EOF\n";
    pdf += update;
    return true;
}

bool AddPdfDocumentInfoToFile(const QString& path, const PdfDocumentInfo& info)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QByteArray pdf = in.readAll();
    in.close();
    if (!AddPdfDocumentInfo(pdf, CompletedPdfDocumentInfo(info, path)))
        return false;
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(pdf) == pdf.size() && out.commit();
}

}  // namespace kurvex
