// kurvex: the viewer. Starts the application; a second start of the same
// version hands its files to the running copy and ends.

#include "common/Version.h"
#include "shell/KurvexApp.h"
#include "shell/Resources.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    kurvex::InitResources();
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
