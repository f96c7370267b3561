// Test main of the window tests: a QApplication on the offscreen platform
// (unless the caller chose one), standard paths in test mode and the settings
// store in a fresh temporary folder, so no test reads or writes a user's files.

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "ui/support/GuiTestSupport.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostwerk GmbH"));
    QApplication::setApplicationName(QStringLiteral("Kurvex"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, kurvex::test::SettingsFolder());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, kurvex::test::SettingsFolder());
    kurvex::test::ClearSettings();
    return RUN_ALL_TESTS();
}
