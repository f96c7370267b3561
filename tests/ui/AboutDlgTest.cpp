// "Info über Kurvex": its texts, the contact box and the two links.

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/ui/Label.h"
#include "shell/AboutDlg.h"

namespace kurvex {
namespace {

std::vector<QString> LabelTexts(const QWidget& widget)
{
    std::vector<QString> texts;
    for (const QLabel* label : widget.findChildren<QLabel*>())
        texts.push_back(label->text());
    return texts;
}

void LeftClick(QWidget& widget)
{
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

TEST(AboutDlg, ShowsProgramVersionMakerAndTheFixedTexts)
{
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Info \u00FCber Kurvex"));
    EXPECT_EQ(dialog.ProgramLine(), QStringLiteral("Kurvex 4.5.49"));
    const std::vector<QString> texts = LabelTexts(dialog);
    const QString expected[] = {
        QStringLiteral("Kurvex 4.5.49"),
        QStringLiteral("Programm zur Darstellung und Auswertung der \nMessdaten von Planografen"),
        QStringLiteral("Entwicklung, Vertrieb und Service:"),
        QStringLiteral("E-Mail:"),
        QStringLiteral("direkt zur Website:"),
    };
    for (const QString& text : expected)
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text.toStdString();
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const QString& text) { return text.contains(QStringLiteral("Ostwerk GmbH")); }));

    const QPlainTextEdit& contact = dialog.ContactBox();
    EXPECT_TRUE(contact.isReadOnly());
    EXPECT_TRUE(contact.toPlainText().startsWith(QStringLiteral("Ostwerk GmbH\n")));
    EXPECT_TRUE(contact.toPlainText().contains(QStringLiteral("Tel. ")));
    EXPECT_GE(contact.toPlainText().count(QLatin1Char('\n')), 3);

    const auto buttons = dialog.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text(), QStringLiteral("OK"));
    buttons.front()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(AboutDlg, ShowsTheProgramIcon)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::red);
    const QIcon previous = QApplication::windowIcon();
    QApplication::setWindowIcon(QIcon(pixmap));
    CAboutDlg dialog;
    QApplication::setWindowIcon(previous);
    const auto* icon = dialog.findChild<QLabel*>(QStringLiteral("ProgramIcon"));
    ASSERT_NE(icon, nullptr);
    const QImage image = icon->pixmap().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::red));
}

TEST(AboutDlg, TheLinksOpenANewMailAndTheWebsiteOfTheExampleDomain)
{
    CAboutDlg dialog;
    dialog.show();
    CLabel& mail = dialog.MailLink();
    CLabel& web = dialog.WebLink();
    EXPECT_EQ(mail.Mode(), CLabel::LinkMode::Mail);
    EXPECT_EQ(web.Mode(), CLabel::LinkMode::Web);
    EXPECT_EQ(mail.text(), QStringLiteral("info@ostwerk.example"));
    EXPECT_EQ(web.text(), QStringLiteral("www.ostwerk.example"));

    std::vector<QUrl> opened;
    const auto record = [&opened](const QUrl& url) { opened.push_back(url); };
    mail.SetUrlOpener(record);
    web.SetUrlOpener(record);
    LeftClick(mail);
    LeftClick(web);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("mailto:info@ostwerk.example")));
    EXPECT_EQ(opened[1], QUrl(QStringLiteral("https://www.ostwerk.example/")));
    for (const QUrl& url : opened)
        EXPECT_TRUE(url.toString().endsWith(QStringLiteral(".example")) || url.host().endsWith(QStringLiteral(".example")));
}

}  // namespace
}  // namespace kurvex
