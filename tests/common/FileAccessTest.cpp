// UTF-8 paths opened, probed, created and copied, on Linux and on Windows alike;
// names looked up ignoring case. The names are made here, in a temporary
// folder: umlauts and ß as Windows-1252 has them, and letters it lacks.

#include <gtest/gtest.h>

#include "common/FileAccess.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

// Folder and file names, UTF-8: German letters, and Polish ones outside Windows-1252.
struct Names {
    const char* folder;
    const char* file;
};
constexpr Names kNames[] = {
    {"Messungen", "plain.pbs"},
    {"Pr\xC3\xBC" "fung \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", "Stra\xC3\x9F" "e_\xC3\x84\xC3\x96\xC3\x9C.pbs"},
    {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "\xC5\x81\xC3\xB3" "d\xC5\xBA_Stra\xC3\x9F" "e.pbs"},
};

class FileAccessTest : public ::testing::Test {
protected:
    std::string root = test::TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(FileAccessTest, UnicodeNamesOpenProbeCreateAndCopy)
{
    for (const Names& names : kNames) {
        SCOPED_TRACE(names.file);
        const std::string folder = root + "/" + names.folder;
        test::MakeFolders(folder);
        const std::string path = folder + "/" + names.file;
        EXPECT_FALSE(PathExists(path));
        EXPECT_EQ(OpenRegularFile(path), nullptr);

        const std::string bytes("PM01BS02\r\n\0\xFF", 12);
        test::WriteWholeFile(path, bytes);
        EXPECT_TRUE(PathExists(path));
        EXPECT_TRUE(IsRegularFile(path));
        std::string content;
        ASSERT_TRUE(ReadRegularFile(path, content));
        EXPECT_EQ(content, bytes);
        ASSERT_TRUE(ReadRegularFile(path, content, 8));
        EXPECT_EQ(content, "PM01BS02");
        const auto stream = OpenRegularFile(path);
        ASSERT_NE(stream, nullptr);
        std::string firstLine;
        std::getline(*stream, firstLine);
        EXPECT_EQ(firstLine, "PM01BS02\r");

        // A folder is no file to read.
        EXPECT_TRUE(PathExists(folder));
        EXPECT_FALSE(IsRegularFile(folder));
        EXPECT_EQ(OpenRegularFile(folder), nullptr);

        const std::string created = PathInFolder(folder, std::string("neu_") + names.file);
        EXPECT_EQ(CreateFileIfMissing(created), 0);
        EXPECT_EQ(test::ReadWholeFile(created), "");
        test::WriteWholeFile(created, "kept");
        EXPECT_EQ(CreateFileIfMissing(created), 0);
        EXPECT_EQ(test::ReadWholeFile(created), "kept");

        const std::string copy = PathInFolder(folder, std::string("kopie_") + names.file);
        CopyFileIfTargetMissing(path, copy);
        EXPECT_EQ(test::ReadWholeFile(copy), bytes);
        CopyFileIfTargetMissing(created, copy);  // never over an existing file
        EXPECT_EQ(test::ReadWholeFile(copy), bytes);
    }
    EXPECT_NE(CreateFileIfMissing(root + "/fehlt/recent.txt"), 0);
    EXPECT_FALSE(PathExists(""));
    EXPECT_EQ(OpenRegularFile(""), nullptr);
}

TEST(FoldFileNameCase, AsciiAndGermanLetters)
{
    struct Case {
        const char* name;
        const char* folded;
    } const cases[] = {
        {"ZWEI.PBS", "zwei.pbs"},
        {"Pr\xC3\x9C" "FUNG.pbs", "pr\xC3\xBC" "fung.pbs"},                          // Ü
        {"\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC", "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC"},
        {"STRA\xE1\xBA\x9E" "E", "stra\xC3\x9F" "e"},                                // capital sharp s
        {"\xC5\x81\xC3\xB3" "D\xC5\xB9", "\xC5\x81\xC3\xB3" "d\xC5\xB9"},            // Ł and Ź stay
        {"Pr\xFC" "fung", "pr\xFC" "fung"},                                          // no UTF-8: bytes stay
        {"\xC3", "\xC3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FoldFileNameCase(c.name), c.folded) << c.name;
}

TEST_F(FileAccessTest, FindFileExactFirstThenTheOneMatchIgnoringCase)
{
    const std::string folder = root + "/\xC5\x81\xC3\xB3" "d\xC5\xBA";
    test::MakeFolders(folder);
    test::WriteWholeFile(folder + "/zwei.pbs", "2");
    test::WriteWholeFile(folder + "/pr\xC3\xBC" "fung_stra\xC3\x9F" "e.pbs", "3");
    test::WriteWholeFile(root + "/beside.pbs", "4");
    test::MakeFolders(folder + "/ordner.pbs");

    struct Case {
        std::vector<std::string> candidates;
        const char* content;  // of the file found; null: none
    } const cases[] = {
        {{folder + "/fehlt.pbs", root + "/beside.pbs"}, "4"},
        {{folder + "/ZWEI.PBS"}, "2"},
        {{folder + "/BESIDE.PBS", root + "/beside.pbs"}, "4"},
        {{folder + "/PR\xC3\x9C" "FUNG_STRA\xE1\xBA\x9E" "E.PBS"}, "3"},
        {{folder + "/ORDNER.PBS"}, nullptr},  // a folder is no file
        {{folder + "/fehlt.pbs", root + "/fehlt/zwei.pbs", ""}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.candidates.front());
        const FoundFile found = FindFile(c.candidates);
        if (c.content) {
            ASSERT_TRUE(IsRegularFile(found.path)) << found.path;
            EXPECT_EQ(test::ReadWholeFile(found.path), c.content);
        } else {
            EXPECT_EQ(found.path, "");
        }
        EXPECT_FALSE(found.ambiguous);
    }

    // An exact name in a later place comes before a match ignoring case in an
    // earlier one; where the file system itself ignores case, both are exact.
    test::WriteWholeFile(root + "/zwei.pbs", "5");
    const std::string expected = test::CaseSensitiveFileNames(root) ? "5" : "2";
    EXPECT_EQ(test::ReadWholeFile(FindFile({folder + "/ZWEI.PBS", root + "/zwei.pbs"}).path), expected);
}

TEST_F(FileAccessTest, SeveralMatchesIgnoringCaseGuessNone)
{
    if (!test::CaseSensitiveFileNames(root))
        GTEST_SKIP() << "the file system ignores case: \"a.pbs\" and \"A.pbs\" are one file";
    test::WriteWholeFile(root + "/zwei.pbs", "a");
    test::WriteWholeFile(root + "/Zwei.pbs", "b");
    const FoundFile found = FindFile({root + "/ZWEI.PBS"});
    EXPECT_TRUE(found.path.empty());
    EXPECT_TRUE(found.ambiguous);
    EXPECT_EQ(FindFile({root + "/Zwei.pbs"}).path, root + "/Zwei.pbs");
}

}  // namespace
}  // namespace kurvex
