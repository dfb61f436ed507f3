#pragma once

#include <QByteArray>
#include <QString>

namespace hovupdate {

// The publisher's Ed25519 public key compiled into the updater (32 bytes).
QByteArray compiledPublicKey();
// True when the updater was built with the development key that comes with the sources.
bool isDevelopmentKey();

// Whether signature (64 bytes, detached Ed25519 over the whole file) is the key's
// signature of the file's bytes. Anything unreadable is not a valid signature.
bool verifyFileSignature(const QString& path, const QByteArray& signature,
                         const QByteArray& publicKey);

} // namespace hovupdate
