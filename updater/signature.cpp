#include "updater/signature.h"

#include "publickey.h"

#include <QFile>

#include <sodium.h>

namespace hovupdate {

QByteArray compiledPublicKey() {
    return QByteArray(reinterpret_cast<const char*>(kPublicKey), sizeof kPublicKey);
}

bool isDevelopmentKey() {
    return kIsDevelopmentKey;
}

struct SignatureCheck::State {
    crypto_sign_state sign;
};

SignatureCheck::SignatureCheck() : state_(std::make_unique<State>()) {
    if (sodium_init() < 0)
        qFatal("libsodium did not start");
    reset();
}

SignatureCheck::~SignatureCheck() = default;

void SignatureCheck::reset() {
    crypto_sign_init(&state_->sign);
}

void SignatureCheck::add(const char* bytes, qint64 size) {
    if (size > 0)
        crypto_sign_update(&state_->sign, reinterpret_cast<const unsigned char*>(bytes),
                           static_cast<unsigned long long>(size));
}

bool SignatureCheck::verify(const QByteArray& signature, const QByteArray& publicKey) {
    if (signature.size() != crypto_sign_BYTES || publicKey.size() != crypto_sign_PUBLICKEYBYTES)
        return false;
    return crypto_sign_final_verify(&state_->sign,
                                    reinterpret_cast<const unsigned char*>(signature.constData()),
                                    reinterpret_cast<const unsigned char*>(publicKey.constData())) == 0;
}

bool verifyFileSignature(const QString& path, const QByteArray& signature,
                         const QByteArray& publicKey) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    SignatureCheck check;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(buffer.data(), buffer.size());
        if (n < 0)
            return false;
        if (n == 0)
            break;
        check.add(buffer.constData(), n);
    }
    return check.verify(signature, publicKey);
}

} // namespace hovupdate
