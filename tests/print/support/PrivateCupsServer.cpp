#include "print/support/PrivateCupsServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace kurvex::test {

namespace {

const QStringList kToolFolders = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin"),
                                  QStringLiteral("/bin")};
const QString kPdfBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString kPdfPrinterPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString kPassThroughFilter = QStringLiteral("/usr/lib/cups/filter/gziptoany");
const QString kDriverConfigFolder = QStringLiteral("/etc/cups");
const QString kQueuePrefix = QStringLiteral("kurvex-test-");

// A printer that takes PDF and hands it on unchanged: gziptoany passes an
// uncompressed file through as it is. A file device needs a filter in
// between; without one it writes nothing.
const char* const kFileQueuePpd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KRVXFILE.PPD"
*Manufacturer: "Kurvex"
*Product: "(Kurvex PDF file)"
*ModelName: "Kurvex PDF file"
*ShortNickName: "Kurvex PDF file"
*NickName: "Kurvex PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 gziptoany"
*HWMargins: 0 0 0 0
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*PageSize Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*PageRegion Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea Letter/US Letter: "0 0 612 792"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/US Letter: "612 792"
)PPD";

QString Tool(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name), kToolFolders); }

// A loopback port nobody listens on now.
int FreeLoopbackPort()
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    if (sock < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::getsockname(sock, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(sock);
    return port;
}

bool WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Driver settings of queues whose test process is gone.
void RemoveLeftDriverConfigs()
{
    const QDir folder(kDriverConfigFolder);
    const QString prefix = QStringLiteral("cups-pdf-") + kQueuePrefix + QStringLiteral("pdf-");
    for (const QString& name : folder.entryList({prefix + QStringLiteral("*.conf")}, QDir::Files)) {
        const QString pid = name.mid(prefix.size()).chopped(5);
        if (!QFileInfo::exists(QStringLiteral("/proc/") + pid))
            QFile::remove(folder.filePath(name));
    }
}

int CountLinesOfQueue(const QString& listing, const QString& queue)
{
    int count = 0;
    for (const QString& line : listing.split(QLatin1Char('\n')))
        count += line.startsWith(queue + QLatin1Char('-')) ? 1 : 0;
    return count;
}

}  // namespace

QString PrivateCupsServer::MissingPrerequisite()
{
    if (::geteuid() != 0)
        return QStringLiteral("a private print server runs as root only");
    for (const char* tool : {"cupsd", "lpadmin", "lpstat"}) {
        if (Tool(tool).isEmpty())
            return QStringLiteral("%1 is missing (packages cups, cups-client)").arg(QString::fromLatin1(tool));
    }
    if (!QFileInfo::exists(kPdfBackend) || !QFileInfo::exists(kPdfPrinterPpd))
        return QStringLiteral("the PDF printer driver is missing (package printer-driver-cups-pdf)");
    if (!QFileInfo::exists(kPassThroughFilter))
        return QStringLiteral("%1 is missing (package cups-filters)").arg(kPassThroughFilter);
    if (!QFileInfo(kDriverConfigFolder).isWritable())
        return QStringLiteral("%1 cannot be written").arg(kDriverConfigFolder);
    return QString();
}

PrivateCupsServer::PrivateCupsServer()
{
    const QString pid = QString::number(QCoreApplication::applicationPid());
    m_pdfQueue = kQueuePrefix + QStringLiteral("pdf-") + pid;
    m_fileQueue = kQueuePrefix + QStringLiteral("file-") + pid;
}

PrivateCupsServer::~PrivateCupsServer() { Stop(); }

QString PrivateCupsServer::Address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

QString PrivateCupsServer::FileQueueOutput() const
{
    return m_folder.filePath(QStringLiteral("printed/file-queue.pdf"));
}

QString PrivateCupsServer::PdfOutputFolder() const { return m_folder.filePath(QStringLiteral("printed/pdf")); }

QStringList PrivateCupsServer::PdfOutputs() const
{
    const QDir folder(PdfOutputFolder());
    QStringList paths;
    for (const QString& name : folder.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time | QDir::Reversed))
        paths << folder.filePath(name);
    return paths;
}

bool PrivateCupsServer::Start(QString& error)
{
    if (!m_folder.isValid()) {
        error = QStringLiteral("no temporary folder");
        return false;
    }
    RemoveLeftDriverConfigs();
    // The filters run as the user lp: they need to pass through the folder.
    QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                               QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QDir root(m_folder.path());
    for (const char* sub : {"conf", "spool", "spool/tmp", "cache", "state", "log", "printed", "printed/pdf"})
        root.mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(root.filePath(QStringLiteral("printed")),
                          QFile::permissions(m_folder.path()) | QFile::WriteGroup | QFile::WriteOther);

    // A port found free may be taken before the server binds it: then another.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt)
        started = StartOnFreePort(error);
    if (!started)
        return false;
    if (!AddQueues(error))
        return false;
    qputenv("CUPS_SERVER", Address().toLatin1());
    return true;
}

bool PrivateCupsServer::StartOnFreePort(QString& error)
{
    const QDir root(m_folder.path());
    m_port = FreeLoopbackPort();
    if (m_port == 0) {
        error = QStringLiteral("no free loopback port");
        return false;
    }
    const QString conf = root.filePath(QStringLiteral("conf"));
    const QString server = QStringLiteral(
                               "Listen 127.0.0.1:%1\n"
                               "LogLevel debug\n"
                               "MaxLogSize 0\n"
                               "Browsing No\n"
                               "WebInterface No\n"
                               "DefaultAuthType None\n"
                               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                               "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                               "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n  </Limit>\n"
                               "</Policy>\n")
                               .arg(m_port);
    const QString files = QStringLiteral(
                              "ServerRoot %1/conf\n"
                              "RequestRoot %1/spool\n"
                              "TempDir %1/spool/tmp\n"
                              "CacheDir %1/cache\n"
                              "StateDir %1/state\n"
                              "ErrorLog %1/log/error_log\n"
                              "AccessLog %1/log/access_log\n"
                              "PageLog %1/log/page_log\n"
                              "SystemGroup root\n"
                              "FileDevice Yes\n")
                              .arg(m_folder.path());
    if (!WriteText(conf + QStringLiteral("/cupsd.conf"), server) ||
        !WriteText(conf + QStringLiteral("/cups-files.conf"), files) ||
        !WriteText(conf + QStringLiteral("/file-queue.ppd"), QString::fromLatin1(kFileQueuePpd))) {
        error = QStringLiteral("cannot write the server's configuration");
        return false;
    }

    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd->setStandardOutputFile(root.filePath(QStringLiteral("log/cupsd_output")));
    // Should the test process die, the server goes with it.
    m_cupsd->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd->start(Tool("cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), conf + QStringLiteral("/cupsd.conf"),
                                   QStringLiteral("-s"), conf + QStringLiteral("/cups-files.conf")});
    if (!m_cupsd->waitForStarted(10000) || !WaitUntilRunning(20000)) {
        error =
            QStringLiteral("cupsd did not start: %1").arg(ReadText(root.filePath(QStringLiteral("log/cupsd_output"))));
        Stop();
        return false;
    }
    return true;
}

bool PrivateCupsServer::AddQueues(QString& error)
{
    m_driverConfig = kDriverConfigFolder + QStringLiteral("/cups-pdf-%1.conf").arg(m_pdfQueue);
    const QString driverSettings = QStringLiteral(
                                       "Out %1\n"
                                       "AnonDirName %1\n"
                                       "Spool %2/spool/cups-pdf\n"
                                       "Log %2/log\n"
                                       "Grp root\n")
                                       .arg(PdfOutputFolder(), m_folder.path());
    if (!WriteText(m_driverConfig, driverSettings)) {
        error = QStringLiteral("cannot write %1").arg(m_driverConfig);
        return false;
    }
    const QString ppd = m_folder.filePath(QStringLiteral("conf/file-queue.ppd"));
    const QList<QStringList> commands = {
        {QStringLiteral("-p"), m_pdfQueue, QStringLiteral("-v"), QStringLiteral("cups-pdf:/") + m_pdfQueue,
         QStringLiteral("-P"), kPdfPrinterPpd, QStringLiteral("-E")},
        {QStringLiteral("-p"), m_fileQueue, QStringLiteral("-v"), QStringLiteral("file://") + FileQueueOutput(),
         QStringLiteral("-P"), ppd, QStringLiteral("-E")},
        {QStringLiteral("-d"), m_pdfQueue},
    };
    for (const QStringList& arguments : commands) {
        bool ok = false;
        QString errors;
        RunClient(Tool("lpadmin"), arguments, ok, &errors);
        if (!ok) {
            error = QStringLiteral("lpadmin %1 failed: %2").arg(arguments.join(QLatin1Char(' ')), errors);
            return false;
        }
    }
    return true;
}

QString PrivateCupsServer::RunClient(const QString& program, const QStringList& arguments, bool& ok,
                                     QString* errors) const
{
    QProcess process;
    process.start(program, QStringList{QStringLiteral("-h"), Address()} + arguments);
    ok = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return ok ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

bool PrivateCupsServer::WaitUntilRunning(int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && m_cupsd->state() == QProcess::Running) {
        bool ok = false;
        if (RunClient(Tool("lpstat"), {QStringLiteral("-r")}, ok).contains(QStringLiteral("is running")))
            return true;
        QThread::msleep(100);
    }
    return false;
}

int PrivateCupsServer::FinishedJobs(const QString& queue) const
{
    bool ok = false;
    const QString listing =
        RunClient(Tool("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue}, ok);
    return CountLinesOfQueue(listing, queue);
}

bool PrivateCupsServer::WaitForFinishedJobs(const QString& queue, int count, int timeoutMs, QString& error) const
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        bool ok = false;
        const QString pending = RunClient(Tool("lpstat"), {QStringLiteral("-o"), queue}, ok);
        const int finished = FinishedJobs(queue);
        if (ok && finished >= count && CountLinesOfQueue(pending, queue) == 0)
            return true;
        if (deadline.hasExpired()) {
            bool stateOk = false;
            const QString state =
                RunClient(Tool("lpstat"), {QStringLiteral("-l"), QStringLiteral("-p"), queue}, stateOk);
            error = QStringLiteral("after %1 s queue %2 has finished %3 of %4 jobs; still there:\n%5\n%6")
                        .arg(timeoutMs / 1000)
                        .arg(queue)
                        .arg(finished)
                        .arg(count)
                        .arg(pending, state);
            return false;
        }
        QThread::msleep(200);
    }
}

QString PrivateCupsServer::ErrorLogExcerpt() const
{
    // Its warnings and errors, and what the jobs' filters and backends said last.
    const QStringList lines = ReadText(m_folder.filePath(QStringLiteral("log/error_log"))).split(QLatin1Char('\n'));
    QStringList problems;
    QStringList jobs;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("E ")) || line.startsWith(QLatin1String("W ")))
            problems << line;
        else if (line.contains(QLatin1String("] [Job ")))
            jobs << line;
    }
    return (problems + QStringList{QStringLiteral("--- the jobs, last lines ---")} +
            jobs.mid(std::max<qsizetype>(0, jobs.size() - 150)))
        .join(QLatin1Char('\n'));
}

void PrivateCupsServer::Stop()
{
    if (m_cupsd && m_cupsd->state() != QProcess::NotRunning) {
        m_cupsd->terminate();
        if (!m_cupsd->waitForFinished(10000)) {
            m_cupsd->kill();
            m_cupsd->waitForFinished(5000);
        }
    }
    m_cupsd.reset();
    if (!m_driverConfig.isEmpty())
        QFile::remove(m_driverConfig);
    m_driverConfig.clear();
}

}  // namespace kurvex::test
