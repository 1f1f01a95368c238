#include "update/update_signature.h"

#include "core/sodium_library.h"

#include <QFile>

namespace tovalin::updatesig {

namespace {

QByteArray strictBase64(const QByteArray &text, qsizetype expectedBytes)
{
    const auto decoded = QByteArray::fromBase64Encoding(text.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != expectedBytes)
        return {};
    return decoded.decoded;
}

} // namespace

QByteArray decodeSignature(const QByteArray &fileContents)
{
    if (fileContents.size() == crypto_sign_BYTES)
        return fileContents;
    return strictBase64(fileContents, crypto_sign_BYTES);
}

QByteArray decodePublicKey(const QString &base64)
{
    return strictBase64(base64.toLatin1(), crypto_sign_PUBLICKEYBYTES);
}

Check verifyFile(const QString &path, const QByteArray &signatureFile, const QString &publicKeyBase64)
{
    if (publicKeyBase64.trimmed().isEmpty())
        return Check::NoKey;
    const QByteArray key = decodePublicKey(publicKeyBase64);
    if (key.isEmpty())
        return Check::BadKey;
    const QByteArray signature = decodeSignature(signatureFile);
    if (signature.isEmpty())
        return Check::Missing;
    if (sodium_init() < 0)
        return Check::Unreadable;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Check::Unreadable;
    // Mapped, not read: an installer may be large.
    const qint64 size = file.size();
    const uchar *data = size > 0 ? file.map(0, size) : nullptr;
    QByteArray small;
    if (size > 0 && !data) {
        small = file.readAll();
        if (small.size() != size)
            return Check::Unreadable;
        data = reinterpret_cast<const uchar *>(small.constData());
    }
    static const uchar empty = 0;
    const int verdict = crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signature.constData()),
                                                    data ? data : &empty, static_cast<unsigned long long>(size),
                                                    reinterpret_cast<const unsigned char *>(key.constData()));
    return verdict == 0 ? Check::Valid : Check::Invalid;
}

} // namespace tovalin::updatesig
