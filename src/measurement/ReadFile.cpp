// Recognition of a measurement file by its content and the splitting of its
// bytes into lines.

#include <iterator>

#include "common/TextHelpers.h"
#include "measurement/FormatCode.h"
#include "measurement/MessFahrtDaten.h"

namespace kurvex {

namespace {

constexpr std::string_view kMarkerLine = "***\r\n";
// Bytes a line may have in the device and exchange split (the zero terminator
// of the original 2048-byte buffer taken off).
constexpr size_t kMaxSplitLine = 2047;
// A text line longer than this ends at any control byte.
constexpr size_t kTextLineBreakLength = 128;
// A PM01BS02 record: 40 binary bytes and CR LF.
constexpr size_t kMinRecordLine = 42;
// Larger files are not read: a run counts its points in int.
constexpr std::streamoff kMaxFileBytes = std::streamoff{1} << 31;

}  // namespace

void CMessFahrtDaten::ReadFile(std::istream& file)
{
    std::string content;
    file.seekg(0, std::ios::end);
    const std::streamoff length = file.tellg();
    file.seekg(0, std::ios::beg);
    if (length > kMaxFileBytes) {
        // Far beyond any measurement (the window counts its points in int).
        ReadBytes(std::string());
        return;
    }
    if (length > 0) {
        // Room for the line end appended below, so the buffer is not copied again.
        content.reserve(static_cast<size_t>(length) + 2);
        content.resize(static_cast<size_t>(length));
        file.read(content.data(), length);
        content.resize(static_cast<size_t>(file.gcount()));
    } else {
        // Not seekable (a pipe): read as it comes.
        file.clear();
        content.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    ReadBytes(std::move(content));
}

void CMessFahrtDaten::ReadBytes(std::string content)
{
    // The last line of a file may lack its line end.
    content += "\r\n";
    m_lines.clear();
    // A run read again must not carry the points, export lines, header or messages of the previous file.
    m_exportLines.clear();
    m_headerText.clear();
    m_readMessages.clear();
    m_points.clear();
    m_window.clear();
    m_speedCount = 0;
    m_fileTextCache.reset();

    if (StartsWith(content, "PM01BS02")) {
        SplitLines(content, SplitMode::Device);
        content = std::string();
        if (ReadPm01bs02()) {
            m_formatCode = kFormatPm01bs02;
            m_loaded = true;
        }
    } else if (StartsWith(content, "IMEXPORT001")) {
        SplitLines(content, SplitMode::Exchange);
        content = std::string();
        if (ReadImExport001()) {
            m_formatCode = kFormatPm01bs02;
            m_loaded = true;
        }
    } else {
        SplitLines(content, SplitMode::Text);
        content = std::string();
        RecogniseTextFormat();
    }
    m_lines.Compact();
    m_exportLines.Compact();
}

void CMessFahrtDaten::RecogniseTextFormat()
{
    // The order matters: several formats would accept the files of a later one.
    struct Reader {
        bool (CMessFahrtDaten::*read)();
        int code;
    };
    static constexpr Reader kReaders[] = {
        {&CMessFahrtDaten::ReadPm01bs01, kFormatPm01bs01},
        {&CMessFahrtDaten::ReadRoadTable, kFormatRoadTable},
        {&CMessFahrtDaten::ReadLimitValueTable, kFormatLimitTable},
        {&CMessFahrtDaten::ReadDatedTable5, kFormatDatedTable5},
        {&CMessFahrtDaten::ReadDatedTable4, kFormatDatedTable4},
        {&CMessFahrtDaten::ReadPlanographTable, kFormatPlanograph},
        {&CMessFahrtDaten::ReadDatedColumnTable, kFormatDatedColumnTable},
    };
    for (const Reader& reader : kReaders) {
        if ((this->*reader.read)()) {
            m_formatCode = reader.code;
            m_loaded = true;
            return;
        }
    }
    m_formatCode = kFormatListing;
    m_loaded = ReadListing();
}

void CMessFahrtDaten::RefuseKeepingNothing()
{
    m_points.clear();
    m_window.clear();
    m_speedCount = 0;
}

void CMessFahrtDaten::SplitLines(const std::string& buffer, SplitMode mode)
{
    m_lines.clear();
    if (mode == SplitMode::Text) {
        std::string line;
        for (const char c : buffer) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 || c == '\t') {
                line += c;
                // A line this long is no measurement text: the rest of the file is ignored.
                if (line.size() >= kMaxSplitLine)
                    return;
                continue;
            }
            if (c == '\n' || c == '\r' || line.size() > kTextLineBreakLength) {
                if (!line.empty())
                    m_lines.push_back(line);
                line.clear();
            }
        }
        return;
    }

    // Device and exchange mode: lines end at LF and keep their CR LF. After the
    // first marker a PM01BS02 record may hold the byte 0x0A inside its 40 binary
    // bytes, so a shorter piece is not yet a line.
    if (mode == SplitMode::Device)
        m_lines.reserve(buffer.size() / 46 + 16, buffer.size());
    size_t lineStart = 0;
    bool markerSeen = false;
    for (size_t i = 0; i < buffer.size(); ++i) {
        if (i + 1 - lineStart > kMaxSplitLine)
            return;  // an over-long line ends the split, as in text mode
        if (buffer[i] != '\n')
            continue;
        const std::string_view piece(buffer.data() + lineStart, i + 1 - lineStart);
        if (StartsWith(piece, kMarkerLine)) {
            m_lines.push_back(piece);
            lineStart = i + 1;
            if (markerSeen)
                return;
            markerSeen = true;
            continue;
        }
        if (mode == SplitMode::Exchange) {
            // Text lines: a zero byte ends the line's text.
            const auto zero = piece.find('\0');
            m_lines.push_back(zero == std::string_view::npos ? piece : piece.substr(0, zero));
            lineStart = i + 1;
        } else if (!markerSeen || piece.size() >= kMinRecordLine) {
            m_lines.push_back(piece);
            lineStart = i + 1;
        }
    }
}

}  // namespace kurvex
