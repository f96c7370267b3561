#include "ui/support/GuiTestSupport.h"

#include "chart/ui/ViewContext.h"
#include "common/Version.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kurvex::test {

QString SettingsFolder()
{
    static QTemporaryDir folder;
    return folder.path();
}

void ClearSettings()
{
    QSettings settings;
    settings.clear();
    settings.sync();
}

QString Sample(const char* name) { return QStringLiteral(KURVEX_SAMPLES "/") + QString::fromLatin1(name); }

int PdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return PdfPageCount(file.readAll());
}

namespace {

// Closes a modal window the test left open and says so.
void CloseLeftModal(QWidget* modal, const char* what)
{
    ADD_FAILURE() << what;
    modal->close();
}

}  // namespace

ModalGuard::ModalGuard(int milliseconds)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            CloseLeftModal(modal, "a modal window was still open when the guard time ran out");
    });
    m_timer.start(milliseconds);
}

void AnswerNextModal(std::function<void(QDialog&)> answer)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, answer, started] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (started->elapsed() < kModalGuardMs)
                return;
            ADD_FAILURE() << "no modal dialog to answer appeared";
            timer->stop();
            timer->deleteLater();
            return;
        }
        timer->stop();
        timer->deleteLater();
        answer(*dialog);
        // An answer that failed half-way leaves the dialog open: close it
        // after the guard time so its exec() returns.
        QTimer::singleShot(kModalGuardMs, [open = QPointer<QDialog>(dialog)] {
            if (open && open == QApplication::activeModalWidget())
                CloseLeftModal(open, "the answered dialog was still open when the guard time ran out");
        });
    });
    timer->start();
}

ViewContext MakeViewContext(SettingsStore& settings, const CLabelTable& labels, ExceedancePageFlag& pageFlag,
                            QPrinter& printer)
{
    ViewContext context;
    context.settings = &settings;
    context.labels = &labels;
    context.pageFlag = &pageFlag;
    context.printer = &printer;
    context.versionText = kVersionText;
    context.openInEditor = [](const QString&) {};
    return context;
}

}  // namespace kurvex::test
