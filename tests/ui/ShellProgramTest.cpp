// The real program started twice: the second start hands its files to the
// first and ends with exit code 0; a plain file argument opens nothing.

#include "shell/KurvexApp.h"
#include "shell/SingleInstance.h"
#include "ui/support/GuiTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace kurvex {
namespace {

#ifdef KURVEX_PROGRAM

class ProgramProcess {
public:
    explicit ProgramProcess(const QTemporaryDir& home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), home.path());
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        m_process.setProcessEnvironment(env);
        m_process.setProgram(QStringLiteral(KURVEX_PROGRAM));
    }
    ~ProgramProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    QProcess& Process() { return m_process; }

private:
    QProcess m_process;
};

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < timeoutMs)
        QThread::msleep(50);
    return pred();
}

QString ConfigText(const QTemporaryDir& home)
{
    QFile file(home.filePath(QStringLiteral("config/Ostwerk GmbH/Kurvex.conf")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(ShellProgram, ASecondStartHandsOverItsFilesAndEnds)
{
    QTemporaryDir home;
    const QString sample = QFileInfo(test::Sample("pm01bs02_sample.pbs")).canonicalFilePath();
    const QString socket = QDir(home.path()).filePath(InstanceServerName(InstanceKey()));

    ProgramProcess first(home);
    first.Process().setArguments({sample});  // a plain argument opens nothing
    first.Process().start();
    ASSERT_TRUE(first.Process().waitForStarted());
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(socket); })) << "the first copy never listened";

    ProgramProcess second(home);
    second.Process().setArguments({QStringLiteral("--open"), sample});
    second.Process().start();
    ASSERT_TRUE(second.Process().waitForFinished(20000));
    EXPECT_EQ(second.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.Process().exitCode(), 0);
    EXPECT_EQ(first.Process().state(), QProcess::Running);

    // The first copy opened the handed file: it is now first in its recent-file list.
    EXPECT_TRUE(WaitUntil([&] { return ConfigText(home).contains(sample); }, 30000)) << ConfigText(home).toStdString();
}

TEST(ShellProgram, VersionAndHelpAnswerWithoutAWindow)
{
    QTemporaryDir home;
    ProgramProcess program(home);
    program.Process().setArguments({QStringLiteral("--version")});
    program.Process().start();
    ASSERT_TRUE(program.Process().waitForFinished(20000));
    EXPECT_EQ(program.Process().exitCode(), 0);
    EXPECT_TRUE(program.Process().readAllStandardOutput().contains("4.5.49.0"));
}

// Without any display, as on a server or over ssh: the answers that need no
// window come before the windowing system is asked for.
TEST(ShellProgram, HelpVersionAndAPlainFileArgumentWithoutADisplay)
{
    const struct {
        QStringList arguments;
        int exitCode;  // -1: any (the program goes on and needs the display it lacks)
        const char* stdoutPart;
        const char* stderrPart;
    } cases[] = {
        {{QStringLiteral("--help")}, 0, "--open", ""},
        {{QStringLiteral("--version")}, 0, "Kurvex 4.5.49.0", ""},
        {{QStringLiteral("--bogus")}, 1, "", "bogus"},
        {{QStringLiteral("messung.pbs")}, -1, "", "kurvex --open messung.pbs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        QTemporaryDir home;
        ProgramProcess program(home);
        QProcessEnvironment env = program.Process().processEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        program.Process().setProcessEnvironment(env);
        program.Process().setArguments(c.arguments);
        program.Process().start();
        ASSERT_TRUE(program.Process().waitForFinished(20000));
        if (c.exitCode >= 0) {
            EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(program.Process().exitCode(), c.exitCode);
        }
        EXPECT_TRUE(program.Process().readAllStandardOutput().contains(c.stdoutPart));
        EXPECT_TRUE(program.Process().readAllStandardError().contains(c.stderrPart));
    }
}

#endif

}  // namespace
}  // namespace kurvex
