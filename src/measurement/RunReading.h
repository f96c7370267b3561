#pragma once
// The readers of the PM01BS02, IMEXPORT001 and PM01BS01 formats take the file
// line by line while it is being split, so that a large file is never held
// whole. Internal to the measurement run.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "measurement/DeviceHeader.h"
#include "measurement/MessFahrtDaten.h"

namespace kurvex {

class LineByLineReader {
public:
    virtual ~LineByLineReader() = default;
    // One line of the split, with its CR LF.
    virtual void TakeLine(std::string_view line) = 0;
    // After the last line: whether the reader accepts the file.
    virtual bool Finish() = 0;
};

// Header lines "key|value", a "***" line, one binary record per point, a closing "***".
class Pm01bs02Reader : public LineByLineReader {
public:
    // fileBytes: the length of the file, if known, to reserve room for its points.
    Pm01bs02Reader(CMessFahrtDaten& run, size_t fileBytes);
    void TakeLine(std::string_view line) override;
    bool Finish() override;

private:
    void TakeRecord(std::string_view line);

    CMessFahrtDaten& m_run;
    DeviceHeader m_header;
    bool m_firstMarkerSeen = false;
    bool m_closingMarkerSeen = false;
    size_t m_records = 0;
};

// The first line names the field separator; header lines, "***", one text line per point, "***".
class ImExport001Reader : public LineByLineReader {
public:
    ImExport001Reader(CMessFahrtDaten& run, size_t fileBytes);
    void TakeLine(std::string_view line) override;
    bool Finish() override;

private:
    void TakePointLine(std::string_view line);

    CMessFahrtDaten& m_run;
    size_t m_fileBytes;
    DeviceHeader m_header;
    std::string m_separator;
    size_t m_lineNumber = 0;
    bool m_noSeparator = false;
    int m_markers = 0;
    size_t m_points = 0;
};

// The text formats: every line of the split comes here. A PM01BS01 file (a
// fixed header of seven lines, then TAB-separated data lines) is read as its
// lines come; the lines of any other text file are kept for the readers of
// the text formats.
class Pm01bs01Reader {
public:
    Pm01bs01Reader(CMessFahrtDaten& run, size_t fileBytes);
    void TakeLine(std::string_view line);
    // Whether the file is PM01BS01; if not, the run's text lines hold every line
    // as it was split.
    bool Finish();

private:
    void TakeDataLine(std::string_view line);

    CMessFahrtDaten& m_run;
    size_t m_fileBytes;
    size_t m_lineNumber = 0;
    bool m_isPm01bs01 = false;
    std::vector<std::string> m_header;
    size_t m_points = 0;
    std::string m_viewerLine;
};

}  // namespace kurvex
