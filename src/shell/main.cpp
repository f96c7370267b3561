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

#include <optional>

namespace {

void NameTheApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Ostwerk GmbH"));
    QCoreApplication::setApplicationName(QStringLiteral("Kurvex"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kurvex::kVersionText));
}

// The program speaks German whatever the session's language, Qt's own texts too.
void LoadQtTexts(QTranslator& translator)
{
    if (translator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

}  // namespace

int main(int argc, char** argv)
{
    {
        // --help and --version need no display: answered before the windowing application is made.
        QCoreApplication early(argc, argv);
        NameTheApplication();
        QTranslator qtTexts;
        LoadQtTexts(qtTexts);
        if (const std::optional<int> exitCode = kurvex::AnswerWithoutWindow(QCoreApplication::arguments()))
            return *exitCode;
    }

    QApplication application(argc, argv);
    kurvex::InitResources();
    QTranslator qtTexts;
    LoadQtTexts(qtTexts);
    NameTheApplication();
    QApplication::setDesktopFileName(QStringLiteral("kurvex"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kurvex.svg")));

    const kurvex::StartOptions options = kurvex::ParseCommandLine(QApplication::arguments());
    kurvex::CKurvexApp app;
    if (!app.InitInstance(options))
        return 0;
    return QApplication::exec();
}
