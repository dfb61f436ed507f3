#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace hovupdate {

// The publisher's Ed25519 public key compiled into the updater (32 bytes).
QByteArray compiledPublicKey();
// True when the updater was built with the development key that comes with the sources.
bool isDevelopmentKey();

// An installer's signature is Ed25519ph (RFC 8032: Ed25519 over the SHA-512 of the
// file), 64 bytes, published beside it as "<file>.sig". The hash grows with every chunk
// as it arrives, so checking a large installer costs no extra pass and no pause.
class SignatureCheck {
public:
    SignatureCheck();
    ~SignatureCheck();
    SignatureCheck(const SignatureCheck&) = delete;
    SignatureCheck& operator=(const SignatureCheck&) = delete;

    // Starts over with no bytes.
    void reset();
    void add(const char* bytes, qint64 size);
    void add(const QByteArray& bytes) { add(bytes.constData(), bytes.size()); }
    // Whether signature is the key's signature of the bytes added. Anything malformed is
    // not a valid signature.
    bool verify(const QByteArray& signature, const QByteArray& publicKey);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The same check over a whole file; false when the file cannot be read.
bool verifyFileSignature(const QString& path, const QByteArray& signature,
                         const QByteArray& publicKey);

} // namespace hovupdate
