#pragma once
// Installers are code that will run on the family's computer: one is started
// only when it carries the vendor's Ed25519 signature (detached, over the whole
// file), checked with the vendor's public key from the vendor settings.

#include <QByteArray>
#include <QString>

namespace tovalin::updatesig {

enum class Check {
    Valid,
    NoKey,     ///< no public key is configured
    BadKey,    ///< the configured key is not 32 bytes of base64
    Missing,   ///< no signature, or one that is neither 64 bytes nor their base64
    Unreadable,///< the file cannot be read
    Invalid,   ///< the signature does not match the file and the key
};

/// The 64 signature bytes of a signature file: the raw bytes, or their base64 (blanks and line ends
/// around it ignored). Empty when the file is neither.
QByteArray decodeSignature(const QByteArray &fileContents);

/// The 32 key bytes of a base64 public key; empty when it is not one.
QByteArray decodePublicKey(const QString &base64);

/// Checks `path` against the signature file's contents with the base64 public key.
Check verifyFile(const QString &path, const QByteArray &signatureFile, const QString &publicKeyBase64);

} // namespace tovalin::updatesig
