// Recognition of a measurement file by its content and the splitting of its
// bytes into lines. The file is read in pieces and split as it comes: a run of a
// million points never holds its file whole, and no buffer grows while reading.

#include <cstdint>
#include <cstring>
#include <memory>

#include "common/ContentFingerprint.h"
#include "common/TextHelpers.h"
#include "measurement/FormatCode.h"
#include "measurement/MessFahrtDaten.h"
#include "measurement/RunReading.h"

namespace kurvex {

namespace {

constexpr std::string_view kMarkerLine = "***\r\n";
constexpr std::string_view kDeviceMagic = "PM01BS02";
constexpr std::string_view kExchangeMagic = "IMEXPORT001";
// Bytes a line may have in the device and exchange split (the zero terminator
// of the original 2048-byte buffer taken off).
constexpr size_t kMaxSplitLine = 2047;
// A text line longer than this ends at any control byte.
constexpr size_t kTextLineBreakLength = 128;
// A PM01BS02 record: 40 binary bytes and CR LF.
constexpr size_t kMinRecordLine = 42;
// Larger files are not read: a run counts its points in int.
constexpr std::streamoff kMaxFileBytes = std::streamoff{1} << 31;
// The piece of the file read at a time.
constexpr size_t kReadPiece = size_t{1} << 20;
// A text line of a measurement file has some 30 bytes; the line index is
// reserved for lines of this length, pages never used cost nothing.
constexpr size_t kShortTextLine = 8;

// Splits the device and exchange formats: lines end at LF and keep their CR LF.
// After the first marker a PM01BS02 record may hold the byte 0x0A inside its 40
// binary bytes, so a shorter piece is not yet a line. The second marker, or a
// line too long for the device's buffer, ends the split.
class RecordSplitter {
public:
    RecordSplitter(bool device, FormatReader& reader) : m_device(device), m_reader(reader) {}

    // Returns false once the split has ended: the rest of the file is not needed.
    bool Feed(std::string_view bytes)
    {
        size_t lineStart = 0;  // where the current line's bytes in this piece begin
        size_t scan = 0;
        // Text lines end at a zero byte; most pieces hold none, and their lines need no search for it.
        const bool zeros = !m_device && std::memchr(bytes.data(), '\0', bytes.size()) != nullptr;
        while (!m_ended) {
            const void* found = scan < bytes.size() ? std::memchr(bytes.data() + scan, '\n', bytes.size() - scan)
                                                    : nullptr;
            if (found == nullptr) {
                if (m_carry.size() + (bytes.size() - lineStart) > kMaxSplitLine)
                    m_ended = true;  // an over-long line ends the split, as in text mode
                else
                    m_carry.append(bytes.data() + lineStart, bytes.size() - lineStart);
                break;
            }
            const size_t lineFeed = static_cast<size_t>(static_cast<const char*>(found) - bytes.data());
            scan = lineFeed + 1;
            if (m_carry.size() + (scan - lineStart) > kMaxSplitLine) {
                m_ended = true;
                break;
            }
            std::string_view piece(bytes.data() + lineStart, scan - lineStart);
            bool mayHoldZero = zeros;
            if (!m_carry.empty()) {
                m_carry.append(piece.data(), piece.size());
                piece = m_carry;
                mayHoldZero = true;
            }
            if (TakePiece(piece, mayHoldZero)) {
                m_carry.clear();
                lineStart = scan;
            } else if (!m_carry.empty()) {
                lineStart = scan;  // the carry holds the line so far
            }
        }
        return !m_ended;
    }

private:
    // Returns whether the piece was a line; false: it is part of a longer one.
    bool TakePiece(std::string_view piece, bool mayHoldZero)
    {
        if (piece.substr(0, kMarkerLine.size()) == kMarkerLine) {
            m_reader.TakeLine(piece);
            if (m_markerSeen)
                m_ended = true;
            m_markerSeen = true;
            return true;
        }
        if (!m_device) {
            // Text lines: a zero byte ends the line's text.
            m_reader.TakeLine(mayHoldZero ? piece.substr(0, piece.find('\0')) : piece);
            return true;
        }
        if (m_markerSeen && piece.size() < kMinRecordLine)
            return false;
        m_reader.TakeLine(piece);
        return true;
    }

    const bool m_device;
    FormatReader& m_reader;
    std::string m_carry;  // the current line's bytes from earlier pieces
    bool m_markerSeen = false;
    bool m_ended = false;
};

// Splits the text formats: printable bytes and TAB make up lines, CR and LF end
// them, other control bytes end a long line and are dropped from a short one.
// Empty lines are never stored; a line of 2047 bytes ends the split.
class TextSplitter {
public:
    explicit TextSplitter(FormatReader& reader) : m_reader(reader) {}

    bool Feed(std::string_view bytes)
    {
        size_t i = 0;
        while (i < bytes.size() && !m_ended) {
            const size_t run = PrintableRun(bytes, i);
            // Most lines are one run of printable bytes ended by CR or LF: taken as they lie.
            const size_t end = i + run;
            if (m_line.empty() && run > 0 && run < kMaxSplitLine && end < bytes.size()
                && (bytes[end] == '\n' || bytes[end] == '\r')) {
                m_reader.TakeLine(bytes.substr(i, run));
                i = end + 1;
                continue;
            }
            if (run > 0) {
                if (m_line.size() + run >= kMaxSplitLine) {
                    m_ended = true;  // a line this long is no measurement text
                    break;
                }
                m_line.append(bytes.data() + i, run);
                i += run;
                continue;
            }
            const char c = bytes[i++];
            if (c == '\n' || c == '\r' || m_line.size() > kTextLineBreakLength) {
                if (!m_line.empty())
                    m_reader.TakeLine(m_line);
                m_line.clear();
            }
        }
        return !m_ended;
    }

private:
    static bool IsPrintable(char c) { return static_cast<unsigned char>(c) >= 0x20 || c == '\t'; }

    static size_t PrintableRun(std::string_view bytes, size_t from)
    {
        size_t end = from;
        // Eight bytes at a time while none of them ends the run.
        while (end + sizeof(uint64_t) <= bytes.size() && AllPrintable(bytes.data() + end))
            end += sizeof(uint64_t);
        while (end < bytes.size() && IsPrintable(bytes[end]))
            ++end;
        return end - from;
    }

    // Whether the eight bytes at p are all printable or TAB. With the TABs
    // turned into zeros by XOR 0x09, the control bytes are those 1 to 0x1F; each
    // byte is tested on its own (no carry crosses into the next).
    static bool AllPrintable(const char* p)
    {
        constexpr uint64_t kOnes = 0x0101010101010101ULL;
        constexpr uint64_t kHigh = 0x8080808080808080ULL;
        constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const uint64_t x = word ^ (kOnes * '\t');
        const uint64_t low = x & kLow7;
        const uint64_t nonZero = (low + kLow7) | x;
        const uint64_t atLeastSpace = (low + kOnes * (0x80 - 0x20)) | x;
        return (nonZero & ~atLeastSpace & kHigh) == 0;
    }

    FormatReader& m_reader;
    std::string m_line;
    bool m_ended = false;
};

}  // namespace

// Takes the file piece by piece: recognises the format from its first bytes,
// splits and reads as the pieces come, and reads the text formats at the end.
class CMessFahrtDaten::FileFeed {
public:
    FileFeed(CMessFahrtDaten& run, size_t fileBytes) : m_run(run), m_writer(run), m_fileBytes(fileBytes)
    {
        m_run.BeginRead();
    }

    // Returns false when the rest of the file is not needed.
    bool Feed(std::string_view bytes)
    {
        if (!m_decided) {
            // The format is told by the first eleven bytes.
            if (m_start.size() + bytes.size() < kExchangeMagic.size()) {
                m_start.append(bytes.data(), bytes.size());
                return true;
            }
            if (!m_start.empty()) {
                m_start.append(bytes.data(), bytes.size());
                Decide(m_start);
                const std::string start = std::move(m_start);
                return Split(start);
            }
            Decide(bytes);
        }
        return Split(bytes);
    }

    void Finish()
    {
        if (!m_decided) {
            Decide(m_start);
            Split(m_start);
        }
        // The last line of a file may lack its line end.
        Split("\r\n");
        if (m_reader->Finish()) {
            m_run.m_formatCode = m_text ? kFormatPm01bs01 : kFormatPm01bs02;
            m_run.m_loaded = true;
            return;
        }
        if (m_text)
            m_run.RecogniseTextFormat();
    }

private:
    void Decide(std::string_view start)
    {
        m_decided = true;
        if (StartsWith(start, kDeviceMagic)) {
            m_reader = std::make_unique<Pm01bs02Reader>(m_writer, m_fileBytes);
            m_records = std::make_unique<RecordSplitter>(true, *m_reader);
        } else if (StartsWith(start, kExchangeMagic)) {
            m_reader = std::make_unique<ImExport001Reader>(m_writer, m_fileBytes);
            m_records = std::make_unique<RecordSplitter>(false, *m_reader);
        } else {
            m_run.m_textLines.reserve(m_fileBytes / kShortTextLine + 1, m_fileBytes);
            m_reader = std::make_unique<Pm01bs01Reader>(m_writer, m_fileBytes);
            m_text = std::make_unique<TextSplitter>(*m_reader);
        }
    }

    bool Split(std::string_view bytes)
    {
        if (m_ended)
            return false;
        m_ended = m_records ? !m_records->Feed(bytes) : !m_text->Feed(bytes);
        return !m_ended;
    }

    CMessFahrtDaten& m_run;
    Writer m_writer;
    const size_t m_fileBytes;
    std::string m_start;
    bool m_decided = false;
    bool m_ended = false;
    // The reader the first bytes chose; a text file is split for the PM01BS01
    // reader, which keeps the lines of the other text formats.
    std::unique_ptr<FormatReader> m_reader;
    std::unique_ptr<RecordSplitter> m_records;
    std::unique_ptr<TextSplitter> m_text;
};

void CMessFahrtDaten::BeginRead()
{
    m_lines.clear();
    // A run read again must not carry the points, export lines, header or messages of the previous file.
    m_exportLines.clear();
    m_exportDetails.clear();
    m_textLines.clear();
    m_headerText.clear();
    m_readMessages.clear();
    m_points.clear();
    m_pointsAsRead.reset();
    m_pointsReversed = false;
    ResetWindow();
    m_lineScratch = std::string();
    m_fileTextColumns.reset();
}

void CMessFahrtDaten::ReadFile(std::istream& file)
{
    file.seekg(0, std::ios::end);
    const std::streamoff length = file.tellg();
    file.seekg(0, std::ios::beg);
    if (length > kMaxFileBytes) {
        // Far beyond any measurement (the window counts its points in int).
        ReadBytes(std::string());
        return;
    }
    FileFeed feed(*this, length > 0 ? static_cast<size_t>(length) : 0);
    if (length <= 0)
        file.clear();  // not seekable (a pipe): read as it comes
    std::string piece(kReadPiece, '\0');
    ContentFingerprint fingerprint;
    std::streamoff left = length;
    while (file) {
        // A file that grows while it is read is read as far as its length was.
        const std::streamsize want = length > 0 ? std::min<std::streamoff>(left, kReadPiece)
                                                : static_cast<std::streamsize>(kReadPiece);
        if (want <= 0)
            break;
        file.read(piece.data(), want);
        const std::streamsize got = file.gcount();
        if (got <= 0)
            break;
        left -= got;
        const std::string_view bytes(piece.data(), static_cast<size_t>(got));
        fingerprint.Add(bytes);
        if (!feed.Feed(bytes))
            break;
    }
    feed.Finish();
    m_contentFingerprint = fingerprint.Value();
}

void CMessFahrtDaten::ReadBytes(const std::string& content)
{
    if (static_cast<std::streamoff>(content.size()) > kMaxFileBytes) {
        ReadBytes(std::string());
        return;
    }
    FileFeed feed(*this, content.size());
    feed.Feed(content);
    feed.Finish();
    m_contentFingerprint = FingerprintOf(content);
}

void CMessFahrtDaten::RecogniseTextFormat()
{
    // The order matters: several formats would accept the files of a later one.
    // PM01BS01 comes first; it was tried while the file was split.
    struct Reader {
        bool (CMessFahrtDaten::*read)();
        int code;
    };
    static constexpr Reader kReaders[] = {
        {&CMessFahrtDaten::ReadRoadTable, kFormatRoadTable},
        {&CMessFahrtDaten::ReadLimitValueTable, kFormatLimitTable},
        {&CMessFahrtDaten::ReadDatedTable5, kFormatDatedTable5},
        {&CMessFahrtDaten::ReadDatedTable4, kFormatDatedTable4},
        {&CMessFahrtDaten::ReadPlanographTable, kFormatPlanograph},
        {&CMessFahrtDaten::ReadDatedColumnTable, kFormatDatedColumnTable},
    };
    bool accepted = false;
    for (const Reader& reader : kReaders) {
        if ((this->*reader.read)()) {
            m_formatCode = reader.code;
            m_loaded = true;
            accepted = true;
            break;
        }
    }
    if (!accepted) {
        m_formatCode = kFormatListing;
        m_loaded = ReadListing();
    }
    m_lines.AssignTexts(std::move(m_textLines));
    m_textLines = LineStore();
}

}  // namespace kurvex
