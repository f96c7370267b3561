#include "common/RegularFile.h"

#include <filesystem>

namespace kurvex {

bool OpenRegularFile(const std::string& path, std::ifstream& file)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return false;
    file.open(path, std::ios::binary);
    return file.is_open();
}

}  // namespace kurvex
