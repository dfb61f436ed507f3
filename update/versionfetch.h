#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;

namespace hov::update {

// Fetches the version file without blocking: the window keeps painting while it waits.
// finished() carries the file's text, or an empty text when the fetch failed (no
// connection, an error status, a time-out): the check treats both as "no newer version".
class VersionFetch : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultTimeoutMs = 15000;
    // More than any version file needs; a bigger answer is not a version file.
    static constexpr qint64 kMaxBytes = 64 * 1024;

    explicit VersionFetch(QObject* parent = nullptr);
    ~VersionFetch() override;

    void setTimeoutMs(int ms) { timeoutMs_ = ms; }
    int timeoutMs() const { return timeoutMs_; }

    // Starts a fetch; a fetch still running is abandoned first.
    void start(const QUrl& url);
    // Abandons a running fetch; finished() is not emitted for it.
    void abort();
    bool isRunning() const { return reply_ != nullptr; }

signals:
    void finished(const QByteArray& text);

private:
    void done();

    QNetworkAccessManager* network_;
    QPointer<QNetworkReply> reply_;
    QTimer deadline_;
    int timeoutMs_ = kDefaultTimeoutMs;
    bool timedOut_ = false;
};

} // namespace hov::update
