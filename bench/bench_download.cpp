// The updater's download of a 200 MB installer on loopback against curl fetching the same
// file from the same server in the same run, and how long the window goes without its
// events meanwhile.
#include "tests/support/httptestserver.h"
#include "updater/filedownloader.h"
#include "updater/signature.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <sodium.h>

#include <algorithm>
#include <vector>

namespace {

constexpr qint64 kSize = 200LL * 1024 * 1024;
constexpr qint64 kPiece = 1024 * 1024;
constexpr int kRounds = 3;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty() || sodium_init() < 0) {
        out << "bench_download: curl or libsodium missing, skipped" << Qt::endl;
        return 1;
    }

    // The installer: 200 MB of varied bytes, signed with a key pair made for this run.
    QByteArray body(kSize, Qt::Uninitialized);
    auto* words = reinterpret_cast<quint64*>(body.data());
    quint64 x = 0x9E3779B97F4A7C15ull;
    for (qint64 i = 0; i < kSize / 8; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        words[i] = x;
    }
    unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(pk, sk);
    const QByteArray message = QByteArray(hovupdate::kSignedContext) +
                               QCryptographicHash::hash(body, QCryptographicHash::Sha256);
    unsigned char sig[crypto_sign_BYTES];
    crypto_sign_detached(sig, nullptr, reinterpret_cast<const unsigned char*>(message.constData()),
                         static_cast<unsigned long long>(message.size()), sk);

    // The server runs in a thread of its own, as a real one would be elsewhere.
    QThread serverThread;
    serverThread.start();
    QObject anchor;
    anchor.moveToThread(&serverThread);
    hovtest::HttpTestServer* server = nullptr;
    QMetaObject::invokeMethod(&anchor, [&] {
        server = new hovtest::HttpTestServer;
        server->listen();
        hovtest::HttpAnswer answer = hovtest::HttpAnswer::raw(
            "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " + QByteArray::number(kSize));
        for (qint64 at = 0; at < kSize; at += kPiece)
            answer.pieces << QByteArray::fromRawData(body.constData() + at, kPiece);
        server->serve("/Soft/hov/480/setup-Hov-480.exe", answer);
        server->serve("/Soft/hov/480/setup-Hov-480.exe.sig",
                      hovtest::HttpAnswer::ok(QByteArray(reinterpret_cast<const char*>(sig), sizeof sig)));
    }, Qt::BlockingQueuedConnection);
    const QString url = server->base() + QStringLiteral("/Soft/hov/480/setup-Hov-480.exe");

    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("setup-Hov-480.exe"));
    // The complete job done by hand: curl, then the SHA-256 the signature check needs.
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    std::vector<double> curlMs, curlHashMs, oursMs, gaps;
    for (int round = 0; round < kRounds; ++round) {
        QFile::remove(target);
        QElapsedTimer t;
        t.start();
        const int rc = QProcess::execute(curl, {QStringLiteral("-s"), QStringLiteral("-o"), target, url});
        curlMs.push_back(double(t.nsecsElapsed()) / 1e6);
        if (rc != 0 || QFileInfo(target).size() != kSize) {
            out << "bench_download: curl failed" << Qt::endl;
            return 1;
        }
        if (!openssl.isEmpty()) {
            QProcess::execute(openssl, {QStringLiteral("dgst"), QStringLiteral("-sha256"),
                                        QStringLiteral("-out"), QDir::temp().filePath(QStringLiteral("bench-download.sha")), target});
            curlHashMs.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        QFile::remove(target);

        hovupdate::FileDownloader downloader;
        downloader.setPublicKey(QByteArray(reinterpret_cast<const char*>(pk), sizeof pk));
        bool failed = false;
        QObject::connect(&downloader, &hovupdate::FileDownloader::DownloadErrors,
                         [&](const QString& text) {
                             out << "bench_download: " << text << Qt::endl;
                             failed = true;
                         });
        // A window timer ticking every 2 ms: the longest wait between two ticks is the
        // longest the window would wait for its events.
        QElapsedTimer sinceTick;
        double longest = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(2);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            longest = std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6);
            sinceTick.restart();
        });
        t.restart();
        sinceTick.start();
        probe.start();
        const bool ok = downloader.DownloadFile(url, target);
        oursMs.push_back(double(t.nsecsElapsed()) / 1e6);
        probe.stop();
        longest = std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6);
        gaps.push_back(longest);
        if (!ok || failed || QFileInfo(target).size() != kSize) {
            out << "bench_download: the download failed" << Qt::endl;
            return 1;
        }
    }
    QMetaObject::invokeMethod(&anchor, [&] { delete server; }, Qt::BlockingQueuedConnection);
    serverThread.quit();
    serverThread.wait();

    const double mb = double(kSize) / (1024 * 1024);
    const double ours = mb / (median(oursMs) / 1000), theirs = mb / (median(curlMs) / 1000);
    const double ratio = ours / theirs;
    const double gap = *std::max_element(gaps.begin(), gaps.end());
    const bool ok = ratio >= 0.8 && gap <= 50;
    out << "bench_download: " << QString::number(ratio, 'f', 2) << "x of curl's throughput ("
        << QString::number(ours, 'f', 0) << " MB/s vs " << QString::number(theirs, 'f', 0)
        << " MB/s, 200 MB, median of " << kRounds << "), target >= 0.8x; longest gap between processed events "
        << QString::number(gap, 'f', 1) << " ms, target <= 50 ms " << (ok ? "OK" : "MISSED") << Qt::endl;
    if (!curlHashMs.empty()) {
        const double job = mb / (median(curlHashMs) / 1000);
        out << "bench_download: " << QString::number(ours / job, 'f', 2)
            << "x of the throughput of curl followed by openssl dgst -sha256 (" << QString::number(job, 'f', 0)
            << " MB/s), for information: the signature check hashes the installer, curl does not"
            << Qt::endl;
    }
    QFile::remove(QDir::temp().filePath(QStringLiteral("bench-download.sha")));
    return ok ? 0 : 1;
}
