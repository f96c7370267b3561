#pragma once
// Opening an input file of the user's for reading its bytes.

#include <fstream>
#include <string>

namespace kurvex {

// Opens path for binary reading, but only a regular file: a folder opens as a
// stream on Linux, a device such as /dev/zero never ends, and a named pipe
// blocks the open until something writes to it. False for anything else and
// when the file cannot be opened.
bool OpenRegularFile(const std::string& path, std::ifstream& file);

}  // namespace kurvex
