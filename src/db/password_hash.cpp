#include "password_hash.h"

#include <sodium.h>

#include <stdexcept>

namespace {
void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready) throw std::runtime_error("libsodium nem indítható");
}
}  // namespace

QString HashPassword(const QString& password) {
    ensureSodium();
    const QByteArray plain = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    // Interactive limits: a login stays well under a second.
    if (crypto_pwhash_str(hash, plain.constData(), quint64(plain.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("A jelszó kódolásához nincs elég memória");
    return QString::fromLatin1(hash);
}

bool IsPasswordHash(const QString& stored) { return stored.startsWith(QLatin1String("$argon2id$")); }

bool PasswordMatches(const QString& password, const QString& stored) {
    if (!IsPasswordHash(stored)) return password == stored;
    ensureSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray plain = password.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), plain.constData(), quint64(plain.size())) == 0;
}
