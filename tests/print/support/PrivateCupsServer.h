#pragma once
// A print server of the test's own: Debian's cupsd as root on a loopback port,
// with configuration, spool, logs and printed files in a temporary folder, and
// two queues:
//  - a PDF printer (cups-pdf), as a desktop has it: the job runs through the
//    print filters and ghostscript and lands as a new PDF in PdfOutputFolder();
//  - a file printer that keeps the PDF the application sends (a pass-through
//    filter onto a file device), written to FileQueueOutput(), where the
//    printed pages can be measured.
// The server is stopped when the object goes; it also ends with the test
// process, should that die first.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace kurvex::test {

class PrivateCupsServer {
public:
    // Why no server can be started here (not root, cupsd, the PDF printer
    // driver or a client tool missing); empty when one can.
    static QString MissingPrerequisite();

    PrivateCupsServer();
    ~PrivateCupsServer();
    PrivateCupsServer(const PrivateCupsServer&) = delete;
    PrivateCupsServer& operator=(const PrivateCupsServer&) = delete;

    // Starts the server, adds both queues (the PDF printer the server's
    // default) and points this process's print clients at it (CUPS_SERVER),
    // which must happen before the process first asks for a printer. False
    // with the reason.
    bool Start(QString& error);

    QString Address() const;  // "127.0.0.1:PORT"
    QString PdfQueue() const { return m_pdfQueue; }
    QString FileQueue() const { return m_fileQueue; }
    QString FileQueueOutput() const;
    QString PdfOutputFolder() const;
    // The PDF files the PDF printer has written so far, oldest first.
    QStringList PdfOutputs() const;

    // Jobs of the queue that have finished (completed, cancelled or aborted).
    int FinishedJobs(const QString& queue) const;
    // Waits until the queue has finished count jobs and holds no other; false
    // with what was still there after timeoutMs.
    bool WaitForFinishedJobs(const QString& queue, int count, int timeoutMs, QString& error) const;

    // The server's error log: its warnings and errors and its last lines.
    QString ErrorLogExcerpt() const;

private:
    // Runs a client tool against this server; its standard output, or empty
    // with ok false.
    QString RunClient(const QString& program, const QStringList& arguments, bool& ok, QString* errors = nullptr) const;
    bool StartOnFreePort(QString& error);
    bool WaitUntilRunning(int timeoutMs) const;
    bool AddQueues(QString& error);
    void Stop();

    QTemporaryDir m_folder;
    int m_port = 0;
    QString m_pdfQueue;
    QString m_fileQueue;
    QString m_driverConfig;  // cups-pdf reads its per-queue settings from /etc/cups only
    std::unique_ptr<QProcess> m_cupsd;
};

}  // namespace kurvex::test
