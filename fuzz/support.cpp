#include "support.h"

#include "core/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const QByteArray kGuardText = QByteArrayLiteral("written before the input; must stay as it is\n");

// Qt's warnings (a list file the guard cannot read, a link left out) are expected on
// hostile input and would only slow the run; a fatal message still ends it.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "qFatal: %s\n", qPrintable(message));
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qInstallMessageHandler(quietMessages);
    // Some readers are QObjects that expect an application object; it lives for the run.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

namespace fuzz {

void fail(const char *what, const char *file, int line, const QString &detail)
{
    std::fprintf(stderr, "\n==== fuzz check failed: %s\n  at %s:%d%s\n", what, file, line, qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

QString show(const QString &value)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.unicode() > 0x7e)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + u'"';
}

QString show(const QStringList &values)
{
    QStringList parts;
    for (const QString &v : values)
        parts << show(v);
    return u'[' + parts.join(QStringLiteral(", ")) + u']';
}

QString show(const QByteArray &value)
{
    return QString::fromLatin1(value.left(400).toHex(' ')) + (value.size() > 400 ? QStringLiteral(" ...") : QString());
}

QString show(long long value)
{
    return QString::number(value);
}

Sandbox &Sandbox::instance()
{
    static Sandbox sandbox;
    return sandbox;
}

Sandbox::Sandbox()
{
    // Removed when the run ends normally; a run that found something leaves it for a look.
    // In memory where it can: every save is synced to disk, which on a disk would make each
    // input cost a disk flush.
    QString base = qEnvironmentVariable("TOVALIN_FUZZ_TMP");
    if (base.isEmpty())
        base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/tovalin-fuzz-XXXXXX"));
    if (!dir->isValid()) {
        std::fprintf(stderr, "cannot make the sandbox folder\n");
        std::abort();
    }
    m_root = dir->path();
}

void Sandbox::reset(const QStringList &workSubfolders)
{
    QDir root(m_root);
    const QStringList entries = root.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &e : entries) {
        const QString path = m_root + u'/' + e;
        const QFileInfo info(path);
        if (info.isDir() && !info.isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
    QDir().mkpath(work());
    for (const QString &sub : workSubfolders)
        QDir().mkpath(work() + u'/' + sub);
    QFile guard(m_root + QStringLiteral("/outside.txt"));
    if (!guard.open(QIODevice::WriteOnly) || guard.write(kGuardText) != kGuardText.size()) {
        std::fprintf(stderr, "cannot write the sandbox's guard file\n");
        std::abort();
    }
}

QStringList Sandbox::tree() const
{
    QStringList out;
    QDirIterator it(m_root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        out << QDir(m_root).relativeFilePath(it.filePath());
    }
    out.sort();
    return out;
}

QStringList Sandbox::strayEntries() const
{
    QStringList stray;
    for (const QString &rel : tree()) {
        const QFileInfo info(m_root + u'/' + rel);
        if (rel == QLatin1String("outside.txt")) {
            QFile guard(info.filePath());
            if (info.isSymLink() || !guard.open(QIODevice::ReadOnly) || guard.readAll() != kGuardText)
                stray << rel + QStringLiteral(" (changed)");
            continue;
        }
        if (rel != QLatin1String("work") && !rel.startsWith(QLatin1String("work/")))
            stray << rel;
        else if (info.isSymLink() || !(info.isFile() || info.isDir()))
            stray << rel + QStringLiteral(" (not a plain file)");
    }
    if (!QFileInfo::exists(m_root + QStringLiteral("/outside.txt")))
        stray << QStringLiteral("outside.txt (gone)");
    return stray;
}

QString consumeText(FuzzedDataProvider &in, size_t max)
{
    const std::string s = in.ConsumeRandomLengthString(max);
    return tovalin::decodeText(QByteArray(s.data(), qsizetype(s.size())));
}

QByteArray consumeBytes(FuzzedDataProvider &in, size_t max)
{
    const std::string s = in.ConsumeRandomLengthString(max);
    return QByteArray(s.data(), qsizetype(s.size()));
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readRaw(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace fuzz
