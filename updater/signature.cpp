#include "updater/signature.h"

#include "publickey.h"

#include <QFile>

#include <openssl/evp.h>
#include <sodium.h>

namespace hovupdate {

QByteArray compiledPublicKey() {
    return QByteArray(reinterpret_cast<const char*>(kPublicKey), sizeof kPublicKey);
}

bool isDevelopmentKey() {
    return kIsDevelopmentKey;
}

struct SignatureCheck::State {
    EVP_MD_CTX* digest = EVP_MD_CTX_new();
};

SignatureCheck::SignatureCheck() : state_(std::make_unique<State>()) {
    if (sodium_init() < 0 || !state_->digest)
        qFatal("The signature check could not start");
    reset();
}

SignatureCheck::~SignatureCheck() {
    EVP_MD_CTX_free(state_->digest);
}

void SignatureCheck::reset() {
    EVP_DigestInit_ex(state_->digest, EVP_sha256(), nullptr);
}

void SignatureCheck::add(const QByteArray& block) {
    if (!block.isEmpty())
        EVP_DigestUpdate(state_->digest, block.constData(), static_cast<size_t>(block.size()));
}

bool SignatureCheck::verify(const QByteArray& signature, const QByteArray& publicKey) {
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
