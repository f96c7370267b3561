#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace kurvex {

namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kAnswerTimeoutMs = 5000;
// A copy that just took the lock may need a moment before it listens.
constexpr int kHandOverAttempts = 10;
constexpr int kHandOverPauseMs = 200;
// A request is a short list of paths; anything longer is not from Kurvex.
constexpr qint64 kMaxRequestBytes = 1024 * 1024;
const QByteArray kAnswer = QByteArrayLiteral("ok\n");

QString UserName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user;
}

}  // namespace

QString InstanceServerName(const QString& instanceKey)
{
    const QByteArray hash =
        QCryptographicHash::hash((instanceKey + QLatin1Char('\n') + UserName()).toUtf8(), QCryptographicHash::Sha1);
    QString readable;
    for (const QChar c : instanceKey)
        readable += c.isLetterOrNumber() ? c : QLatin1Char('-');
    return readable + QLatin1Char('-') + QString::fromLatin1(hash.toHex().left(12));
}

SingleInstance::SingleInstance(const QString& instanceKey, const QString& folder, QObject* parent)
    : QObject(parent),
      // A copy with its own lock folder (tests) gets its own socket too.
      m_serverName(InstanceServerName(folder.isEmpty() ? instanceKey : instanceKey + QLatin1Char('@') + folder))
{
    const QString lockFolder = folder.isEmpty() ? QDir::tempPath() : folder;
    m_lock = std::make_unique<QLockFile>(QDir(lockFolder).filePath(m_serverName + QStringLiteral(".lock")));
    m_lock->setStaleLockTime(0);  // only a dead owner makes the lock stale
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    m_lock->unlock();
}

SingleInstance::Role SingleInstance::Start(const QStringList& filesToOpen)
{
    for (int attempt = 0; attempt < kHandOverAttempts; ++attempt) {
        if (m_lock->tryLock(0))
            return Listen() ? Role::First : Role::Failed;
        if (HandOver(filesToOpen))
            return Role::HandedOver;
        QThread::msleep(kHandOverPauseMs);
    }
    return Role::Failed;
}

bool SingleInstance::Listen()
{
    // A copy that crashed leaves its socket file behind; the lock says it is dead.
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::ReadRequest);
    return true;
}

bool SingleInstance::HandOver(const QStringList& files) const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    QByteArray request = QJsonDocument(QJsonArray::fromStringList(files)).toJson(QJsonDocument::Compact);
    request.append('\n');
    socket.write(request);
    if (!socket.waitForBytesWritten(kAnswerTimeoutMs))
        return false;
    QByteArray answer;
    QElapsedTimer timer;
    timer.start();
    while (!answer.endsWith('\n') && timer.elapsed() < kAnswerTimeoutMs) {
        if (!socket.waitForReadyRead(kAnswerTimeoutMs - static_cast<int>(timer.elapsed())))
            break;
        answer += socket.readAll();
    }
    return answer == kAnswer;
}

void SingleInstance::ReadRequest()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxRequestBytes) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QJsonDocument request = QJsonDocument::fromJson(socket->readLine());
            QStringList files;
            for (const QJsonValue& value : request.array()) {
                if (value.isString())
                    files.append(value.toString());
            }
            socket->write(kAnswer);
            socket->flush();
            // Opening the files may run a dialog, and the later copy ends once
            // answered, which deletes this socket from within the dialog's
            // event loop: act on the request after this handler has returned.
            QMetaObject::invokeMethod(
                this, [this, files] { Q_EMIT activationRequested(files); }, Qt::QueuedConnection);
        });
    }
}

}  // namespace kurvex
