#pragma once
// The six header entries of the PM01BS02 and IMEXPORT001 files ("key|value" lines).

#include <array>
#include <string>
#include <string_view>

namespace kurvex {

class DeviceHeader {
public:
    static constexpr std::array<const char*, 6> kKeys = {"Zeitstempel", "Dienststelle", "Abteilung",
                                                         "Pruefer",     "Str.-Typ",     "Str.-Nr."};

    // Takes the value of a trimmed header line "key|value" when key is one of the six.
    // Returns whether the line had the "|" form.
    bool Take(std::string_view trimmedLine);
    // Takes "key" + separator + value, the form an export from a PM01BS02 file writes.
    bool TakeWithSeparator(std::string_view trimmedLine, std::string_view separator);
    // The six values in the order of kKeys, each followed by the byte 0xBF.
    std::string HeaderText() const;

private:
    void Store(std::string_view key, std::string_view value);
    std::array<std::string, 6> m_values;
};

}  // namespace kurvex
