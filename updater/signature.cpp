#include "updater/signature.h"

#include "publickey.h"

#include <QFile>

#include <openssl/evp.h>
#include <sodium.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace hovupdate {

QByteArray compiledPublicKey() {
    return QByteArray(reinterpret_cast<const char*>(kPublicKey), sizeof kPublicKey);
}

bool isDevelopmentKey() {
    return kIsDevelopmentKey;
}

// The digest belongs to the worker while it runs and to the owner's thread once it is
// joined; the queue and the flags are shared under the mutex.
struct SignatureCheck::State {
    EVP_MD_CTX* digest = EVP_MD_CTX_new();
    std::thread worker;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<QByteArray> queue;
    bool finishing = false; // hash what is queued, then end
    bool dropping = false;  // end now, leave the rest

    void run() {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return dropping || finishing || !queue.empty(); });
            if (dropping || queue.empty())
                return;
            const QByteArray block = std::move(queue.front());
            queue.pop_front();
            changed.notify_all(); // room for the next block
            lock.unlock();
            EVP_DigestUpdate(digest, block.constData(), static_cast<size_t>(block.size()));
            lock.lock();
        }
    }

    // Ends the worker, after the queued blocks (finish) or at once (drop), and joins it.
    void stop(bool drop) {
        if (!worker.joinable())
            return;
        {
            const std::lock_guard lock(mutex);
            (drop ? dropping : finishing) = true;
        }
        changed.notify_all();
        worker.join();
        queue.clear();
        finishing = dropping = false;
    }
};

SignatureCheck::SignatureCheck() : state_(std::make_unique<State>()) {
    if (sodium_init() < 0 || !state_->digest)
        qFatal("The signature check could not start");
    reset();
}

SignatureCheck::~SignatureCheck() {
    state_->stop(true);
    EVP_MD_CTX_free(state_->digest);
}

void SignatureCheck::reset() {
    state_->stop(true);
    EVP_DigestInit_ex(state_->digest, EVP_sha256(), nullptr);
}

void SignatureCheck::add(const QByteArray& block) {
    if (block.isEmpty())
        return;
    State& s = *state_;
    if (!s.worker.joinable()) {
        try {
            s.worker = std::thread([&s] { s.run(); });
        } catch (const std::system_error&) {
            // No thread to be had: hash here, the result is the same.
            EVP_DigestUpdate(s.digest, block.constData(), static_cast<size_t>(block.size()));
            return;
        }
    }
    {
        std::unique_lock lock(s.mutex);
        s.changed.wait(lock, [&s] { return s.queue.size() < size_t(kQueuedBlocks); });
        s.queue.push_back(block);
    }
    s.changed.notify_all();
}

bool SignatureCheck::verify(const QByteArray& signature, const QByteArray& publicKey) {
    state_->stop(false);
    unsigned char hash[32];
    unsigned int size = 0;
    const bool hashed = EVP_DigestFinal_ex(state_->digest, hash, &size) == 1 && size == sizeof hash;
    reset();
    if (!hashed || signature.size() != crypto_sign_BYTES ||
        publicKey.size() != crypto_sign_PUBLICKEYBYTES)
        return false;
    const QByteArray message =
        QByteArray(kSignedContext) + QByteArray(reinterpret_cast<const char*>(hash), sizeof hash);
    return crypto_sign_verify_detached(
               reinterpret_cast<const unsigned char*>(signature.constData()),
               reinterpret_cast<const unsigned char*>(message.constData()),
               static_cast<unsigned long long>(message.size()),
               reinterpret_cast<const unsigned char*>(publicKey.constData())) == 0;
}

bool verifyFileSignature(const QString& path, const QByteArray& signature,
                         const QByteArray& publicKey) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    SignatureCheck check;
    for (;;) {
        const QByteArray block = file.read(1 << 20);
        if (block.isEmpty())
            break;
        check.add(block);
    }
    if (file.error() != QFileDevice::NoError)
        return false;
    return check.verify(signature, publicKey);
}

} // namespace hovupdate
