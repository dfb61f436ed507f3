#include "updater/filedownloader.h"

#include "updater/signature.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPainter>
#include <QPainterPath>
#include <QStorageInfo>

#include <filesystem>
#include <system_error>

namespace hovupdate {

namespace {

const QString kCannotConnect = QStringLiteral("Cannot establish connection.");
const QString kReset = QStringLiteral("The connection with the server was reset.");
const QString kNoSpace = QStringLiteral("There is not enough free space on disk for this file.");
const QString kNoLength = QStringLiteral(
    "سرور اندازه فايل را اعلام نکرد (Content-Length)؛ فايل دانلود نشد.");
const QString kCompressed = QStringLiteral(
    "سرور فايل را فشرده (%1) فرستاد؛ برنامه به روز رساني خود فايل را لازم دارد و آن را دانلود نکرد.");
const QString kNoSignature = QStringLiteral(
    "امضاي برنامه نصب از سرور دريافت نشد؛ برنامه نصب بدون امضاي معتبر اجرا نمي شود و حذف شد.\n");
const QString kBadSignature = QStringLiteral(
    "امضاي برنامه نصب دريافت شده معتبر نيست؛ فايل از ناشر نرم افزار نيست يا در راه خراب شده است. "
    "فايل حذف شد و اجرا نمي شود.");

// Refused, unknown host, closed before any answer: no HTTP answer at all.
bool isConnectionFailure(QNetworkReply::NetworkError e) {
    switch (e) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
        return true;
    default:
        return false;
    }
}

// The answer's first line as the server sent it, closed by a carriage return. The HTTP
// client gives the code and the reason, not the version it spoke.
QString firstLine(QNetworkReply* reply) {
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status <= 0)
        return QStringLiteral("<nothing>");
    const QString reason =
        QString::fromLatin1(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
    const bool http2 = reply->attribute(QNetworkRequest::Http2WasUsedAttribute).toBool();
    QString line = (http2 ? QStringLiteral("HTTP/2 ") : QStringLiteral("HTTP/1.1 ")) +
                   QString::number(status);
    if (!reason.isEmpty())
        line += QLatin1Char(' ') + reason;
    return line + QLatin1Char('\r');
}

QString writeError(int number, const QString& description) {
    return QStringLiteral("Cannot write file to disk.\r\rError ") + QString::number(number) +
           QStringLiteral(": ") + description;
}

// A whole number of bytes from a header: digits only, or -1.
qint64 headerNumber(const QByteArray& value) {
    const QByteArray v = value.trimmed();
    if (v.isEmpty() || v.size() > 18)
        return -1;
    for (char c : v)
        if (c < '0' || c > '9')
            return -1;
    return v.toLongLong();
}

// The first byte of "bytes <first>-<last>/<total>", or -1.
qint64 rangeStart(const QByteArray& contentRange) {
    const QByteArray v = contentRange.trimmed();
    if (!v.startsWith("bytes "))
        return -1;
    const qsizetype dash = v.indexOf('-');
    return dash < 0 ? -1 : headerNumber(v.mid(6, dash - 6));
}

qint64 availableSpace(const QString& folder) {
    QFileInfo existing(folder);
    while (!existing.exists() && !existing.isRoot() && existing.absoluteFilePath() != existing.absolutePath())
        existing = QFileInfo(existing.absolutePath());
    const QStorageInfo storage(existing.absoluteFilePath());
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

} // namespace

FileDownloader::FileDownloader(QWidget* parent)
    : QWidget(parent), network_(new QNetworkAccessManager(this)), publicKey_(compiledPublicKey()) {
    setObjectName(QStringLiteral("FileDownloader"));
    // 1020 x 945 twips, always.
    setFixedSize(68, 63);
    stall_.setSingleShot(true);
    connect(&stall_, &QTimer::timeout, this, [this] {
        stalled_ = true;
        if (reply_)
            reply_->abort();
    });
}

FileDownloader::~FileDownloader() {
    cancel_ = true;
    dropReply();
}

qint64 FileDownloader::percent(qint64 received, qint64 expected) {
    if (expected <= 0)
        return 0;
    const qint64 scaled = received * 100;
    qint64 q = scaled / expected;
    const qint64 r = scaled % expected;
    if (2 * r > expected || (2 * r == expected && (q & 1)))
        ++q;
    return q;
}

void FileDownloader::Cancel() {
    cancel_ = true;
    if (loop_)
        loop_->quit();
}

bool FileDownloader::DownloadFile(const QString& url, const QString& destination,
                                  const QString& userName, const QString& password) {
    if (running_)
        return false;
    running_ = true;
    cancel_ = false;
    received_ = 0;
    expected_ = 0;
    sinceEvents_.start();
    emit DownloadEvents(QStringLiteral("Getting file information"));
    QCoreApplication::processEvents();

    const QString part = partFileName(destination);
    bool placed = false;
    if (!cancel_) {
        const QFileInfo left(part);
        // A part file left by an interrupted run is continued where it stopped.
        const qint64 offset = left.isFile() ? left.size() : 0;
        Outcome outcome = receive(url, part, offset, userName, password);
        if (outcome == Outcome::Restart) {
            QFile::remove(part);
            outcome = receive(url, part, 0, userName, password);
        }
        if (outcome == Outcome::Received && !cancel_ && expected_ > 0 && received_ == expected_)
            placed = checkAndPlace(url, part, destination, userName, password);
    }
    if (!placed) {
        // The hashing thread stops here, not at the next download.
        check_.reset();
        if (QFileInfo::exists(part) && !cancel_)
            error(kReset);
        QFile::remove(part);
    }
    dropReply();
    running_ = false;
    if (placed && !cancel_)
        emit DowloadComplete();
    return placed;
}

QNetworkReply* FileDownloader::get(const QString& url, const QString& userName,
                                   const QString& password, qint64 offset) {
    dropReply();
    QUrl address(url);
    if (!userName.isEmpty()) {
        address.setUserName(userName);
        address.setPassword(password);
    }
    QNetworkRequest request(address);
    request.setRawHeader("Range", "bytes=" + QByteArray::number(offset) + '-');
    // Without this the client asks for a compressed body and unpacks it silently, and the
    // byte counts no longer match Content-Length.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    stalled_ = false;
    reply_ = network_->get(request);
    // The client stops reading from the server while this much waits unread.
    reply_->setReadBufferSize(4 * 1024 * 1024);
    auto moved = [this] {
        stall_.start(stallTimeoutMs_);
        if (loop_)
            loop_->quit();
    };
    connect(reply_, &QNetworkReply::metaDataChanged, this, moved);
    connect(reply_, &QNetworkReply::readyRead, this, moved);
    connect(reply_, &QNetworkReply::finished, this, [this] {
        stall_.stop();
        if (loop_)
            loop_->quit();
    });
    stall_.start(stallTimeoutMs_);
    return reply_;
}

void FileDownloader::dropReply() {
    stall_.stop();
    if (!reply_)
        return;
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    if (!reply->isFinished())
        reply->abort();
    reply->deleteLater();
}

void FileDownloader::wait() {
    if (cancel_)
        return;
    QEventLoop loop;
    loop_ = &loop;
    const int result = loop.exec();
    loop_ = nullptr;
    // The application is ending: no event loop runs any more.
    if (result == -1)
        cancel_ = true;
    sinceEvents_.restart();
}

// Running the events after every 1024 bytes would cost more than the transfer itself on a
// fast line; every few milliseconds keeps the window as lively.
void FileDownloader::pendingEvents() {
    if (sinceEvents_.elapsed() < 4)
        return;
    QCoreApplication::processEvents();
    sinceEvents_.restart();
}

void FileDownloader::error(const QString& text) {
    cancel_ = true;
    if (reply_ && !reply_->isFinished())
        reply_->abort();
    emit DownloadErrors(text);
}

FileDownloader::Outcome FileDownloader::receive(const QString& url, const QString& part,
                                                qint64 offset, const QString& userName,
                                                const QString& password) {
    received_ = 0;
    expected_ = 0;
    QNetworkReply* reply = get(url, userName, password, offset);
    while (!cancel_ && !reply->isFinished() &&
           !reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        wait();
    if (cancel_)
        return Outcome::Stopped;

    const QVariant statusValue = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!statusValue.isValid()) {
        if (stalled_ || isConnectionFailure(reply->error()))
            error(kCannotConnect);
        else
            error(QStringLiteral("Error: ") + reply->errorString() + QStringLiteral(" occurred."));
        return Outcome::Stopped;
    }
    const int status = statusValue.toInt();
    // The part file is not a beginning of what the server has now: start again.
    if (status == 416 && offset > 0) {
        while (!cancel_ && !reply->isFinished())
            wait();
        return cancel_ ? Outcome::Stopped : Outcome::Restart;
    }
    switch (status) {
    case 200:
    case 206:
        break;
    case 204:
        error(QStringLiteral("Nothing to download!"));
        return Outcome::Stopped;
    case 401:
        error(QStringLiteral("Authorization failed!"));
        return Outcome::Stopped;
    case 404:
        error(QStringLiteral("The file, \"") + url + QStringLiteral("\" was not found!"));
        return Outcome::Stopped;
    default:
        error(QStringLiteral("The server returned the following response:\r\r") + firstLine(reply));
        return Outcome::Stopped;
    }

    const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity") {
        error(kCompressed.arg(QString::fromLatin1(encoding)));
        return Outcome::Stopped;
    }
    const qint64 length = headerNumber(reply->rawHeader("Content-Length"));
    if (length < 0) {
        error(kNoLength);
        return Outcome::Stopped;
    }
    if (length == 0) {
        error(QStringLiteral("Nothing to download!"));
        return Outcome::Stopped;
    }
    qint64 start = 0;
    if (status == 206) {
        const QByteArray range = reply->rawHeader("Content-Range");
        start = range.isEmpty() && offset == 0 ? 0 : rangeStart(range);
        if (start != offset) {
            if (offset > 0)
                return Outcome::Restart;
            error(QStringLiteral("The server returned the following response:\r\r") + firstLine(reply));
            return Outcome::Stopped;
        }
    }
    received_ = start;
    expected_ = start + length;
    check_.reset();
    if (start > 0 && !hashPartFile(part, start))
        return cancel_ ? Outcome::Stopped : Outcome::Restart;

    const QString folder = QFileInfo(part).absolutePath();
    const qint64 free = freeSpace ? freeSpace(folder) : availableSpace(folder);
    if (free >= 0 && free < length) {
        error(kNoSpace);
        return Outcome::Stopped;
    }

    QCoreApplication::processEvents();
    sinceEvents_.restart();
    if (cancel_)
        return Outcome::Stopped;
    if (!QDir().mkpath(folder)) {
        error(writeError(QFileDevice::OpenError,
                         QStringLiteral("Cannot create the folder ") + QDir::toNativeSeparators(folder)));
        return Outcome::Stopped;
    }
    QFile file(part);
    // A 200 answer to a Range request sends the whole file: start it again from zero.
    const QIODevice::OpenMode mode =
        start > 0 ? QIODevice::WriteOnly | QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!file.open(mode)) {
        error(writeError(file.error(), file.errorString()));
        return Outcome::Stopped;
    }

    // The body goes through in chunks of 1024 bytes: each is counted and reported on its
    // own. They are taken from the answer and written in blocks of whole chunks, one
    // system call per block instead of one per kilobyte.
    bool ended = false;
    while (!ended) {
        while (!cancel_ && reply->bytesAvailable() < kChunkSize && !reply->isFinished())
            wait();
        // An aborted answer (time-out) is closed: nothing more to read.
        const qint64 available = reply->isOpen() ? reply->bytesAvailable() : 0;
        const qint64 take = reply->isFinished() ? qMin(available, kBlockSize)
                                                : qMin(available / kChunkSize * kChunkSize, kBlockSize);
        const QByteArray block = take > 0 ? reply->read(take) : QByteArray();
        if (!block.isEmpty() && file.write(block) != block.size()) {
            error(writeError(file.error(), file.errorString()));
            return Outcome::Stopped;
        }
        check_.add(block);
        qsizetype at = 0;
        do {
            const qsizetype chunk = qMin<qsizetype>(kChunkSize, block.size() - at);
            if (cancel_) {
                ended = true;
                break;
            }
            received_ += chunk;
            at += chunk;
            emit DownloadProgress(QString::number(percent(received_, expected_)));
            // The empty chunk at the end of the body ends the loop.
            if (chunk == 0)
                ended = true;
            else
                pendingEvents();
        } while (at < block.size());
    }
    if (!file.flush()) {
        error(writeError(file.error(), file.errorString()));
        return Outcome::Stopped;
    }
    file.close();
    return cancel_ ? Outcome::Stopped : Outcome::Received;
}

bool FileDownloader::hashPartFile(const QString& part, qint64 size) {
    QFile file(part);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    qint64 left = size;
    while (left > 0) {
        const QByteArray block = file.read(qMin<qint64>(left, kBlockSize));
        if (block.isEmpty())
            return false;
        check_.add(block);
        left -= block.size();
        pendingEvents();
        if (cancel_)
            return false;
    }
    return true;
}

bool FileDownloader::fetchSignature(const QString& url, const QString& userName,
                                    const QString& password, QByteArray* signature,
                                    QString* failure) {
    const QString address = url + QStringLiteral(".sig");
    QNetworkReply* reply = get(address, userName, password, 0);
    while (!cancel_ && !reply->isFinished()) {
        if (reply->bytesAvailable() > kMaxSignatureBytes)
            break;
        wait();
    }
    if (cancel_)
        return false;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!reply->isFinished() || reply->error() != QNetworkReply::NoError ||
        (status != 200 && status != 206)) {
        QString why = status ? firstLine(reply).trimmed() : reply->errorString();
        if (stalled_)
            why = kCannotConnect;
        *failure = kNoSignature + QChar(0x2066) + address + QChar(0x2069) + QStringLiteral(" (") +
                   why + QLatin1Char(')');
        return false;
    }
    *signature = reply->readAll();
    return true;
}

bool FileDownloader::checkAndPlace(const QString& url, const QString& part,
                                   const QString& destination, const QString& userName,
                                   const QString& password) {
    emit DownloadEvents(QStringLiteral("Checking the signature"));
    // Both messages say the file was removed: it is gone before the operator reads them.
    QByteArray signature;
    QString missing;
    if (!fetchSignature(url, userName, password, &signature, &missing)) {
        if (!missing.isEmpty()) {
            QFile::remove(part);
            error(missing);
        }
        return false;
    }
    if (!check_.verify(signature, publicKey_)) {
        QFile::remove(part);
        error(kBadSignature);
        return false;
    }
    // One step: the old file stays whole until the new one takes its place.
    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(part.toStdU16String()),
                            std::filesystem::path(destination.toStdU16String()), failure);
    if (failure) {
        error(writeError(failure.value(), QString::fromStdString(failure.message())));
        return false;
    }
    return true;
}

void FileDownloader::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(4, 4, -4, -4);
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x8c), 2));
    p.setBrush(QColor(0xe8, 0xf0, 0xfb));
    p.drawRoundedRect(box, 8, 8);
    // A downward arrow onto a tray.
    const qreal cx = box.center().x();
    QPainterPath arrow;
    arrow.moveTo(cx - 6, box.top() + 8);
    arrow.lineTo(cx + 6, box.top() + 8);
    arrow.lineTo(cx + 6, box.top() + 24);
    arrow.lineTo(cx + 14, box.top() + 24);
    arrow.lineTo(cx, box.top() + 38);
    arrow.lineTo(cx - 14, box.top() + 24);
    arrow.lineTo(cx - 6, box.top() + 24);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x7d, 0x32));
    p.drawPath(arrow);
    p.setBrush(QColor(0x1f, 0x4e, 0x8c));
    p.drawRect(QRectF(box.left() + 10, box.bottom() - 12, box.width() - 20, 4));
}

} // namespace hovupdate
