#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTcpServer>

// A policy server on loopback for the finder's tests: answers GET requests for the
// paths it knows with their content, 404 for the others, and records each path asked.
// A silent server accepts connections and never answers.
class FakePolicyServer : public QObject
{
    Q_OBJECT

public:
    FakePolicyServer();
    bool listen(const QString &address, quint16 port = 80);
    void close();

    void setSilent(bool silent) { m_silent = silent; }
    QHash<QString, QByteArray> files;
    QStringList requests;

    int count(const QString &path) const { return int(requests.count(path)); }

private:
    void answer(class QTcpSocket *socket);

    QTcpServer m_server;
    bool m_silent = false;
};
