#include "tests/support/httptestserver.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

namespace hovtest {

namespace {

// Per-connection progress through an answer.
struct Sending {
    HttpAnswer answer;
    qsizetype next = 0;
    bool waiting = false;
};

constexpr qint64 kHighWater = 256 * 1024;

} // namespace

HttpAnswer HttpAnswer::status(int code, const QByteArray& reason, const QByteArray& body,
                              const QList<QByteArray>& extraHeaders) {
    HttpAnswer a;
    a.head = "HTTP/1.1 " + QByteArray::number(code) + ' ' + reason +
             "\r\nConnection: close\r\nContent-Length: " + QByteArray::number(body.size());
    for (const QByteArray& h : extraHeaders)
        a.head += "\r\n" + h;
    if (!body.isEmpty())
        a.pieces << body;
    return a;
}

HttpAnswer HttpAnswer::raw(const QByteArray& head, QList<QByteArray> pieces, End end) {
    HttpAnswer a;
    a.head = head;
    a.pieces = std::move(pieces);
    a.end = end;
    return a;
}

HttpTestServer::HttpTestServer(QObject* parent) : QObject(parent), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &HttpTestServer::accept);
}

HttpTestServer::~HttpTestServer() = default;

bool HttpTestServer::listen() {
    return server_->listen(QHostAddress::LocalHost, 0);
}

quint16 HttpTestServer::port() const {
    return server_->serverPort();
}

QString HttpTestServer::base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

void HttpTestServer::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
    }
}

void HttpTestServer::readRequest(QTcpSocket* socket) {
    if (socket->property("answered").toBool()) {
        socket->readAll();
        return;
    }
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("buffer", buffer);
        return;
    }
    socket->setProperty("answered", true);
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    HttpRequest request;
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
    }
    requests << request;
    emit requestSeen(request);
    HttpAnswer a;
    if (handler)
        a = handler(request);
    else if (answers_.contains(request.path))
        a = answers_.value(request.path);
    else
        a = HttpAnswer::status(404, "Not Found", "<html>404 Not Found 22</html>");
    answer(socket, a);
}

void HttpTestServer::answer(QTcpSocket* socket, const HttpAnswer& a) {
    if (a.head.isEmpty())
        return; // a server that never answers
    auto* sending = new Sending{a};
    socket->setProperty("sending", QVariant::fromValue(static_cast<void*>(sending)));
    connect(socket, &QObject::destroyed, socket, [sending] { delete sending; });
    socket->write(a.head + "\r\n\r\n");
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { sendNext(socket); });
    sendNext(socket);
}

void HttpTestServer::sendNext(QTcpSocket* socket) {
    auto* s = static_cast<Sending*>(socket->property("sending").value<void*>());
    if (!s || s->waiting || socket->bytesToWrite() > kHighWater)
        return;
    if (s->next < s->answer.pieces.size()) {
        if (s->next > 0 && s->answer.pauseMs > 0) {
            s->waiting = true;
            QPointer<QTcpSocket> guard(socket);
            QTimer::singleShot(s->answer.pauseMs, this, [this, guard, s] {
                if (!guard)
                    return;
                s->waiting = false;
                guard->write(s->answer.pieces.at(s->next++));
                sendNext(guard);
            });
            return;
        }
        socket->write(s->answer.pieces.at(s->next++));
        // Several pieces may go out at once while the buffer is low.
        if (s->answer.pauseMs == 0 && socket->bytesToWrite() <= kHighWater)
            QTimer::singleShot(0, socket, [this, socket] { sendNext(socket); });
        return;
    }
    if (socket->bytesToWrite() > 0)
        return; // the end waits until everything has left
    switch (s->answer.end) {
    case HttpAnswer::End::Close:
        s->next = s->answer.pieces.size() + 1;
        socket->disconnectFromHost();
        break;
    case HttpAnswer::End::Reset: {
        // A zero linger time makes close() send a reset instead of an orderly end.
        const linger noLinger{1, 0};
        ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER,
                     &noLinger, sizeof noLinger);
        socket->abort();
        break;
    }
    case HttpAnswer::End::Stay:
        break;
    }
}

} // namespace hovtest
