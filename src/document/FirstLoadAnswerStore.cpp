#include "document/FirstLoadAnswerStore.h"

#include <algorithm>

#include "common/ContentFingerprint.h"
#include "common/FileAccess.h"

namespace kurvex {

namespace {

// A list of kCapacity lines is far below this; anything longer is no such list.
constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

bool IsDecimalInteger(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return !text.empty() && text.size() <= 10 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "start;ascending" as the dialog's OK stores it: a station in dm and 1 or 0.
bool IsAdjustment(std::string_view text)
{
    const size_t separator = text.find(';');
    if (separator == std::string_view::npos)
        return false;
    const std::string_view direction = text.substr(separator + 1);
    return IsDecimalInteger(text.substr(0, separator)) && (direction == "0" || direction == "1");
}

}  // namespace

std::string FirstLoadAnswerLine(uint64_t fingerprint, const FirstLoadAnswer& answer)
{
    return FingerprintText(fingerprint) + '\t' + (answer.mirror ? '1' : '0') + '\t' + answer.kilometreAdjustment;
}

std::optional<std::pair<uint64_t, FirstLoadAnswer>> ParseFirstLoadAnswerLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const size_t first = line.find('\t');
    const size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    uint64_t fingerprint = 0;
    if (!ParseFingerprintText(line.substr(0, first), fingerprint))
        return std::nullopt;
    const std::string_view mirror = line.substr(first + 1, second - first - 1);
    const std::string_view adjustment = line.substr(second + 1);
    if ((mirror != "0" && mirror != "1") || (!adjustment.empty() && !IsAdjustment(adjustment)))
        return std::nullopt;
    return std::make_pair(fingerprint, FirstLoadAnswer{mirror == "1", std::string(adjustment)});
}

FirstLoadAnswerStore::FirstLoadAnswerStore(std::string path) : m_path(std::move(path)) {}

void FirstLoadAnswerStore::Load() const
{
    if (m_loaded)
        return;
    m_loaded = true;
    std::string content;
    if (m_path.empty() || !ReadRegularFile(m_path, content, kMaxFileBytes + 1) || content.size() > kMaxFileBytes)
        return;
    std::string_view rest(content);
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (auto entry = ParseFirstLoadAnswerLine(line)) {
            // A fingerprint listed twice: the later line is the newer answer.
            m_answers.erase(std::remove_if(m_answers.begin(), m_answers.end(),
                                           [&](const auto& known) { return known.first == entry->first; }),
                            m_answers.end());
            m_answers.push_back(std::move(*entry));
        }
    }
    if (m_answers.size() > kCapacity)
        m_answers.erase(m_answers.begin(), m_answers.end() - static_cast<std::ptrdiff_t>(kCapacity));
}

void FirstLoadAnswerStore::Save() const
{
    if (m_path.empty())
        return;
    std::string content;
    for (const auto& [fingerprint, answer] : m_answers)
        content += FirstLoadAnswerLine(fingerprint, answer) + '\n';
    // An answer that cannot be kept is asked again at the next open; nothing else depends on it.
    ReplaceFileContent(m_path, content);
}

std::optional<FirstLoadAnswer> FirstLoadAnswerStore::Recall(uint64_t fingerprint) const
{
    Load();
    for (const auto& [known, answer] : m_answers) {
        if (known == fingerprint)
            return answer;
    }
    return std::nullopt;
}

void FirstLoadAnswerStore::Remember(uint64_t fingerprint, const FirstLoadAnswer& answer)
{
    Load();
    m_answers.erase(std::remove_if(m_answers.begin(), m_answers.end(),
                                   [&](const auto& known) { return known.first == fingerprint; }),
                    m_answers.end());
    m_answers.emplace_back(fingerprint, answer);
    if (m_answers.size() > kCapacity)
        m_answers.erase(m_answers.begin());
    Save();
}

void FirstLoadAnswerStore::Forget(uint64_t fingerprint)
{
    Load();
    const size_t before = m_answers.size();
    m_answers.erase(std::remove_if(m_answers.begin(), m_answers.end(),
                                   [&](const auto& known) { return known.first == fingerprint; }),
                    m_answers.end());
    if (m_answers.size() != before)
        Save();
}

}  // namespace kurvex
