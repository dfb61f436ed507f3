// hov-sign: makes the installer signing key pair, signs an installer for the updater and
// checks a signature, with libsodium. What is signed (Ed25519) is the text
// "hov480-installer-sha256\n" followed by the 32-byte SHA-256 of the file; the signature is
// 64 bytes, published beside the file as "<file>.sig".
//
//   hov-sign keygen <secret-key-file> <public-key-file>
//   hov-sign sign   <secret-key-file> <installer> [<signature-file>]
//   hov-sign verify <public-key-file> <installer> [<signature-file>]
//
// Key files are text: lines starting with "#" are comments, the rest is the key in
// hexadecimal (public: 64 digits; secret: 128 digits).
#include <sodium.h>

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

int usage() {
    std::cerr << "usage: hov-sign keygen <secret-key-file> <public-key-file>\n"
                 "       hov-sign sign   <secret-key-file> <installer> [<signature-file>]\n"
                 "       hov-sign verify <public-key-file> <installer> [<signature-file>]\n";
    return 2;
}

bool readFile(const std::string& path, Bytes& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// The hexadecimal key of a key file, or false when it does not hold exactly `size` bytes.
bool readKey(const std::string& path, std::size_t size, Bytes& key) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "hov-sign: cannot read " << path << "\n";
        return false;
    }
    std::string hex, line;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '#')
            continue;
        for (char c : line)
            if (!std::isspace(static_cast<unsigned char>(c)))
                hex += c;
    }
    key.assign(size, 0);
    std::size_t written = 0;
    if (hex.size() != size * 2 ||
        sodium_hex2bin(key.data(), key.size(), hex.c_str(), hex.size(), nullptr, &written, nullptr) != 0 ||
        written != size) {
        std::cerr << "hov-sign: " << path << " does not hold a key of " << size << " bytes\n";
        return false;
    }
    return true;
}

std::string toHex(const unsigned char* bytes, std::size_t size) {
    std::string hex(size * 2 + 1, '\0');
    sodium_bin2hex(hex.data(), hex.size(), bytes, size);
    hex.pop_back();
    return hex;
}

bool writeText(const std::string& path, const std::string& text, mode_t mode) {
    std::FILE* f = std::fopen(path.c_str(), "wx"); // never over an existing key
    if (!f) {
        std::cerr << "hov-sign: cannot create " << path << " (does it exist already?)\n";
        return false;
    }
    ::chmod(path.c_str(), mode);
    const bool ok = std::fputs(text.c_str(), f) >= 0;
    return std::fclose(f) == 0 && ok;
}

int keygen(const std::string& secretPath, const std::string& publicPath) {
    if (exists(secretPath) || exists(publicPath)) {
        std::cerr << "hov-sign: will not replace an existing key file\n";
        return 1;
    }
    unsigned char pk[crypto_sign_PUBLICKEYBYTES];
    unsigned char sk[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(pk, sk);
    const bool ok =
        writeText(secretPath,
                  "# HOV-480 installer signing key: SECRET. Keep it off build machines and out of\n"
                  "# any repository; whoever holds it can make the updater run their program.\n" +
                      toHex(sk, sizeof sk) + "\n",
                  0600) &&
        writeText(publicPath,
                  "# HOV-480 installer signing key: public half. Build the updater with\n"
                  "# -DHOV_UPDATE_PUBLIC_KEY=<this file>.\n" +
                      toHex(pk, sizeof pk) + "\n",
                  0644);
    sodium_memzero(sk, sizeof sk);
    return ok ? 0 : 1;
}

const char kSignedContext[] = "hov480-installer-sha256\n";

// The message that is signed for a file: the context text and the file's SHA-256, read in
// pieces (an installer of any size).
bool signedMessage(const std::string& path, Bytes& message) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    std::vector<char> buffer(1 << 16);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize n = in.gcount();
        if (n > 0)
            crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char*>(buffer.data()),
                                      static_cast<unsigned long long>(n));
    }
    if (in.bad())
        return false;
    unsigned char hash[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&state, hash);
    message.assign(kSignedContext, kSignedContext + sizeof kSignedContext - 1);
    message.insert(message.end(), hash, hash + sizeof hash);
    return true;
}

int sign(const std::string& secretPath, const std::string& installer, const std::string& sigPath) {
    Bytes sk;
    if (!readKey(secretPath, crypto_sign_SECRETKEYBYTES, sk))
        return 1;
    Bytes message;
    if (!signedMessage(installer, message)) {
        std::cerr << "hov-sign: cannot read " << installer << "\n";
        return 1;
    }
    unsigned char sig[crypto_sign_BYTES];
    crypto_sign_detached(sig, nullptr, message.data(), message.size(), sk.data());
    sodium_memzero(sk.data(), sk.size());
    std::ofstream out(sigPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(sig), sizeof sig);
    out.close();
    if (!out) {
        std::cerr << "hov-sign: cannot write " << sigPath << "\n";
        return 1;
    }
    std::cout << "signed " << installer << " -> " << sigPath << "\n";
    return 0;
}

int verify(const std::string& publicPath, const std::string& installer, const std::string& sigPath) {
    Bytes pk, sig;
    if (!readKey(publicPath, crypto_sign_PUBLICKEYBYTES, pk))
        return 1;
    Bytes message;
    if (!signedMessage(installer, message) || !readFile(sigPath, sig)) {
        std::cerr << "hov-sign: cannot read " << installer << " or " << sigPath << "\n";
        return 1;
    }
    if (sig.size() != crypto_sign_BYTES || crypto_sign_verify_detached(sig.data(), message.data(), message.size(), pk.data()) != 0) {
        std::cout << "BAD signature\n";
        return 1;
    }
    std::cout << "good signature\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (sodium_init() < 0) {
        std::cerr << "hov-sign: libsodium did not start\n";
        return 1;
    }
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "keygen")
        return keygen(args[1], args[2]);
    if ((args.size() == 3 || args.size() == 4) && (args[0] == "sign" || args[0] == "verify")) {
        const std::string sigPath = args.size() == 4 ? args[3] : args[2] + ".sig";
        return args[0] == "sign" ? sign(args[1], args[2], sigPath) : verify(args[1], args[2], sigPath);
    }
    return usage();
}
