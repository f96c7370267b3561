#pragma once
// Paths inside the core are UTF-8 text on every platform. This is the one place
// where such a text becomes a path of the file system (wide characters on
// Windows) and where the core opens, probes, lists or copies files.

#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

// Only a regular file is opened or counted as present: a folder opens as a
// stream on Linux, a device such as /dev/zero never ends, and a named pipe
// blocks the open until something writes to it.
bool IsRegularFile(const std::string& path);
bool PathExists(const std::string& path);

// The file opened for reading as bytes; null when it is no regular file or
// cannot be opened.
std::unique_ptr<std::istream> OpenRegularFile(const std::string& path);

// At most maxBytes of a regular file; false when it cannot be opened or read.
bool ReadRegularFile(const std::string& path, std::string& content, size_t maxBytes = std::string::npos);

// Replaces the file's content: written beside it, then renamed over it, so that
// an interrupted write leaves the old content. False when it cannot be written.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);

// Creates the file empty unless it exists. Answers 0 or the system's error number.
int CreateFileIfMissing(const std::string& path);

// Copies a file to a place where nothing is yet; a missing source is no error.
void CopyFileIfTargetMissing(const std::string& from, const std::string& to);

// The path of a file in a folder, joined with the platform's separator.
std::string PathInFolder(const std::string& folder, const std::string& name);

// A file name with the letters Windows treats as one ignoring case made equal:
// ASCII A-Z and the German Ä Ö Ü ẞ (UTF-8) become small letters.
std::string FoldFileNameCase(std::string_view utf8Name);

// The outcome of looking for a file under several names.
struct FoundFile {
    std::string path;        // empty when nothing was found
    bool ambiguous = false;  // several files matched ignoring case; none was taken
};

// Looks for a file under candidate paths in order: the first candidate that
// is a regular file; failing all, the first candidate whose folder holds
// regular files whose names match the candidate's name ignoring case. When
// exactly one matches it is taken; several are reported and none is guessed.
FoundFile FindFile(const std::vector<std::string>& candidates);

// Whether standard error is a terminal (a progress line is shown only there).
bool StandardErrorIsTerminal();

}  // namespace kurvex
