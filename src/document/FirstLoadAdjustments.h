#pragma once
// The rules of the first-load question "Datenanpassungen": from the stations of
// the file and the user's inputs it derives what the dialog shows and the
// KILOMETRIERUNG_ANGEPASST value its OK produces. The dialog only displays this.

#include <cstdint>
#include <string>

namespace kurvex {

inline constexpr const char* kHeadingAdjustedAndMirrored = "angepasst und gespiegelt";
inline constexpr const char* kHeadingAdjusted = "angepasst";
inline constexpr const char* kHeadingMirrored = "gespiegelt";

class FirstLoadAdjustments {
public:
    // File start and end: the run's range as read, in dm.
    FirstLoadAdjustments(int32_t fileStart, int32_t fileEnd);

    // The start edit: metres with a decimal comma or point.
    void SetStartText(const std::string& metres);
    void SetAdjust(bool on) { m_adjust = on; }
    void SetAscending(bool on) { m_ascending = on; }
    void SetMirror(bool on) { m_mirror = on; }

    int32_t FileStart() const { return m_fileStart; }
    int32_t FileEnd() const { return m_fileEnd; }
    int32_t NewStart() const { return m_newStart; }
    int32_t NewEnd() const;
    bool Adjust() const { return m_adjust; }
    bool Ascending() const { return m_ascending; }
    bool Mirror() const { return m_mirror; }

    // The texts of the dialog: metres with one decimal.
    std::string FileStartText() const;
    std::string FileEndText() const;
    std::string NewStartText() const;  // the start edit once it loses the focus
    std::string NewEndText() const;
    // "angepasst und gespiegelt", "angepasst", "gespiegelt" or empty.
    std::string StateHeading() const;
    // The resulting start and end, or empty when nothing changes.
    std::string ShownStartText() const;
    std::string ShownEndText() const;
    bool ShowsResult() const { return IsAdjusted() || m_mirror; }

    // KILOMETRIERUNG_ANGEPASST as OK stores it: "start;ascending", or empty.
    std::string OkResult() const;

private:
    bool IsAdjusted() const;
    void ShownStations(int32_t& start, int32_t& end) const;

    int32_t m_fileStart;
    int32_t m_fileEnd;
    int32_t m_newStart;
    bool m_ascending;
    bool m_adjust = false;
    bool m_mirror = false;
};

}  // namespace kurvex
