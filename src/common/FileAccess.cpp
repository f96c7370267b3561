#include "common/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kurvex {

namespace fs = std::filesystem;

namespace {

// The file-system path of a UTF-8 path text. On Windows the text becomes wide
// characters; a text that is no valid UTF-8 names no file there.
std::optional<fs::path> ToFsPath(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    try {
        return fs::u8path(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool IsRegular(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// A file name as UTF-8; empty when the system's name has no UTF-8 form.
std::string Utf8Name(const fs::path& path)
{
    try {
        return path.filename().u8string();
    } catch (const std::exception&) {
        return {};
    }
}

// The regular files of a folder whose names match `foldedName` ignoring case.
std::vector<fs::path> MatchesIgnoringCase(const fs::path& folder, const std::string& foldedName)
{
    std::vector<fs::path> matches;
    std::error_code error;
    const fs::path listed = folder.empty() ? fs::path(".") : folder;
    for (fs::directory_iterator it(listed, error), end; !error && it != end; it.increment(error)) {
        const fs::path& entry = it->path();
        if (FoldFileNameCase(Utf8Name(entry)) != foldedName || !IsRegular(entry))
            continue;
        matches.push_back(folder.empty() ? entry.filename() : entry);
    }
    return matches;
}

}  // namespace

bool IsRegularFile(const std::string& path)
{
    const auto fsPath = ToFsPath(path);
    return fsPath && IsRegular(*fsPath);
}

bool PathExists(const std::string& path)
{
    const auto fsPath = ToFsPath(path);
    std::error_code error;
    return fsPath && fs::exists(*fsPath, error);
}

std::unique_ptr<std::istream> OpenRegularFile(const std::string& path)
{
    const auto fsPath = ToFsPath(path);
    if (!fsPath || !IsRegular(*fsPath))
        return nullptr;
    auto file = std::make_unique<std::ifstream>(*fsPath, std::ios::binary);
    if (!file->is_open())
        return nullptr;
    return file;
}

bool ReadRegularFile(const std::string& path, std::string& content, size_t maxBytes)
{
    const std::unique_ptr<std::istream> file = OpenRegularFile(path);
    if (!file)
        return false;
    content.clear();
    char buffer[65536];
    while (content.size() < maxBytes) {
        const size_t wanted = std::min(sizeof buffer, maxBytes - content.size());
        file->read(buffer, static_cast<std::streamsize>(wanted));
        if (file->gcount() <= 0)
            break;
        content.append(buffer, static_cast<size_t>(file->gcount()));
    }
    return !file->bad();
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes)
{
    const auto fsPath = ToFsPath(path);
    if (!fsPath)
        return false;
    fs::path written = *fsPath;
    written += ".neu";
    {
        std::ofstream file(written, std::ios::binary | std::ios::trunc);
        if (!file.is_open())
            return false;
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::error_code ignored;
            fs::remove(written, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(written, *fsPath, error);
    if (error) {
        std::error_code ignored;
        fs::remove(written, ignored);
        return false;
    }
    return true;
}

int CreateFileIfMissing(const std::string& path)
{
    const auto fsPath = ToFsPath(path);
    if (!fsPath)
        return EINVAL;
    std::error_code error;
    if (fs::exists(*fsPath, error))
        return 0;
    errno = 0;
    std::ofstream file(*fsPath, std::ios::binary | std::ios::app);
    if (!file.is_open())
        return errno != 0 ? errno : EIO;
    return 0;
}

void CopyFileIfTargetMissing(const std::string& from, const std::string& to)
{
    const auto source = ToFsPath(from);
    const auto target = ToFsPath(to);
    if (!source || !target)
        return;
    std::error_code error;
    if (!fs::exists(*target, error))
        fs::copy_file(*source, *target, fs::copy_options::skip_existing, error);
}

std::string PathInFolder(const std::string& folder, const std::string& name)
{
    const auto folderPath = ToFsPath(folder);
    const auto namePath = ToFsPath(name);
    if (!folderPath || !namePath)
        return name;
    try {
        return (*folderPath / *namePath).u8string();
    } catch (const std::exception&) {
        return name;
    }
}

std::string FoldFileNameCase(std::string_view utf8Name)
{
    std::string folded;
    folded.reserve(utf8Name.size());
    for (size_t i = 0; i < utf8Name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8Name[i]);
        const auto next = i + 1 < utf8Name.size() ? static_cast<unsigned char>(utf8Name[i + 1]) : 0;
        if (byte >= 'A' && byte <= 'Z') {
            folded += static_cast<char>(byte - 'A' + 'a');
        } else if (byte == 0xC3 && (next == 0x84 || next == 0x96 || next == 0x9C)) {
            // Ä Ö Ü -> ä ö ü: the small letters lie 0x20 higher.
            folded += static_cast<char>(byte);
            folded += static_cast<char>(next + 0x20);
            ++i;
        } else if (utf8Name.substr(i, 3) == "\xE1\xBA\x9E") {
            folded += "\xC3\x9F";  // capital sharp s -> ß
            i += 2;
        } else {
            folded += static_cast<char>(byte);
        }
    }
    return folded;
}

FoundFile FindFile(const std::vector<std::string>& candidates)
{
    for (const std::string& candidate : candidates) {
        if (IsRegularFile(candidate))
            return {candidate, false};
    }
    for (const std::string& candidate : candidates) {
        const auto fsPath = ToFsPath(candidate);
        if (!fsPath)
            continue;
        const std::string wanted = FoldFileNameCase(Utf8Name(*fsPath));
        if (wanted.empty())
            continue;
        const std::vector<fs::path> matches = MatchesIgnoringCase(fsPath->parent_path(), wanted);
        if (matches.size() > 1)
            return {{}, true};
        if (matches.size() == 1) {
            try {
                return {matches.front().u8string(), false};
            } catch (const std::exception&) {
                continue;
            }
        }
    }
    return {};
}

bool StandardErrorIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) == 1;
#endif
}

}  // namespace kurvex
