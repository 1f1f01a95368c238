#pragma once
// The parents' password file `temp0201.tvw` in the data folder.
//
// Its existence alone means a password has been set. The first line holds
// the password, and only the first line counts:
// - hashed form (written by this program): an Argon2id string from libsodium's
//   crypto_pwhash_str, recognised by its own prefix "$argon2id$";
// - legacy form (files made by older versions): the password itself, exactly
//   as typed. It still unlocks with exactly that text and is rewritten in the
//   hashed form on the next successful entry.
// Every write replaces the file whole (temporary file, then rename).
// Passwords are compared exactly: blanks and letter case count.

#include "core/text_file.h"

#include <QString>

namespace tovalin {

class PasswordStore {
public:
    /// The first line of a hashed file begins with this.
    static constexpr char kHashMarker[] = "$argon2id$";

    enum class Status {
        Match,
        Mismatch,
        Missing,   ///< no password file: no password has been set
        Unreadable,///< the file exists but cannot be read
        Damaged,   ///< no first line, an empty one, or a hashed line that is not a valid hash
    };

    struct Check {
        Status status = Status::Mismatch;
        QString error; ///< for Missing, Unreadable and Damaged: the text to report
        bool matched() const { return status == Status::Match; }
    };

    explicit PasswordStore(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }

    /// Whether a password has been set (the file exists).
    bool exists() const;

    /// Empty when the file holds a usable first line; otherwise the text to report
    /// (missing, unreadable or damaged file).
    QString fileError() const;

    /// Compares a typed password with the stored one. A matching legacy (plain) file, or one hashed
    /// with weaker settings than today's, is rewritten hashed; a failed rewrite leaves it as it was.
    /// A mismatch never touches the file.
    Check verify(const QString &typed) const;

    /// Stores a new password, hashed. The old file stays when hashing or writing fails.
    WriteResult store(const QString &password) const;

    /// Whether a first line is in the hashed form (begins with the marker).
    static bool isHashedLine(const QString &line);

    /// The hashed line for a password; empty when hashing fails (out of memory).
    static QString hashPassword(const QString &password);

private:
    struct Stored {
        Status status = Status::Match; ///< Match here means: a usable line was read
        QString error;
        QString line;
    };
    Stored load() const;

    QString m_path;
};

} // namespace tovalin
