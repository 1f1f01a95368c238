#include "guard/category_archive.h"

#include <QFile>

#include <cstring>
#include <zlib.h>

namespace tovalin {

namespace {

constexpr int kBlock = 512;

qint64 parseOctal(const char *field, int width)
{
    qint64 value = 0;
    int i = 0;
    while (i < width && (field[i] == ' ' || field[i] == '\0'))
        ++i;
    for (; i < width && field[i] >= '0' && field[i] <= '7'; ++i) {
        if (value > (qint64(1) << 58))
            return -1;
        value = value * 8 + (field[i] - '0');
    }
    return value;
}

qint64 parseSize(const char *field)
{
    const auto *u = reinterpret_cast<const unsigned char *>(field);
    if (u[0] & 0x80) {
        // Base-256, as GNU tar writes sizes of 8 GB and more: always too large for a list.
        qint64 value = 0;
        for (int i = 1; i < 12; ++i) {
            if (value > (qint64(1) << 54))
                return -1;
            value = (value << 8) | u[i];
        }
        return (u[0] & 0x40) ? -1 : value;
    }
    return parseOctal(field, 12);
}

QString fieldText(const char *field, int width)
{
    int n = 0;
    while (n < width && field[n] != '\0')
        ++n;
    return QString::fromUtf8(field, n);
}

bool headerSumHolds(const char *header)
{
    const qint64 stored = parseOctal(header + 148, 8);
    qint64 sum = 0;
    for (int i = 0; i < kBlock; ++i)
        sum += (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(header[i]);
    return stored == sum;
}

bool isZeroBlock(const char *block)
{
    for (int i = 0; i < kBlock; ++i)
        if (block[i] != 0)
            return false;
    return true;
}

// "len key=value\n" records of a pax header: the path and size it sets for the next entry.
void readPax(const QByteArray &data, QString &path, qint64 &size)
{
    qsizetype pos = 0;
    while (pos < data.size()) {
        const qsizetype space = data.indexOf(' ', pos);
        if (space < 0)
            return;
        bool ok = false;
        const qsizetype length = data.mid(pos, space - pos).toLongLong(&ok);
        if (!ok || length <= space - pos || pos + length > data.size())
            return;
        const QByteArray record = data.mid(space + 1, length - (space - pos) - 2); // less "\n"
        const qsizetype eq = record.indexOf('=');
        if (eq > 0) {
            const QByteArray key = record.left(eq);
            const QByteArray value = record.mid(eq + 1);
            if (key == "path")
                path = QString::fromUtf8(value);
            else if (key == "size")
                size = value.toLongLong(&ok) >= 0 && ok ? value.toLongLong() : -1;
        }
        pos += length;
    }
}

} // namespace

struct TarGzReader::State {
    QString path;
    gzFile file = nullptr;
    qint64 packedSize = 1;
    qint64 remaining = 0; // data bytes left of the current entry
    qint64 padding = 0;   // and the padding after them
    qint64 total = 0;
    qint64 entries = 0;
    bool peeked = false;
    char first[kBlock];
    qint64 firstSize = 0;
    qint64 firstUsed = 0;
};

TarGzReader::TarGzReader(const QString &path) : m_s(std::make_unique<State>())
{
    m_s->path = path;
}

TarGzReader::~TarGzReader()
{
    if (m_s->file)
        gzclose(m_s->file);
}

bool TarGzReader::fail(const QString &why)
{
    m_error = why;
    return false;
}

bool TarGzReader::open()
{
    QFile probe(m_s->path);
    if (!probe.open(QIODevice::ReadOnly))
        return fail(probe.errorString());
    m_s->packedSize = std::max<qint64>(1, probe.size());
    probe.close();
    m_s->file = gzopen(QFile::encodeName(m_s->path).constData(), "rb");
    if (!m_s->file)
        return fail(QStringLiteral("cannot open %1").arg(m_s->path));
    gzbuffer(m_s->file, 1 << 17);
    return true;
}

bool TarGzReader::readExactly(char *data, qint64 bytes)
{
    while (bytes > 0) {
        if (m_s->firstUsed < m_s->firstSize) {
            const qint64 n = std::min(bytes, m_s->firstSize - m_s->firstUsed);
            std::memcpy(data, m_s->first + m_s->firstUsed, size_t(n));
            m_s->firstUsed += n;
            data += n;
            bytes -= n;
            continue;
        }
        const int chunk = int(std::min<qint64>(bytes, 1 << 20));
        const int got = gzread(m_s->file, data, unsigned(chunk));
        if (got <= 0) {
            int code = Z_OK;
            const char *message = gzerror(m_s->file, &code);
            return fail(got == 0 ? QStringLiteral("the archive ends early")
                                 : QStringLiteral("the archive cannot be unpacked: %1").arg(QString::fromUtf8(message)));
        }
        data += got;
        bytes -= got;
    }
    return true;
}

bool TarGzReader::skipBytes(qint64 bytes)
{
    char buffer[1 << 14];
    while (bytes > 0) {
        const qint64 n = std::min<qint64>(bytes, sizeof buffer);
        if (!readExactly(buffer, n))
            return false;
        bytes -= n;
    }
    return true;
}

bool TarGzReader::looksLikeTar()
{
    if (!m_s->file || m_s->peeked)
        return false;
    m_s->peeked = true;
    const int got = gzread(m_s->file, m_s->first, kBlock);
    m_s->firstSize = std::max(got, 0);
    m_s->firstUsed = 0;
    return got == kBlock && headerSumHolds(m_s->first);
}

TarGzReader::Step TarGzReader::next(Entry &entry)
{
    if (!m_s->file) {
        fail(QStringLiteral("the archive is not open"));
        return Step::Error;
    }
    if (!skipBytes(m_s->remaining + m_s->padding))
        return Step::Error;
    m_s->remaining = 0;
    m_s->padding = 0;

    QString longName;
    qint64 paxSize = -1;
    char header[kBlock];
    for (;;) {
        if (!readExactly(header, kBlock)) {
            // Some writers end without the two zero blocks; an end right at a header is an end.
            if (m_error == QStringLiteral("the archive ends early") && gzeof(m_s->file)) {
                m_error.clear();
                return Step::End;
            }
            return Step::Error;
        }
        if (isZeroBlock(header))
            return Step::End;
        if (!headerSumHolds(header)) {
            fail(QStringLiteral("a damaged archive header"));
            return Step::Error;
        }
        if (++m_s->entries > kMaxEntries) {
            fail(QStringLiteral("more than %1 entries").arg(kMaxEntries));
            return Step::Error;
        }
        qint64 size = parseSize(header + 124);
        if (size < 0) {
            fail(QStringLiteral("an entry of an impossible size"));
            return Step::Error;
        }
        const char type = header[156];
        const qint64 padded = (size + kBlock - 1) / kBlock * kBlock;
        if (type == 'L' || type == 'x' || type == 'g') {
            // Meta entries: a long name or pax records for the entry that follows.
            if (size > kMaxNameBytes * 16) {
                fail(QStringLiteral("an oversized name record"));
                return Step::Error;
            }
            QByteArray data(padded, '\0');
            if (!readExactly(data.data(), padded))
                return Step::Error;
            data.truncate(size);
            if (type == 'L')
                longName = QString::fromUtf8(data.left(qsizetype(strnlen(data.constData(), size_t(data.size())))));
            else if (type == 'x')
                readPax(data, longName, paxSize);
            continue;
        }
        if (paxSize >= 0)
            size = paxSize;
        QString name = longName;
        if (name.isEmpty()) {
            name = fieldText(header, 100);
            if (std::memcmp(header + 257, "ustar", 5) == 0) {
                const QString prefix = fieldText(header + 345, 155);
                if (!prefix.isEmpty())
                    name = prefix + u'/' + name;
            }
        }
        entry.path = name;
        entry.regular = type == '0' || type == '\0' || type == '7';
        entry.size = entry.regular ? size : 0;
        // Links, folders and devices carry no data of their own (a hard link's size is 0).
        const qint64 dataBytes = entry.regular ? size : (type == '1' || type == '2' || type == '5' ? 0 : size);
        if (entry.regular && size > kMaxEntryBytes) {
            fail(QStringLiteral("the entry %1 is larger than %2 MB").arg(name).arg(kMaxEntryBytes >> 20));
            return Step::Error;
        }
        m_s->total += dataBytes;
        if (m_s->total > kMaxTotalBytes) {
            fail(QStringLiteral("more than %1 MB unpacked").arg(kMaxTotalBytes >> 20));
            return Step::Error;
        }
        m_s->remaining = dataBytes;
        m_s->padding = (dataBytes + kBlock - 1) / kBlock * kBlock - dataBytes;
        return Step::Entry;
    }
}

qint64 TarGzReader::read(char *data, qint64 max)
{
    if (m_s->remaining == 0)
        return 0;
    const qint64 n = std::min(max, m_s->remaining);
    if (!readExactly(data, n))
        return -1;
    m_s->remaining -= n;
    return n;
}

qint64 TarGzReader::readPlain(char *data, qint64 max)
{
    if (!m_s->file)
        return -1;
    qint64 got = 0;
    if (m_s->firstUsed < m_s->firstSize) {
        got = std::min(max, m_s->firstSize - m_s->firstUsed);
        std::memcpy(data, m_s->first + m_s->firstUsed, size_t(got));
        m_s->firstUsed += got;
    } else {
        const int n = gzread(m_s->file, data, unsigned(std::min<qint64>(max, 1 << 20)));
        if (n < 0) {
            int code = Z_OK;
            fail(QStringLiteral("the file cannot be unpacked: %1").arg(QString::fromUtf8(gzerror(m_s->file, &code))));
            return -1;
        }
        got = n;
    }
    m_s->total += got;
    if (m_s->total > kMaxEntryBytes) {
        fail(QStringLiteral("the list is larger than %1 MB").arg(kMaxEntryBytes >> 20));
        return -1;
    }
    return got;
}

double TarGzReader::progress() const
{
    if (!m_s->file)
        return 0;
    const z_off_t at = gzoffset(m_s->file);
    return at < 0 ? 0 : std::min(1.0, double(at) / double(m_s->packedSize));
}

bool LineReader::next(QByteArrayView &line)
{
    if (m_buffer.isEmpty())
        m_buffer.resize(1 << 16);
    for (;;) {
        const char *start = m_buffer.constData() + m_pos;
        const void *nl = std::memchr(start, '\n', size_t(m_end - m_pos));
        if (nl) {
            const qsizetype length = static_cast<const char *>(nl) - start;
            const qsizetype at = m_pos;
            m_pos += length + 1;
            if (m_skipping) {
                m_skipping = false;
                continue;
            }
            qsizetype n = length;
            if (n > 0 && m_buffer.at(at + n - 1) == '\r')
                --n;
            line = QByteArrayView(m_buffer.constData() + at, n);
            return true;
        }
        if (m_eof) {
            if (m_pos < m_end && !m_skipping) {
                qsizetype n = m_end - m_pos;
                if (m_buffer.at(m_pos + n - 1) == '\r')
                    --n;
                line = QByteArrayView(m_buffer.constData() + m_pos, n);
                m_pos = m_end;
                return true;
            }
            return false;
        }
        // Keep the unfinished line at the front and read more behind it.
        const qsizetype rest = m_end - m_pos;
        if (rest > kMaxLineBytes) {
            // A line this long is no list entry: passed over up to its end.
            m_skipping = true;
            m_pos = m_end = 0;
        } else if (m_pos > 0) {
            std::memmove(m_buffer.data(), m_buffer.constData() + m_pos, size_t(rest));
            m_pos = 0;
            m_end = rest;
        }
        const qint64 got = m_source(m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (got < 0) {
            m_failed = true;
            return false;
        }
        if (got == 0)
            m_eof = true;
        m_end += got;
    }
}

} // namespace tovalin
