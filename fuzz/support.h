#pragma once
// What every fuzz target shares: a Qt core application, a sandbox folder that is
// emptied before each input, and checks that end the run with a finding.

#include <QByteArray>
#include <QString>
#include <QStringBuilder>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace fuzz {

/// Stops the run with a finding: prints what failed (and the two sides when given) and aborts,
/// which libFuzzer reports as a crash and saves the input.
[[noreturn]] void fail(const char *what, const char *file, int line, const QString &detail = {});

/// Prints `value` quoted with its non-printable characters escaped, for findings.
QString show(const QString &value);
QString show(const QStringList &values);
QString show(const QByteArray &value);
QString show(long long value);

/// A string of at most `max` bytes from the input, as the program reads text files (UTF-8,
/// else Windows-1252).
QString consumeText(FuzzedDataProvider &in, size_t max);
/// The same bytes, unread.
QByteArray consumeBytes(FuzzedDataProvider &in, size_t max);
/// Writes or reads a file as it is, without the program's own file code.
bool writeRaw(const QString &path, const QByteArray &bytes);
QByteArray readRaw(const QString &path);

/// A folder of the run's own, emptied before each input, with a sub-folder `work` where the
/// code under test may write, and a file beside it that must never change.
class Sandbox {
public:
    /// The sandbox of this process (made on first use).
    static Sandbox &instance();
    /// Empties the sandbox and makes `work` (and its sub-folders when given) again.
    void reset(const QStringList &workSubfolders = {});
    QString root() const { return m_root; }
    /// The folder the code under test may write in.
    QString work() const { return m_root + QStringLiteral("/work"); }
    /// Every file and folder under the root, relative to it, sorted; symbolic links included.
    QStringList tree() const;
    /// Every entry of the tree that lies outside `work` or is not a plain file or folder, or
    /// the guard file changed: what a reader must never produce.
    QStringList strayEntries() const;

private:
    Sandbox();
    QString m_root;
};

/// A value kept for comparing: a string expression built with "+" becomes its string while
/// the parts it refers to are still alive.
template <typename T>
T settle(const T &value)
{
    return value;
}
template <typename A, typename B>
typename QStringBuilder<A, B>::ConvertTo settle(const QStringBuilder<A, B> &value)
{
    return value;
}
inline QString settle(const QStringBuilder<QString, QString> &value)
{
    return value;
}

} // namespace fuzz

#define FUZZ_CHECK(cond) \
    do { \
        if (!(cond)) \
            ::fuzz::fail(#cond, __FILE__, __LINE__); \
    } while (0)

#define FUZZ_CHECK_EQ(a, b) \
    do { \
        const auto fuzzA_ = ::fuzz::settle(a); \
        const auto fuzzB_ = ::fuzz::settle(b); \
        if (!(fuzzA_ == fuzzB_)) \
            ::fuzz::fail(#a " == " #b, __FILE__, __LINE__, \
                         QStringLiteral("\n  left:  ") + ::fuzz::show(fuzzA_) + QStringLiteral("\n  right: ") \
                             + ::fuzz::show(fuzzB_)); \
    } while (0)
