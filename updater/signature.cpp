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

bool verifyFileSignature(const QString& path, const QByteArray& signature,
                         const QByteArray& publicKey) {
    if (signature.size() != crypto_sign_BYTES || publicKey.size() != crypto_sign_PUBLICKEYBYTES)
        return false;
    if (sodium_init() < 0)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    const auto* sig = reinterpret_cast<const unsigned char*>(signature.constData());
    const auto* key = reinterpret_cast<const unsigned char*>(publicKey.constData());
    if (size == 0)
        return crypto_sign_verify_detached(sig, nullptr, 0, key) == 0;
    // Mapped, not read: an installer of any size is checked without a copy in memory.
    const uchar* bytes = file.map(0, size);
    if (!bytes)
        return false;
    const bool valid = crypto_sign_verify_detached(sig, bytes, static_cast<unsigned long long>(size), key) == 0;
    file.unmap(const_cast<uchar*>(bytes));
    return valid;
}

} // namespace hovupdate
