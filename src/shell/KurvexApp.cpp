#include "shell/KurvexApp.h"

#include "common/Version.h"
#include "chart/ui/ChartPrinting.h"
#include "common/ui/QtPath.h"
#include "common/ui/QtText.h"
#include "shell/MainFrame.h"
#include "shell/QSettingsStore.h"
#include "shell/SingleInstance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>

namespace kurvex {

namespace {

constexpr const char* kUserFolderName = "Kurvex4";
constexpr const char* kPreviousUserFolderName = "Kurvex3";

// "4.5.49.0" -> "4.5.49"
QString ShortVersion()
{
    const QStringList parts = QString::fromLatin1(kVersionText).split(QLatin1Char('.'));
    return parts.mid(0, 3).join(QLatin1Char('.'));
}

}  // namespace

QString FrameTitle()
{
    return QStringLiteral("Kurvex ") + ShortVersion();
}

QString InstanceKey()
{
    return FrameTitle() + QStringLiteral(" Class");
}

QString MainWindowCaption()
{
    return QStringLiteral("Kurvex-Viewer ") + ShortVersion();
}

namespace {

// The options of the command line; answers the --open option.
QCommandLineOption DefineStartOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QString::fromUtf8("Kurvex: Darstellung und Auswertung der Messdaten von Planografen."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption open(QStringLiteral("open"), QString::fromUtf8("Öffnet die genannten Messdateien."));
    parser.addOption(open);
    parser.addPositionalArgument(QStringLiteral("DATEI"), QString::fromUtf8("Messdateien (nur mit --open)."),
                                 QStringLiteral("[--open DATEI...]"));
    return open;
}

void Print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

std::optional<int> AnswerWithoutWindow(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption open = DefineStartOptions(parser);
    if (!parser.parse(arguments)) {
        Print(stderr, parser.errorText() + QStringLiteral("\n\n") + parser.helpText());
        return 1;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        Print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        Print(stdout, QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion() +
                          QLatin1Char('\n'));
        return 0;
    }
    // As the original program, a plain file argument opens nothing; say how it is done.
    if (!parser.isSet(open) && !parser.positionalArguments().isEmpty())
        Print(stderr, QString::fromUtf8("kurvex: Messdateien werden mit --open geöffnet, zum Beispiel: "
                                        "kurvex --open %1\n")
                          .arg(parser.positionalArguments().constFirst()));
    return std::nullopt;
}

StartOptions ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption open = DefineStartOptions(parser);
    parser.process(arguments);  // --help and --version end the program here

    StartOptions options;
    if (parser.isSet(open)) {
        for (const QString& file : parser.positionalArguments())
            options.filesToOpen.append(QFileInfo(file).absoluteFilePath());
    }
    return options;
}

CKurvexApp::CKurvexApp() : m_settings(std::make_unique<QSettingsStore>()) {}

CKurvexApp::~CKurvexApp()
{
    // The windows go first: their views release the documents.
    m_mainFrame.reset();
}

bool CKurvexApp::InitInstance(const StartOptions& options)
{
    m_instance = std::make_unique<SingleInstance>(InstanceKey(), options.instanceFolder);
    if (m_instance->Start(options.filesToOpen) == SingleInstance::Role::HandedOver)
        return false;

    const QString base = options.userFolder.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                             : options.userFolder;
    if (!base.isEmpty())
        PrepareUserFolder(base);
    m_labels.LoadLabelFile(kLabelFileName);
    ReadGlobalSettings();

    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    InitPrinterSettings(*m_printer);
    m_printer->setPageOrientation(QPageLayout::Landscape);
    m_versionText = kVersionText;

    m_mainFrame = std::make_unique<CMainFrame>(*this);
    QObject::connect(m_instance.get(), &SingleInstance::activationRequested, m_mainFrame.get(),
                     [frame = m_mainFrame.get()](const QStringList& files) {
                         frame->BringToFront();
                         frame->OpenFiles(files);
                     });
    m_mainFrame->RestoreWorkspace();
    m_mainFrame->show();
    m_mainFrame->OpenFiles(options.filesToOpen);
    return true;
}

void CKurvexApp::PrepareUserFolder(const QString& baseFolder)
{
    const QDir base(baseFolder);
    m_userFolder = base.filePath(QString::fromLatin1(kUserFolderName));
    QDir().mkpath(m_userFolder);
    TakeOverRecentFile(ToCorePath(base.filePath(QString::fromLatin1(kPreviousUserFolderName))),
                       ToCorePath(m_userFolder));
    const std::string listFile = ToCorePath(QDir(m_userFolder).filePath(QString::fromLatin1(kRecentFileName)));
    if (const auto error = m_recent.Load(listFile)) {
        QMessageBox::critical(nullptr, QString::fromLatin1(kRecentErrorCaption), ToQString(*error));
    }
}

void CKurvexApp::ReadGlobalSettings()
{
    m_globalSettings.ReadFrom(*m_settings);
}

ViewContext CKurvexApp::MakeViewContext()
{
    ViewContext context;
    context.settings = m_settings.get();
    context.labels = &m_labels;
    context.pageFlag = &m_pageFlag;
    context.printer = m_printer.get();
    context.versionText = m_versionText;
    context.openInEditor = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    if (m_viewContextHook)
        m_viewContextHook(context);
    return context;
}

}  // namespace kurvex
