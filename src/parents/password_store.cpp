#include "parents/password_store.h"

#include "core/sodium_library.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>


Q_LOGGING_CATEGORY(lcPassword, "tovalin.parents")

namespace tovalin {

namespace {

// Argon2id at libsodium's INTERACTIVE settings (64 MiB, 2 passes): about a
// tenth of a second per check on a desktop, which a parent does not notice at
// a password prompt, on the old family computers this program runs on, where
// MODERATE (256 MiB, several seconds on slow machines) would make every unlock
// drag. The file guards a child's browser menu, not an account; a salted
// memory-hard hash already makes guessing from a copied file far costlier than
// the plain text it replaces.
constexpr unsigned long long kOpsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t kMemLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;

bool sodiumReady()
{
    // sodium_init is safe to call again; it returns 1 once initialised.
    return sodium_init() >= 0;
}

QString damagedText(const QString &path)
{
    return QCoreApplication::translate("PasswordStore",
                                       "The password file %1 is damaged: it holds no valid password.")
        .arg(path);
}

QString unreadableText(const QString &path)
{
    return QCoreApplication::translate("PasswordStore", "The password file %1 cannot be read.").arg(path);
}

// The shape crypto_pwhash_str writes: $argon2id$v=19$m=..,t=..,p=..$salt$hash (base64 without padding).
bool isWellFormedHash(const QString &line)
{
    static const QRegularExpression shape(QStringLiteral(
        R"(^\$argon2id\$v=\d+\$m=\d+,t=\d+,p=\d+\$[A-Za-z0-9+/]+\$[A-Za-z0-9+/]+$)"));
    return line.size() < crypto_pwhash_STRBYTES && shape.match(line).hasMatch();
}

} // namespace

bool PasswordStore::exists() const
{
    return QFileInfo::exists(m_path);
}

bool PasswordStore::isHashedLine(const QString &line)
{
    return line.startsWith(QLatin1String(kHashMarker));
}

QString PasswordStore::hashPassword(const QString &password)
{
    if (!sodiumReady())
        return {};
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES] = {};
    if (crypto_pwhash_str_alg(out, utf8.constData(), quint64(utf8.size()), kOpsLimit, kMemLimit,
                              crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        return {};
    return QString::fromLatin1(out);
}

PasswordStore::Stored PasswordStore::load() const
{
    const ReadResult read = readFileBytes(m_path);
    if (read.error == ReadError::Missing)
        return {Status::Missing,
                QCoreApplication::translate("PasswordStore", "The password file %1 is missing.").arg(m_path), {}};
    if (!read.ok())
        return {Status::Unreadable, unreadableText(m_path), {}};

    const QStringList lines = splitLines(decodeText(read.bytes));
    // An empty first line would let an empty entry unlock the menu; no password is ever empty.
    if (lines.isEmpty() || lines.first().isEmpty())
        return {Status::Damaged, damagedText(m_path), {}};
    if (isHashedLine(lines.first()) && !isWellFormedHash(lines.first()))
        return {Status::Damaged, damagedText(m_path), {}};
    return {Status::Match, {}, lines.first()};
}

QString PasswordStore::fileError() const
{
    return load().error;
}

PasswordStore::Check PasswordStore::verify(const QString &typed) const
{
    const Stored loaded = load();
    if (loaded.status != Status::Match)
        return {loaded.status, loaded.error};
    const QString &stored = loaded.line;

    bool upgrade = false;
    if (isHashedLine(stored)) {
        if (!sodiumReady())
            return {Status::Unreadable, unreadableText(m_path)};
        const QByteArray hash = stored.toLatin1();
        const QByteArray utf8 = typed.toUtf8();
        if (crypto_pwhash_str_verify(hash.constData(), utf8.constData(), quint64(utf8.size())) != 0)
            return {Status::Mismatch, {}};
        upgrade = crypto_pwhash_str_needs_rehash(hash.constData(), kOpsLimit, kMemLimit) != 0;
    } else {
        if (typed != stored)
            return {Status::Mismatch, {}};
        upgrade = true;
    }

    if (upgrade) {
        const WriteResult written = store(typed);
        if (!written.ok)
            qCDebug(lcPassword) << "password file left in its old form:" << written.error;
    }
    return {Status::Match, {}};
}

WriteResult PasswordStore::store(const QString &password) const
{
    const QString line = hashPassword(password);
    if (line.isEmpty())
        return {false, QCoreApplication::translate("PasswordStore", "The password could not be encrypted.")};
    return writeLines(m_path, {line});
}

} // namespace tovalin
