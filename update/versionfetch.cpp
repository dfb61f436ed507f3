#include "update/versionfetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace hov::update {

VersionFetch::VersionFetch(QObject* parent)
    : QObject(parent), network_(new QNetworkAccessManager(this)) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        timedOut_ = true;
        if (reply_)
            reply_->abort(); // finished() follows inside abort()
    });
}

VersionFetch::~VersionFetch() {
    abort();
}

void VersionFetch::start(const QUrl& url) {
    abort();
    timedOut_ = false;
    QNetworkRequest request(url);
    // A moved file is followed, but never from https down to http, and not in circles.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    reply_ = network_->get(request);
    connect(reply_, &QNetworkReply::readyRead, this, [this] {
        // A server that sends more than a version file is cut off.
        if (reply_ && reply_->bytesAvailable() > kMaxBytes)
            reply_->abort();
    });
    connect(reply_, &QNetworkReply::finished, this, &VersionFetch::done);
    deadline_.start(timeoutMs_);
}

void VersionFetch::abort() {
    deadline_.stop();
    if (!reply_)
        return;
    QNetworkReply* reply = reply_;
    reply_ = nullptr; // done() ignores the finished() that abort() emits
    reply->abort();
    reply->deleteLater();
}

void VersionFetch::done() {
    QNetworkReply* reply = reply_;
    if (!reply || sender() != reply)
        return;
    reply_ = nullptr;
    deadline_.stop();
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QByteArray text;
    // An error page's body is not a version file, whatever digits it holds.
    if (!timedOut_ && reply->error() == QNetworkReply::NoError && status == 200)
        text = reply->read(kMaxBytes);
    emit finished(text);
}

} // namespace hov::update
