#include <gtest/gtest.h>

#include "document/KurvexDoc.h"
#include "evaluation/DocumentReport.h"
#include "support/DocumentHelpers.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

TEST(DocumentReport, TheDocumentKeepsTheLinesOfTheLastBuild)
{
    CKurvexDoc doc;
    ASSERT_EQ(test::OpenSample(doc, "pm01bs02_sample.pbs"), OpenResult::Opened);
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
