#include "common/RegularFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace kurvex {
namespace {

TEST(RegularFile, OnlyARegularFileOpens)
{
    const std::string folder = test::TempFolder("regular_file");
    const std::string plain = folder + "/run.pbs";
    test::WriteWholeFile(plain, "PM01BS02\r\n");
    const std::string link = folder + "/link.pbs";
    std::filesystem::create_symlink(plain, link);

    const struct {
        std::string path;
        bool opens;
    } cases[] = {
        {plain, true}, {link, true}, {folder, false}, {"/dev/null", false}, {folder + "/missing.pbs", false}, {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::ifstream file;
        EXPECT_EQ(OpenRegularFile(c.path, file), c.opens);
        EXPECT_EQ(file.is_open(), c.opens);
    }
    std::ifstream file;
    ASSERT_TRUE(OpenRegularFile(plain, file));
    std::string line;
    std::getline(file, line);
    EXPECT_EQ(line, "PM01BS02\r");
}

}  // namespace
}  // namespace kurvex
