#include "fakepolicyserver.h"

#include <QHostAddress>
#include <QTcpSocket>

FakePolicyServer::FakePolicyServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

bool FakePolicyServer::listen(const QString &address, quint16 port)
{
    return m_server.isListening() || m_server.listen(QHostAddress(address), port);
}

void FakePolicyServer::close()
{
    m_server.close();
}

void FakePolicyServer::answer(QTcpSocket *socket)
{
    if (!socket->canReadLine())
        return;
    const QList<QByteArray> line = socket->readLine().split(' ');
    const QString path = QString::fromLatin1(line.value(1));
    requests << path;
    if (m_silent)
        return;
    const auto found = files.constFind(path);
    const QByteArray status = found == files.constEnd() ? "404 Not Found" : "200 OK";
    const QByteArray body = found == files.constEnd() ? QByteArray() : *found;
    socket->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size())
        + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}
