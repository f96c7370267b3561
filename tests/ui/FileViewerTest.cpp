// The file viewer: caption and lines of a run, "keine Datei geladen", the
// umlaut repair, copying, placement, and a run of a million lines that is shown
// without formatting more than the visible lines.

#include <QApplication>
#include <QClipboard>
#include <QTableView>
#include <QTest>
#include <QScreen>
#include <QScrollBar>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/TextHelpers.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"
#include "measurement/ui/FileTextModel.h"
#include "measurement/ui/NMDateiDlg.h"
#include "support/DocumentHelpers.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

std::shared_ptr<CKurvexDoc> OpenedSample(const std::string& name)
{
    auto doc = std::make_shared<CKurvexDoc>();
    EXPECT_EQ(test::OpenSample(*doc, name), OpenResult::Opened) << name;
    return doc;
}

std::shared_ptr<CKurvexDoc> OpenedFile(const std::string& path)
{
    auto doc = std::make_shared<CKurvexDoc>();
    test::ScriptedInteraction interaction;
    EXPECT_EQ(doc->Open(path, CEinstellungen(), interaction), OpenResult::Opened) << path;
    return doc;
}

void PressCtrlC(QWidget& widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("c"));
    QApplication::sendEvent(&widget, &press);
}

QString ShownText(const CNMDateiDlg& viewer)
{
    QString text;
    for (int i = 0; i < viewer.LineCount(); ++i)
        text += viewer.LineText(i) + QLatin1Char('\n');
    return text;
}

TEST(FileViewer, StartsHiddenWithNoFile)
{
    CNMDateiDlg viewer;
    EXPECT_TRUE(viewer.isHidden());
    EXPECT_EQ(viewer.Caption(), QStringLiteral("keine Datei geladen"));
    ASSERT_EQ(viewer.LineCount(), 1);
    EXPECT_EQ(viewer.LineText(0), QStringLiteral("keine Datei geladen"));
}

TEST(FileViewer, ShowsTheFileTextOfTheRunWithItsFileNameAsCaption)
{
    const char* const samples[] = {"pm01bs02_sample.pbs", "imexport_sample.exp", "pm01bs01_sample.txt",
                                   "dated_column_sample.csv", "listing_sample.lst", "road_table_sample.txt"};
    CNMDateiDlg viewer;
    for (const char* sample : samples) {
        SCOPED_TRACE(sample);
        const auto doc = OpenedSample(sample);
        viewer.ShowDocument(doc);
        EXPECT_EQ(viewer.Caption(), QString::fromUtf8(sample));
        EXPECT_EQ(static_cast<size_t>(viewer.LineCount()), doc->Run().FileTextLineCount());
        EXPECT_EQ(ShownText(viewer), ToQString(RepairUmlauts(doc->Run().GetFileText())));
    }
}

TEST(FileViewer, KeepsTheDocumentAliveUntilAnotherIsShown)
{
    CNMDateiDlg viewer;
    auto doc = OpenedSample("pm01bs02_sample.pbs");
    const std::weak_ptr<CKurvexDoc> watched = doc;
    const QString firstLine = ToQString(std::string(doc->Run().FileTextLine(0)));
    viewer.ShowDocument(std::move(doc));
    EXPECT_FALSE(watched.expired());
    EXPECT_EQ(viewer.LineText(0), firstLine);

    viewer.ShowNoFile();
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(viewer.Caption(), QStringLiteral("keine Datei geladen"));
    EXPECT_EQ(viewer.LineCount(), 1);

    viewer.ShowDocument(OpenedSample("pm01bs01_sample.txt"));
    viewer.ShowDocument(nullptr);
    EXPECT_EQ(viewer.Caption(), QStringLiteral("keine Datei geladen"));
    EXPECT_EQ(viewer.LineText(0), QStringLiteral("keine Datei geladen"));
}

TEST(FileViewer, RepairsUtf8UmlautsAndShowsLineEndsAndControlBytesSafely)
{
    const std::string folder = test::TempFolder("file_viewer_umlauts");
    const std::string path = folder + "/Stra\xC3\x9F" "e.pbs";
    test::WriteWholeFile(path, "PM01BS02\r\n"
                               "Pr\xC3\xBC" "fer: \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\x84\xC3\x96\xC3\x9C\r\n"
                               "Amt\tA\x01Z\r\n"
                               "***\r\n"
                               + test::Pm01bs02Record(1.5, 0.001, 3.5, "Br\xC3\xBC" "cke") + "***\r\n");
    const auto doc = OpenedFile(path);
    CNMDateiDlg viewer;
    viewer.ShowDocument(doc);
    EXPECT_EQ(viewer.Caption(), QStringLiteral("Stra\u00DF" "e.pbs"));
    ASSERT_EQ(viewer.LineCount(), 6);
    EXPECT_EQ(viewer.LineText(1), QStringLiteral("Pr\u00FC" "fer: \u00E4\u00F6\u00FC\u00DF\u00C4\u00D6\u00DC"));
    // A tab stays a tab; a control byte is shown as a replacement character.
    EXPECT_EQ(viewer.LineText(2), QStringLiteral("Amt\tA\uFFFDZ"));
    EXPECT_TRUE(viewer.LineText(4).endsWith(QStringLiteral("Br\u00FC" "cke"))) << viewer.LineText(4).toStdString();
}

// The sample's lines in a shown viewer.
class FileViewerOnSample : public ::testing::Test {
protected:
    void SetUp() override
    {
        viewer.ShowDocument(OpenedSample("pm01bs02_sample.pbs"));
        viewer.resize(400, 300);
        viewer.show();
    }

    CNMDateiDlg viewer;
    QTableView& view = viewer.View();
};

TEST_F(FileViewerOnSample, CopiesTheSelectedLines)
{
    QItemSelectionModel& selection = *view.selectionModel();
    const auto row = [&](int r) { return viewer.Model().index(r); };

    selection.select(row(1), QItemSelectionModel::Select);
    PressCtrlC(view);
    EXPECT_EQ(QApplication::clipboard()->text(), viewer.LineText(1));

    // Ranges selected out of order come out in file order.
    selection.select(QItemSelection(row(5), row(6)), QItemSelectionModel::ClearAndSelect);
    selection.select(QItemSelection(row(2), row(3)), QItemSelectionModel::Select);
    PressCtrlC(view);
    EXPECT_EQ(QApplication::clipboard()->text(), viewer.LineText(2) + "\n" + viewer.LineText(3) + "\n"
                                                     + viewer.LineText(5) + "\n" + viewer.LineText(6) + "\n");

    viewer.SelectAll();
    EXPECT_EQ(viewer.SelectedText(), ShownText(viewer));
}

TEST_F(FileViewerOnSample, HomeAndEndGoToTheFirstAndLastLineAndTabLeavesTheLines)
{
    view.setCurrentIndex(viewer.Model().index(5));
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.currentIndex().row(), viewer.LineCount() - 1);
    QTest::keyClick(&view, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(view.currentIndex().row(), 0);
    EXPECT_EQ(viewer.SelectedText(), ShownText(viewer));
    QTest::keyClick(&view, Qt::Key_Tab);
    EXPECT_EQ(view.currentIndex().row(), 0);
}

TEST(FileViewer, FirstShowWhileFloatingGoesToTheLowerRightCorner)
{
    CNMDateiDlg viewer;
    ASSERT_TRUE(viewer.isFloating());
    viewer.resize(300, 200);
    viewer.show();
    const QRect available = viewer.screen()->availableGeometry();
    EXPECT_EQ(viewer.frameGeometry().right(), available.right() - 4);
    EXPECT_EQ(viewer.frameGeometry().bottom(), available.bottom() - 4);

    // Only the first show of the program run places it.
    viewer.hide();
    viewer.move(available.topLeft() + QPoint(10, 10));
    viewer.show();
    EXPECT_EQ(viewer.frameGeometry().topLeft(), available.topLeft() + QPoint(10, 10));
}

// A million-point run: the list knows every line, yet only the lines on the
// screen are ever formatted, on the first show, after a scroll to the end and
// after switching documents.
TEST(FileViewer, AMillionLineRunFormatsOnlyTheVisibleLines)
{
    constexpr int kPoints = 1000000;
    std::string bytes = "PM01BS02\r\n***\r\n";
    bytes.reserve(static_cast<size_t>(kPoints) * 46 + 64);
    for (int i = 0; i < kPoints; ++i)
        bytes += test::Pm01bs02Record(0.1 * (i % 50), i / 10000.0, 3.5, i == kPoints - 1 ? "Ende" : "");
    bytes += "***\r\n";
    auto big = std::make_shared<CKurvexDoc>();
    big->Run().ReadBytes(std::move(bytes));
    ASSERT_TRUE(big->Run().IsLoaded());
    ASSERT_EQ(big->Run().FileTextLineCount(), static_cast<size_t>(kPoints) + 3);

    CNMDateiDlg viewer;
    viewer.resize(400, 400);
    viewer.show();
    viewer.ShowDocument(big);
    FileTextModel& model = viewer.Model();
    EXPECT_EQ(model.rowCount(), kPoints + 3);
    EXPECT_EQ(viewer.LineCount(), kPoints + 3);

    viewer.grab();
    const int visibleRows = model.FormattedRowCount();
    EXPECT_GT(visibleRows, 5);
    EXPECT_LT(visibleRows, 200);

    model.ResetFormattedRowCount();
    viewer.View().scrollToBottom();
    viewer.grab();
    EXPECT_GT(model.FormattedRowCount(), 0);
    EXPECT_LT(model.FormattedRowCount(), 200);
    EXPECT_EQ(viewer.LineText(kPoints + 1), QStringLiteral("4.90 99.9999 3.50 Ende"));
    EXPECT_EQ(viewer.LineText(kPoints + 2), QStringLiteral("***"));

    // Typing a letter searches nothing: a search would format every line.
    model.ResetFormattedRowCount();
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(&viewer.View(), &letter);
    EXPECT_LT(model.FormattedRowCount(), 200);

    // The same run shown again stays where it was scrolled to.
    const int scrolled = viewer.View().verticalScrollBar()->value();
    EXPECT_GT(scrolled, 0);
    viewer.ShowDocument(big);
    EXPECT_EQ(viewer.View().verticalScrollBar()->value(), scrolled);

    // Switching to another run and back resets the model and nothing more.
    viewer.ShowDocument(OpenedSample("pm01bs02_sample.pbs"));
    viewer.ShowDocument(big);
    viewer.grab();
    EXPECT_LT(model.FormattedRowCount(), 200);
    EXPECT_EQ(viewer.View().verticalScrollBar()->value(), 0);
}

}  // namespace
}  // namespace kurvex
