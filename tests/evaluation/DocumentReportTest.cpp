#include <gtest/gtest.h>

#include "document/KurvexDoc.h"
#include "evaluation/DocumentReport.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

class NoQuestions : public OpenInteraction {
public:
    void ShowMessage(const UserMessage&) override {}
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t, int32_t) override { return {}; }
};

TEST(DocumentReport, TheDocumentKeepsTheLinesOfTheLastBuild)
{
    NoQuestions interaction;
    CKurvexDoc doc;
    ASSERT_EQ(doc.Open(test::FixturePath("../samples/pm01bs02_sample.pbs"), CEinstellungen(), interaction),
              OpenResult::Opened);
    const CUeberschreitungsProtokoll report = RebuildDocumentReport(doc);
    EXPECT_GT(report.PageCount(), 0);
    EXPECT_EQ(doc.ReportLines(), report.Lines());
    ASSERT_FALSE(doc.ReportLines().empty());
    EXPECT_EQ(doc.ReportLines().back(), "ENDE");

    // An evaluation changed in memory shows in the next build.
    doc.State().SetSectionsText("");
    RebuildDocumentReport(doc);
    EXPECT_EQ(doc.ReportLines(), std::vector<std::string>{"ENDE"});
}

}  // namespace
}  // namespace kurvex
