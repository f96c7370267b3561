// The recent-file list of the file menu in the settings store.

#include "shell/RecentFileList.h"
#include "ui/support/GuiTestSupport.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace kurvex {
namespace {

class RecentFileListTest : public ::testing::Test {
protected:
    void SetUp() override { test::ClearSettings(); }
    void TearDown() override { test::ClearSettings(); }

    static QString Path(int i) { return QStringLiteral("/runs/Messung_%1.pbs").arg(i); }
};

TEST_F(RecentFileListTest, TheNewestFileComesFirstAndAFileStandsOnce)
{
    RecentFileList list;
    EXPECT_TRUE(list.Files().isEmpty());
    list.Add(Path(1));
    list.Add(Path(2));
    list.Add(Path(3));
    EXPECT_EQ(list.Files(), (QStringList{Path(3), Path(2), Path(1)}));
    list.Add(Path(1));
    EXPECT_EQ(list.Files(), (QStringList{Path(1), Path(3), Path(2)}));
}

TEST_F(RecentFileListTest, KeepsTheTenNewestInTheStoredKeys)
{
    RecentFileList list;
    for (int i = 1; i <= 12; ++i)
        list.Add(Path(i));
    QStringList newest;
    for (int i = 12; i > 2; --i)
        newest << Path(i);
    EXPECT_EQ(list.Files(), newest);

    const QSettings settings;
    EXPECT_EQ(settings.value(QStringLiteral("Recent File List/File1")).toString(), Path(12));
    EXPECT_EQ(settings.value(QStringLiteral("Recent File List/File10")).toString(), Path(3));
    EXPECT_FALSE(settings.contains(QStringLiteral("Recent File List/File11")));
}

// A list written by hand or by an older version may have gaps and repeats; a
// path outside Windows-1252 keeps its characters.
TEST_F(RecentFileListTest, ReadsAStoredListWithGapsAndRepeats)
{
    const QString cyrillic = QStringLiteral("/runs/\u0418\u0437\u043C\u0435\u0440\u0435\u043D\u0438\u0435.pbs");
    {
        QSettings settings;
        settings.setValue(QStringLiteral("Recent File List/File1"), Path(1));
        settings.setValue(QStringLiteral("Recent File List/File2"), QString());
        settings.setValue(QStringLiteral("Recent File List/File3"), Path(1));
        settings.setValue(QStringLiteral("Recent File List/File4"), cyrillic);
        settings.setValue(QStringLiteral("Recent File List/File11"), Path(11));
    }
    EXPECT_EQ(RecentFileList().Files(), (QStringList{Path(1), cyrillic}));
    RecentFileList().Add(Path(2));
    EXPECT_EQ(RecentFileList().Files(), (QStringList{Path(2), Path(1), cyrillic}));
}

}  // namespace
}  // namespace kurvex
