#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <functional>

class QTcpServer;
class QTcpSocket;

namespace hovtest {

// One answer of the test server, byte for byte.
struct HttpAnswer {
    enum class End { Close, Reset, Stay };
    // Status line and headers without the blank line; empty: the server never answers.
    QByteArray head;
    // Body pieces, sent one after another (the next when the previous has left).
    QList<QByteArray> pieces;
    // Pause before each piece after the first.
    int pauseMs = 0;
    // After the last piece: close, reset the connection, or keep it open.
    End end = End::Close;

    // "HTTP/1.1 <code> <reason>" with Connection: close, Content-Length of the body and the
    // extra header lines given.
    static HttpAnswer status(int code, const QByteArray& reason, const QByteArray& body = {},
                             const QList<QByteArray>& extraHeaders = {});
    static HttpAnswer ok(const QByteArray& body, const QList<QByteArray>& extraHeaders = {}) {
        return status(200, "OK", body, extraHeaders);
    }
    // A head written out by hand (no headers added).
    static HttpAnswer raw(const QByteArray& head, QList<QByteArray> pieces = {},
                          End end = End::Close);
};

struct HttpRequest {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> headers; // names in lower case
};

// A small HTTP/1.1 server on 127.0.0.1 for tests and benchmarks: each request is answered
// as scripted, one request per connection.
class HttpTestServer : public QObject {
    Q_OBJECT
public:
    explicit HttpTestServer(QObject* parent = nullptr);
    ~HttpTestServer() override;

    bool listen();
    quint16 port() const;
    // "http://127.0.0.1:<port>"
    QString base() const;

    // The answer for a path; paths not given get a 404.
    void serve(const QByteArray& path, const HttpAnswer& answer) { answers_[path] = answer; }
    // Decides every answer itself when set.
    std::function<HttpAnswer(const HttpRequest&)> handler;

    QList<HttpRequest> requests;

signals:
    void requestSeen(const hovtest::HttpRequest& request);

private:
    void accept();
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const HttpAnswer& answer);
    void sendNext(QTcpSocket* socket);

    QTcpServer* server_;
    QMap<QByteArray, HttpAnswer> answers_;
};

} // namespace hovtest
