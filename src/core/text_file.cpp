#include "core/text_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

#include <cerrno>

namespace tovalin {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five undefined
// bytes map to their C1 control code points as Windows itself does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString decodeWindows1252(const QByteArray &bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dst[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return decodeWindows1252(bytes);
    // A tool that puts a byte-order mark in front at every save leaves several; none of them
    // belongs to the first line (it would make the first list entry match nothing).
    qsizetype marks = 0;
    while (marks < text.size() && text.at(marks) == QChar(0xFEFF))
        ++marks;
    text.remove(0, marks);
    return text;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QByteArray joinLinesCrLf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        out += line.toUtf8();
        out += "\r\n";
    }
    return out;
}

ReadResult readFileBytes(const QString &path)
{
    return readFileBytes(path, kMaxTextFileBytes);
}

ReadResult readFileBytes(const QString &path, qint64 maxBytes)
{
    ReadResult r;
    QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        r.error = ReadError::Missing;
        return r;
    }
    // A pipe or a device under a data file's name would block the reader or never end.
    if (!info.isFile()) {
        r.error = ReadError::Unreadable;
        return r;
    }
    if (info.size() > maxBytes) {
        r.error = ReadError::TooLarge;
        return r;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = ReadError::Unreadable;
        return r;
    }
    // As large as the file is, not as the cap: a file may still grow while it is read, and
    // is read on in steps, never beyond the cap.
    r.bytes.reserve(info.size());
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = f.read(chunk, sizeof chunk);
        if (got <= 0)
            break;
        r.bytes.append(chunk, got);
        if (r.bytes.size() > maxBytes)
            break;
    }
    if (f.error() != QFileDevice::NoError) {
        r.bytes.clear();
        r.error = ReadError::Unreadable;
    } else if (r.bytes.size() > maxBytes) {
        r.bytes.clear();
        r.error = ReadError::TooLarge;
    }
    return r;
}

std::optional<QStringList> readLines(const QString &path)
{
    ReadResult r = readFileBytes(path);
    if (!r.ok())
        return std::nullopt;
    return splitLines(decodeText(r.bytes));
}

namespace {

// The system's reason when it has one; a full disk often comes back as
// "Unknown error", which tells a parent nothing.
QString describeWriteError(const QSaveFile &f)
{
    const QString reason = f.errorString();
    if (!reason.isEmpty() && reason != u"Unknown error")
        return reason;
    if (errno != 0)
        return qt_error_string(errno);
    switch (f.error()) {
    case QFileDevice::ResourceError:
    case QFileDevice::WriteError:
        return QCoreApplication::translate("TextFile", "the disk is full or cannot be written");
    case QFileDevice::PermissionsError:
        return QCoreApplication::translate("TextFile", "no permission to write here");
    default:
        return QCoreApplication::translate("TextFile", "the file could not be written");
    }
}

} // namespace

WriteResult writeFileAtomic(const QString &path, const QByteArray &bytes)
{
    errno = 0;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {false, describeWriteError(f)};
    if (f.write(bytes) != bytes.size()) {
        const QString err = describeWriteError(f);
        f.cancelWriting();
        return {false, err};
    }
    if (!f.commit())
        return {false, describeWriteError(f)};
    return {};
}

WriteResult writeLines(const QString &path, const QStringList &lines)
{
    return writeFileAtomic(path, joinLinesCrLf(lines));
}

} // namespace tovalin
