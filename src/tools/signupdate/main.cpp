// vellaro-sign-update: makes the Ed25519 key that signs updates and signs
// update packages for the feed.
//
//   vellaro-sign-update generate-key OUT   writes the private key (PKCS#8 PEM,
//                                          0600, never over an existing file)
//                                          and prints the public key for the build
//   vellaro-sign-update sign KEY FILE      prints the enclosure's attributes:
//                                          sparkle:edSignature="…" length="…"
#include "platform/crypto/Ed25519.h"

#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace vellaro;

namespace {

int usage() {
    std::fprintf(stderr, "usage: vellaro-sign-update generate-key OUT\n"
                         "       vellaro-sign-update sign KEY FILE\n");
    return 2;
}

int generateKey(const char* out) {
    const auto pair = Ed25519::generate();
    if (!pair) {
        std::fprintf(stderr, "vellaro-sign-update: could not make a key\n");
        return 1;
    }
    const int fd = ::open(out, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::perror(out);
        return 1;
    }
    const QByteArray& pem = pair->privateKeyPem;
    const bool written =
        ::write(fd, pem.constData(), size_t(pem.size())) == pem.size() && ::fsync(fd) == 0;
    ::close(fd);
    if (!written) {
        std::fprintf(stderr, "vellaro-sign-update: could not write %s\n", out);
        ::unlink(out);
        return 1;
    }
    std::printf("%s\n", pair->publicKey.toBase64().constData());
    return 0;
}

int sign(const char* keyPath, const char* filePath) {
    QFile keyFile(QFile::decodeName(keyPath));
    if (!keyFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vellaro-sign-update: cannot read %s\n", keyPath);
        return 1;
    }
    const QByteArray key = keyFile.readAll();
    QFile file(QFile::decodeName(filePath));
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0) {
        std::fprintf(stderr, "vellaro-sign-update: cannot read %s\n", filePath);
        return 1;
    }
    const uchar* bytes = file.map(0, file.size());
    if (!bytes) {
        std::fprintf(stderr, "vellaro-sign-update: cannot map %s\n", filePath);
        return 1;
    }
    const QByteArray signature = Ed25519::sign(
        key, QByteArrayView(reinterpret_cast<const char*>(bytes), qsizetype(file.size())));
    if (signature.isEmpty()) {
        std::fprintf(stderr, "vellaro-sign-update: %s is not an Ed25519 private key\n", keyPath);
        return 1;
    }
    std::printf("sparkle:edSignature=\"%s\" length=\"%lld\"\n", signature.toBase64().constData(),
                static_cast<long long>(file.size()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], "generate-key") == 0)
        return generateKey(argv[2]);
    if (argc == 4 && qstrcmp(argv[1], "sign") == 0)
        return sign(argv[2], argv[3]);
    return usage();
}
