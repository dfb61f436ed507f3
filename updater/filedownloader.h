#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "updater/signature.h"
#include <functional>

class QNetworkAccessManager;
class QFile;

namespace hovupdate {

// Downloads one file over HTTP(S) into a destination, as the updater's window needs it:
// DownloadFile() runs the whole download before it returns and lets the window's events
// run meanwhile, so Cancel() from a button takes effect inside it.
//
// The file is received into "<destination>.part" and only renamed over the destination
// when it is complete and its Ed25519 signature ("<url>.sig", 64 bytes, over the file's
// SHA-256) checks against the public key; a failed, reset or cancelled download removes the part file and leaves
// the destination as it was. A part file left by an interrupted run is resumed with a
// Range request.
class FileDownloader : public QWidget {
    Q_OBJECT
public:
    static constexpr int kChunkSize = 1024;
    static constexpr qint64 kBlockSize = 256 * 1024;
    static constexpr int kDefaultStallTimeoutMs = 15000;
    static constexpr qint64 kMaxSignatureBytes = 4096;

    explicit FileDownloader(QWidget* parent = nullptr);
    ~FileDownloader() override;

    bool DownloadFile(const QString& url, const QString& destination,
                      const QString& userName = QString(), const QString& password = QString());
    void Cancel();

    // The key installers must be signed with (32 bytes); the compiled-in key by default.
    void setPublicKey(const QByteArray& key) { publicKey_ = key; }
    // The longest time the server may stay silent before the download is given up.
    void setStallTimeoutMs(int ms) { stallTimeoutMs_ = ms; }
    // Free bytes on the disk that holds the folder; tests replace it.
    std::function<qint64(const QString& folder)> freeSpace;

    bool isDownloading() const { return running_; }
    qint64 bytesReceived() const { return received_; }
    qint64 expectedSize() const { return expected_; }
    static QString partFileName(const QString& destination) {
        return destination + QStringLiteral(".part");
    }
    // Whole percent of received in expected, halves to the even neighbour.
    static qint64 percent(qint64 received, qint64 expected);

signals:
    void DownloadErrors(const QString& text);
    void DownloadEvents(const QString& text);
    void DowloadComplete();
    void DownloadProgress(const QString& percent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    enum class Outcome { Received, Restart, Stopped };

    Outcome receive(const QString& url, const QString& part, qint64 offset,
                    const QString& userName, const QString& password);
    QNetworkReply* get(const QString& url, const QString& userName, const QString& password,
                       qint64 offset);
    // Runs the window's events until the reply moves, the download is cancelled or the
    // server has been silent too long.
    void wait();
    // Lets pending events run between chunks, at most every few milliseconds.
    void pendingEvents();
    void error(const QString& text);
    // False when no signature came; *failure then says why (empty when cancelled).
    bool fetchSignature(const QString& url, const QString& userName, const QString& password,
                        QByteArray* signature, QString* failure);
    bool checkAndPlace(const QString& url, const QString& part, const QString& destination,
                       const QString& userName, const QString& password);
    // Feeds the bytes already in a part file to the signature check.
    bool hashPartFile(const QString& part, qint64 size);
    void dropReply();

    QNetworkAccessManager* network_;
    QPointer<QNetworkReply> reply_;
    QEventLoop* loop_ = nullptr;
    QTimer stall_;
    QElapsedTimer sinceEvents_;
    QByteArray publicKey_;
    SignatureCheck check_;
    int stallTimeoutMs_ = kDefaultStallTimeoutMs;
    bool cancel_ = false;
    bool stalled_ = false;
    bool running_ = false;
    qint64 received_ = 0;
    qint64 expected_ = 0;
};

} // namespace hovupdate
