// The first-load answers kept per file content: a renamed copy keeps its
// answer, an edited file is asked again, a side file keeps the question away,
// and a damaged list file is read as far as it is sound.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/ContentFingerprint.h"
#include "document/FirstLoadAnswerStore.h"
#include "document/KurvexDoc.h"
#include "document/RememberedAnswers.h"
#include "support/DocumentHelpers.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

using test::ScriptedInteraction;

std::string RunBytes(double firstValue)
{
    std::string bytes = "PM01BS02\r\nPruefer|Meier\r\n***\r\n";
    for (int i = 0; i < 20; ++i)
        bytes += test::Pm01bs02Record(i == 0 ? firstValue : 1.0, i * 0.001, 3.5);
    return bytes + "***\r\n";
}

class FirstLoadAnswerStoreTest : public ::testing::Test {
protected:
    std::string folder = test::TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string listFile = folder + "/" + kFirstLoadAnswersFileName;
    ScriptedInteraction asked;
    CEinstellungen settings;

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = folder + "/" + name;
        test::WriteWholeFile(path, bytes);
        return path;
    }

    // Opens the file as the viewer does, with a store over the list file made
    // afresh (as at the next start of the program).
    std::unique_ptr<CKurvexDoc> Open(const std::string& path)
    {
        FirstLoadAnswerStore store(listFile);
        auto doc = std::make_unique<CKurvexDoc>();
        RememberedAnswers interaction(std::make_unique<test::ForwardingInteraction>(asked), store, doc->Run());
        EXPECT_EQ(doc->Open(path, settings, interaction), OpenResult::Opened) << path;
        return doc;
    }
};

TEST_F(FirstLoadAnswerStoreTest, TheAnswerFollowsTheContentNotTheName)
{
    asked.answer = FirstLoadAnswer{true, "5000;1"};
    const std::string original = Write("a1.pbs", RunBytes(1.0));
    EXPECT_TRUE(Open(original)->State().IsMirrored());
    EXPECT_EQ(asked.questions, 1);

    // Opened again and as a renamed copy: applied without asking.
    asked.answer = FirstLoadAnswer{};
    for (const std::string& path : {original, Write("kopie von a1.pbs", RunBytes(1.0))}) {
        const auto doc = Open(path);
        EXPECT_TRUE(doc->State().IsMirrored()) << path;
        EXPECT_EQ(doc->State().KilometreAdjustment(), "5000;1") << path;
    }
    EXPECT_EQ(asked.questions, 1);

    // One value changed: another file, asked again.
    EXPECT_FALSE(Open(Write("a1.pbs", RunBytes(2.0)))->State().IsMirrored());
    EXPECT_EQ(asked.questions, 2);
}

TEST_F(FirstLoadAnswerStoreTest, ARunWithASideFileIsNeverAskedAndNothingIsKept)
{
    const std::string path = Write("a2.pbs", RunBytes(1.0));
    test::WriteWholeFile(path + ".zi4", "MASSSTAB_DER_LAENGE=400\r\n");
    Open(path);
    EXPECT_EQ(asked.questions, 0);
    EXPECT_FALSE(FirstLoadAnswerStore(listFile).Recall(FingerprintOf(RunBytes(1.0))));
}

TEST_F(FirstLoadAnswerStoreTest, AForgottenAnswerIsAskedAgain)
{
    const std::string path = Write("a3.pbs", RunBytes(1.0));
    Open(path);
    FirstLoadAnswerStore(listFile).Forget(FingerprintOf(RunBytes(1.0)));
    Open(path);
    EXPECT_EQ(asked.questions, 2);
}

TEST_F(FirstLoadAnswerStoreTest, ADamagedListKeepsItsSoundLinesAndIsWrittenAnew)
{
    const uint64_t kept = 0x0123456789abcdefULL;
    const std::string sound = FirstLoadAnswerLine(kept, FirstLoadAnswer{true, "-120;0"});
    const std::string bytes = std::string("\x00\xFF\xFE garbage\n", 12) + "0123\t1\t\n" + "fedcba9876543210\t2\t\n" +
                              "fedcba9876543210\t1\t12;7\n" + "FEDCBA9876543210\t0\t\n" + sound + "\r\n" +
                              std::string(1000, '\t');
    test::WriteWholeFile(listFile, bytes);
    FirstLoadAnswerStore store(listFile);
    const auto recalled = store.Recall(kept);
    ASSERT_TRUE(recalled);
    EXPECT_TRUE(recalled->mirror);
    EXPECT_EQ(recalled->kilometreAdjustment, "-120;0");
    EXPECT_FALSE(store.Recall(0xfedcba9876543210ULL));

    store.Remember(7, FirstLoadAnswer{});
    EXPECT_EQ(test::ReadWholeFile(listFile), sound + "\n" + FirstLoadAnswerLine(7, FirstLoadAnswer{}) + "\n");
}

TEST_F(FirstLoadAnswerStoreTest, AListThatIsNoFileOrTooLargeRecallsNothing)
{
    test::MakeFolders(listFile);  // a folder where the list belongs
    FirstLoadAnswerStore folderStore(listFile);
    EXPECT_FALSE(folderStore.Recall(1));
    folderStore.Remember(1, FirstLoadAnswer{true, ""});  // cannot be written: kept for the session
    EXPECT_TRUE(folderStore.Recall(1));

    const std::string large = folder + "/large.txt";
    std::string bytes;
    while (bytes.size() <= 4 * 1024 * 1024)
        bytes += FirstLoadAnswerLine(bytes.size(), FirstLoadAnswer{}) + "\n";
    test::WriteWholeFile(large, FirstLoadAnswerLine(99, FirstLoadAnswer{true, ""}) + "\n" + bytes);
    EXPECT_FALSE(FirstLoadAnswerStore(large).Recall(99));
}

TEST_F(FirstLoadAnswerStoreTest, OnlyTheNewestAnswersAreKept)
{
    std::string lines;
    for (uint64_t i = 0; i <= FirstLoadAnswerStore::kCapacity; ++i)
        lines += FirstLoadAnswerLine(i, FirstLoadAnswer{}) + "\n";
    test::WriteWholeFile(listFile, lines);
    FirstLoadAnswerStore store(listFile);
    EXPECT_FALSE(store.Recall(0));
    EXPECT_TRUE(store.Recall(1));
    store.Remember(FirstLoadAnswerStore::kCapacity + 1, FirstLoadAnswer{});
    FirstLoadAnswerStore reread(listFile);
    EXPECT_FALSE(reread.Recall(1));
    EXPECT_TRUE(reread.Recall(2));
    EXPECT_TRUE(reread.Recall(FirstLoadAnswerStore::kCapacity + 1));
}

TEST(ContentFingerprint, SameBytesSameFingerprintHoweverSplit)
{
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += static_cast<char>(i * 37 % 251);
    const uint64_t whole = FingerprintOf(bytes);
    for (const size_t piece : {size_t{1}, size_t{3}, size_t{7}, size_t{8}, size_t{13}, size_t{999}}) {
        ContentFingerprint fingerprint;
        for (size_t at = 0; at < bytes.size(); at += piece)
            fingerprint.Add(std::string_view(bytes).substr(at, piece));
        EXPECT_EQ(fingerprint.Value(), whole) << piece;
    }
    // Any one byte changed, one more or one less: another fingerprint.
    for (size_t at = 0; at < 16; ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x80);
        EXPECT_NE(FingerprintOf(changed), whole) << at;
    }
    EXPECT_NE(FingerprintOf(bytes + '\0'), whole);
    EXPECT_NE(FingerprintOf(bytes.substr(1)), whole);
    EXPECT_NE(FingerprintOf(""), FingerprintOf(std::string(1, '\0')));

    uint64_t parsed = 0;
    EXPECT_TRUE(ParseFingerprintText(FingerprintText(whole), parsed));
    EXPECT_EQ(parsed, whole);
    EXPECT_FALSE(ParseFingerprintText("0123456789ABCDEF", parsed));
    EXPECT_FALSE(ParseFingerprintText("12", parsed));
}

TEST(ContentFingerprint, TheRunKeepsTheFingerprintOfWhatItRead)
{
    CMessFahrtDaten run;
    run.ReadBytes(RunBytes(1.0));
    EXPECT_EQ(run.FileFingerprint(), FingerprintOf(RunBytes(1.0)));
}

}  // namespace
}  // namespace kurvex
