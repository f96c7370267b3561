// kurvex: the viewer. Starts the application; a second start of the same
// version hands its files to the running copy and ends.

#include "common/Version.h"
#include "shell/KurvexApp.h"
#include "shell/Resources.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    kurvex::InitResources();
    // The program speaks German whatever the session's language, Qt's own dialogs too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QApplication::setOrganizationName(QStringLiteral("Ostwerk GmbH"));
    QApplication::setApplicationName(QStringLiteral("Kurvex"));
    QApplication::setApplicationVersion(QString::fromLatin1(kurvex::kVersionText));
    QApplication::setDesktopFileName(QStringLiteral("kurvex"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kurvex.svg")));

    const kurvex::StartOptions options = kurvex::ParseCommandLine(QApplication::arguments());
    kurvex::CKurvexApp app;
    if (!app.InitInstance(options))
        return 0;
    return QApplication::exec();
}
