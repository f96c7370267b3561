#pragma once
// One running copy per version. The first copy holds a lock file and listens on
// a local socket named after the instance key; a later copy hands its files to
// open over that socket and ends. A lock left by a crashed copy is stale (its
// process is gone) and is taken over together with the dead socket.

#include <QLockFile>
#include <QObject>
#include <QStringList>

#include <memory>

class QLocalServer;

namespace kurvex {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // instanceKey: e.g. "Kurvex 4.5.49 Class"; folder: where the lock file lies
    // (empty: the system's temporary folder).
    explicit SingleInstance(const QString& instanceKey, const QString& folder = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Role { First, HandedOver, Failed };
    // Becomes the first copy, or hands the files (absolute paths) to the running one.
    Role Start(const QStringList& filesToOpen);

    QString ServerName() const { return m_serverName; }

Q_SIGNALS:
    // A later copy started: bring the window forward and open these files.
    void activationRequested(const QStringList& files);

private:
    bool Listen();
    bool HandOver(const QStringList& files) const;
    void ReadRequest();

    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

// The name of the local socket for an instance key: only characters every
// platform accepts, and the user's name so two users do not meet.
QString InstanceServerName(const QString& instanceKey);

}  // namespace kurvex
