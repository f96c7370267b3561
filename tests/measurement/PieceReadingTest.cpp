// A file is read in pieces of 1 MiB and split as they come. A line may cross
// from one piece into the next anywhere: in a PM01BS02 record's binary part,
// just after a line feed byte inside it, in the middle of an over-long line.
// Reading from a stream must give exactly what reading the same bytes at once
// gives.

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "measurement/MessFahrtDaten.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

constexpr size_t kPiece = size_t{1} << 20;

// A stream that cannot seek, like a pipe: its length is not known in advance.
class PipeBuffer : public std::streambuf {
public:
    explicit PipeBuffer(const std::string& bytes) : m_bytes(bytes)
    {
        char* begin = m_bytes.data();
        setg(begin, begin, begin + m_bytes.size());
    }

private:
    std::string m_bytes;
};

void ExpectSameRun(const CMessFahrtDaten& run, const CMessFahrtDaten& expected)
{
    EXPECT_EQ(run.IsLoaded(), expected.IsLoaded());
    EXPECT_EQ(run.IsIncomplete(), expected.IsIncomplete());
    EXPECT_EQ(run.FormatCode(), expected.FormatCode());
    EXPECT_EQ(run.HeaderText(), expected.HeaderText());
    ASSERT_EQ(run.Points().size(), expected.Points().size());
    for (size_t k = 0; k < run.Points().size(); ++k) {
        const MESSUNG a = run.Points()[k];
        const MESSUNG b = expected.Points()[k];
        ASSERT_TRUE(a.value == b.value && a.station == b.station && a.width == b.width && a.comment == b.comment
                    && a.hasComment == b.hasComment)
            << "point " << k;
    }
    ASSERT_EQ(run.FileTextLineCount(), expected.FileTextLineCount());
    for (size_t k = 0; k < run.FileTextLineCount(); ++k) {
        const std::string line(run.FileTextLine(k));
        ASSERT_EQ(line, expected.FileTextLine(k)) << "line " << k;
    }
    ASSERT_EQ(run.ExportLines().size(), expected.ExportLines().size());
    for (size_t k = 0; k < run.ExportLines().size(); ++k)
        ASSERT_EQ(run.ExportLines()[k], expected.ExportLines()[k]) << "export line " << k;
}

void ExpectSameReading(const std::string& bytes)
{
    CMessFahrtDaten atOnce;
    atOnce.ReadBytes(bytes);

    CMessFahrtDaten fromFile;
    std::istringstream file(bytes);
    fromFile.ReadFile(file);
    ExpectSameRun(fromFile, atOnce);

    CMessFahrtDaten fromPipe;
    PipeBuffer pipe(bytes);
    std::istream pipeStream(&pipe);
    fromPipe.ReadFile(pipeStream);
    ExpectSameRun(fromPipe, atOnce);
}

// A header line of `pad` bytes moves every later byte: the piece border falls
// at every place of a record in turn.
std::string Padding(size_t pad)
{
    return "Kommentar|" + std::string(pad, 'x') + "\r\n";
}

// The text split as a byte-by-byte rule: printable bytes and TAB make up the
// line, CR and LF end it, another control byte ends a line of more than 128
// bytes and is dropped from a shorter one; empty lines are not kept; a line
// of 2047 bytes ends the split.
std::vector<std::string> TextLinesByTheRule(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
            line += c;
            if (line.size() == 2047)
                return lines;
            continue;
        }
        if (c == '\n' || c == '\r' || line.size() > 128) {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

TEST(PieceReading, TextSplitTakesControlBytesWhereverTheyStand)
{
    // Control bytes at every place of the eight-byte words the split looks at,
    // in short and long lines; no line of it is a measurement format.
    const std::string alphabet = std::string("abc xyz\xE4\x7F\x80\t\t\r\n\x01\x1F\x0B", 17) + std::string(1, '\0');
    std::mt19937 random(2047);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> printable(0, 3);
    std::uniform_int_distribution<int> length(0, 300);
    for (int i = 0; i < 400; ++i) {
        std::string bytes = "Text ";
        for (int n = length(random); n > 0; --n)
            bytes += printable(random) > 0 ? alphabet[pick(random) % 7] : alphabet[pick(random)];
        SCOPED_TRACE("case " + std::to_string(i));
        CMessFahrtDaten run;
        run.ReadBytes(bytes);
        const std::vector<std::string> expected = TextLinesByTheRule(bytes);
        ASSERT_EQ(run.FileTextLineCount(), expected.size());
        for (size_t k = 0; k < expected.size(); ++k)
            ASSERT_EQ(std::string(run.FileTextLine(k)), expected[k]) << "line " << k;
    }
}

TEST(PieceReading, DeviceRecordsAcrossThePieceBorder)
{
    // Every record holds a line feed byte in its binary part, at a place that
    // moves from record to record; some have a comment. Pads 0 to 45 move the
    // border over 46 consecutive bytes: every byte of a record, its line feed
    // byte and its CR LF among them, comes to lie just before the border once.
    std::string records;
    for (int i = 0; records.size() < kPiece + 4096; ++i) {
        std::string binary = test::Pm01bs02Record(0.1 * (i % 40), 0.001 * i, 3.5).substr(0, 40);
        binary[static_cast<size_t>(i % 40)] = '\x0A';
        records += binary + (i % 7 == 0 ? "Fuge" : "") + "\r\n";
    }
    const size_t recordStart = 22 + 12 + 5;  // "PM01BS02 Stueckweise\r\n", padding line, "***\r\n"
    for (size_t pad = 0; pad < 46; ++pad) {
        SCOPED_TRACE("pad " + std::to_string(pad));
        const std::string head = "PM01BS02 Stueckweise\r\n" + Padding(pad) + "***\r\n";
        ASSERT_EQ(head.size(), recordStart + pad);
        ExpectSameReading(head + records + "***\r\nnach dem Ende\r\n");
    }
    // No closing marker: the run is incomplete.
    ExpectSameReading("PM01BS02 Stueckweise\r\n***\r\n" + records);
}

TEST(PieceReading, ExchangeAndTextLinesAcrossThePieceBorder)
{
    std::string exchange;
    std::string listing;
    for (int i = 0; exchange.size() < kPiece + 4096; ++i) {
        exchange += std::to_string(i % 50) + ",5;0," + std::to_string(1000 + i) + ";3,5;" + (i % 9 ? "" : "Fuge")
                    + (i % 13 ? "" : std::string(1, '\0') + "nach Null") + "\r\n";
        listing += "1.30\t0\t0\t0\t" + std::to_string(2000 + i) + ".0000\t3.50" + (i % 11 ? "" : "\tFuge\x01\x02")
                   + "\r\n";
    }
    const std::string pm01bs01Head = "PM01BS01\tx\r\n17.06.2014 08:41\tM\r\nDienststelle\tA\r\nAbteilung\tB\r\n"
                                     "Pruefer\tC\r\nStr.-Typ\tD\r\nStr.-Nr.\tE\r\n";
    for (size_t pad = 0; pad < 40; pad += 5) {
        SCOPED_TRACE("pad " + std::to_string(pad));
        ExpectSameReading("IMEXPORT001 FELDTRENNER=;\r\n" + Padding(pad) + "***\r\n" + exchange + "***\r\n");
        ExpectSameReading(pm01bs01Head + std::string(pad, ' ') + listing);
    }
}

TEST(PieceReading, AnOverLongLineAcrossThePieceBorderEndsTheSplit)
{
    // Lines of 2046 bytes and one more end just before, on and after the border.
    const std::string before(kPiece - 3000, 'a');
    for (const size_t length : {2045u, 2046u, 2047u, 2048u}) {
        for (const size_t shift : {0u, 1000u, 2000u, 2998u, 3000u}) {
            SCOPED_TRACE("length " + std::to_string(length) + " shift " + std::to_string(shift));
            const std::string lead(shift, 'b');
            // Device mode: header lines before the first marker.
            ExpectSameReading("PM01BS02\r\nA|" + lead + "\r\n" + std::string(length, 'c') + "\r\n***\r\n"
                              + test::Pm01bs02Record(1.0, 0.1, 3.5) + "***\r\n" + before);
            // Text mode: short lines, then the long one across the border.
            std::string text;
            while (text.size() + length < kPiece - 1000 + shift)
                text += "12\t0,5\r\n";
            ExpectSameReading(text + std::string(length, 'd') + "\r\n13\t0,6\r\n");
        }
    }
}

TEST(PieceReading, ShortFilesAndTheFirstBytes)
{
    // The format is told by the first eleven bytes, which may be all there is.
    for (const char* bytes : {"", "P", "PM01BS0", "PM01BS02", "PM01BS02\r\n", "IMEXPORT00", "IMEXPORT001",
                              "IMEXPORT001 FELDTRENNER=;", "12\t0,5", "***\r\n***\r\n"}) {
        SCOPED_TRACE(bytes);
        ExpectSameReading(bytes);
    }
}

}  // namespace
}  // namespace kurvex
