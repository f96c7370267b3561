#pragma once
// The answers of the first-load question "Datenanpassungen" remembered per
// measurement file, keyed by the fingerprint of the file's content: a renamed
// or copied file keeps its answer, an edited one is asked again. The side file
// is never written, so without this a run without side file would be asked at
// every open. Kept in a file of the per-user folder, one answer a line:
//   <fingerprint, 16 hex digits> TAB <mirror 0|1> TAB <adjustment "start;ascending" or empty>
// Lines that do not read so are ignored, and so is a file that is no such list.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/OpenInteraction.h"

namespace kurvex {

inline constexpr const char* kFirstLoadAnswersFileName = "datenanpassungen.txt";

class FirstLoadAnswerStore {
public:
    // The newest answers kept; older ones are dropped when more are remembered.
    static constexpr size_t kCapacity = 5000;

    // path: the list file (UTF-8); empty keeps the answers for the session only.
    explicit FirstLoadAnswerStore(std::string path = {});

    std::optional<FirstLoadAnswer> Recall(uint64_t fingerprint) const;
    void Remember(uint64_t fingerprint, const FirstLoadAnswer& answer);
    void Forget(uint64_t fingerprint);

    const std::string& Path() const { return m_path; }

private:
    void Load() const;
    void Save() const;

    std::string m_path;
    mutable bool m_loaded = false;
    // Oldest first.
    mutable std::vector<std::pair<uint64_t, FirstLoadAnswer>> m_answers;
};

// One line of the list file without its line end, and back; nullopt for a
// line that is no answer.
std::string FirstLoadAnswerLine(uint64_t fingerprint, const FirstLoadAnswer& answer);
std::optional<std::pair<uint64_t, FirstLoadAnswer>> ParseFirstLoadAnswerLine(std::string_view line);

}  // namespace kurvex
