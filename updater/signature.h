#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace hovupdate {

// The publisher's Ed25519 public key compiled into the updater (32 bytes).
QByteArray compiledPublicKey();
// True when the updater was built with the development key that comes with the sources.
bool isDevelopmentKey();

// What the publisher signs: this text followed by the 32-byte SHA-256 of the installer.
// The signature (Ed25519, 64 bytes) is published beside the installer as "<file>.sig".
inline constexpr char kSignedContext[] = "hov480-installer-sha256\n";

// The check of one installer's signature. The hash (OpenSSL's SHA-256, the fastest here)
// grows with every block as it arrives, so a large installer is checked without an extra
// pass over the file and without a pause at the end. The hashing runs on a thread of its
// own: add() hands the block over (a shared copy, no bytes copied) and returns, so the
// caller's thread goes on reading and writing meanwhile. At most kQueuedBlocks wait for
// the hash; add() waits for room beyond that, so memory stays bounded when the disk and
// the line are faster than the hash.
class SignatureCheck {
public:
    SignatureCheck();
    ~SignatureCheck();
    SignatureCheck(const SignatureCheck&) = delete;
    SignatureCheck& operator=(const SignatureCheck&) = delete;

    static constexpr int kQueuedBlocks = 16;

    // Starts over with no bytes: blocks not hashed yet are dropped and the hashing thread
    // is stopped and joined.
    void reset();
    void add(const QByteArray& block);
    // Whether signature is the key's signature of the bytes added. Waits until every block
    // is hashed, then starts over. Anything malformed is not a valid signature.
    bool verify(const QByteArray& signature, const QByteArray& publicKey);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The same check over a whole file; false when the file cannot be read.
bool verifyFileSignature(const QString& path, const QByteArray& signature,
                         const QByteArray& publicKey);

} // namespace hovupdate
