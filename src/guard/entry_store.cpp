#include "guard/entry_store.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <thread>

namespace tovalin {

QString textOfUtf8(QByteArrayView utf8)
{
    if (!utf8.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(utf8);
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

EntryStore::Id EntryStore::append(QByteArrayView utf8)
{
    const Id id = Id(m_spans.size());
    m_spans.push_back({std::uint32_t(m_blob.size()), std::uint32_t(utf8.size())});
    m_blob.append(utf8);
    return id;
}

void EntryStore::appendAll(const EntryStore &other)
{
    const auto base = std::uint32_t(m_blob.size());
    m_blob.append(other.m_blob);
    m_spans.reserve(m_spans.size() + other.m_spans.size());
    for (const Span &s : other.m_spans)
        m_spans.push_back({base + s.offset, s.length});
    m_deadBytes += other.m_deadBytes;
}

void EntryStore::squeeze()
{
    // Copying a large buffer to save a few line ends is not worth its passing double size.
    if (m_blob.capacity() - m_blob.size() > m_blob.size() / 8)
        m_blob.squeeze();
    m_spans.shrink_to_fit();
}

void EntryStore::clear()
{
    m_blob = QByteArray();
    m_spans = {};
    m_deadBytes = 0;
}

bool lessThanUtf8(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    // Neighbours in a sorted list share long beginnings: equal ASCII bytes, eight at a time,
    // compare equal in any letter case and are passed over at once.
    for (; i + 8 <= n; i += 8) {
        std::uint64_t wa, wb;
        std::memcpy(&wa, a.data() + i, 8);
        std::memcpy(&wb, b.data() + i, 8);
        if (wa != wb || (wa & 0x8080808080808080ULL))
            break;
    }
    for (; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if ((ca | cb) & 0x80) {
            // Beyond ASCII, letter case is Unicode's: leave it to QString.
            return QString::compare(textOfUtf8(a), textOfUtf8(b), Qt::CaseInsensitive) < 0;
        }
        const unsigned char la = (ca >= 'A' && ca <= 'Z') ? ca + ('a' - 'A') : ca;
        const unsigned char lb = (cb >= 'A' && cb <= 'Z') ? cb + ('a' - 'A') : cb;
        if (la != lb)
            return la < lb;
    }
    return a.size() < b.size();
}

namespace {

enum class Encoding { Utf8, Windows1252 };
enum class Outcome { Done, NotUtf8, TooLarge, Unreadable };

bool isAscii(QByteArrayView line)
{
    // No early exit: the loop then runs over whole vectors of bytes, and nearly every line is ASCII.
    unsigned char any = 0;
    for (const char c : line)
        any |= static_cast<unsigned char>(c);
    return !(any & 0x80);
}

// The first CR or LF in [from, end), or end.
const char *lineEnd(const char *from, const char *end)
{
    const auto *lf = static_cast<const char *>(std::memchr(from, '\n', size_t(end - from)));
    const char *stop = lf ? lf : end;
    const auto *cr = static_cast<const char *>(std::memchr(from, '\r', size_t(stop - from)));
    return cr ? cr : stop;
}

// Reads the file in chunks and hands each line to the store; the file is never held whole.
// Reads from the file's position to its end, or `length` bytes when that is not negative (a
// part of the file that ends just after a line end); `atFileStart`: the file's first line,
// which may carry byte-order marks, is in this part.
Outcome readLinesInto(QFile &file, Encoding encoding, qint64 maxBytes, ListFileRead &out, qint64 length = -1,
                      bool atFileStart = true)
{
    constexpr qsizetype kChunk = 1 << 20;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    QByteArray partial; // a line cut by the end of a chunk
    bool skipLf = false; // the last chunk ended with CR: a LF at the start of the next belongs to it
    bool firstLine = atFileStart;
    qint64 total = 0;
    bool havePrevious = false;
    EntryStore::Id previous = 0;

    const auto takeLine = [&](QByteArrayView line) -> bool {
        // Every byte-order mark in front of the file goes (a tool may add one at every save);
        // one in front of a later line is part of that entry, as the text reader has it.
        while (firstLine && encoding == Encoding::Utf8 && line.startsWith("\xEF\xBB\xBF"))
            line = line.sliced(3);
        firstLine = false;
        QByteArray converted;
        if (!isAscii(line)) {
            if (encoding == Encoding::Utf8) {
                if (!line.isValidUtf8())
                    return false;
            } else {
                converted = decodeWindows1252(line.toByteArray()).toUtf8();
                line = converted;
            }
        }
        if (havePrevious && out.inOrder && lessThanUtf8(line, out.entries.bytes(previous)))
            out.inOrder = false;
        previous = out.entries.append(line);
        havePrevious = true;
        return true;
    };

    for (;;) {
        const qint64 want = length < 0 ? kChunk : std::min<qint64>(kChunk, length - total);
        if (want <= 0)
            break;
        const qint64 got = file.read(chunk.data(), want);
        if (got < 0)
            return Outcome::Unreadable;
        if (got == 0)
            break;
        total += got;
        if (total > maxBytes)
            return Outcome::TooLarge;
        const char *data = chunk.constData();
        qsizetype start = 0;
        qsizetype i = 0;
        if (skipLf) {
            skipLf = false;
            if (data[0] == '\n')
                start = i = 1;
        }
        for (; i < got; ++i) {
            i = lineEnd(data + i, data + got) - data;
            if (i == got)
                break;
            const char c = data[i];
            const QByteArrayView piece(data + start, i - start);
            bool ok;
            if (partial.isEmpty()) {
                ok = takeLine(piece);
            } else {
                partial.append(piece);
                ok = takeLine(partial);
                partial.clear();
            }
            if (!ok)
                return Outcome::NotUtf8;
            if (c == '\r') {
                if (i + 1 < got) {
                    if (data[i + 1] == '\n')
                        ++i;
                } else {
                    skipLf = true;
                }
            }
            start = i + 1;
        }
        if (start < got)
            partial.append(data + start, got - start);
    }
    // A last line without its line end is an entry too; a file of nothing but byte-order
    // marks holds no line at all.
    const auto onlyMarks = [](QByteArrayView bytes) {
        while (bytes.startsWith("\xEF\xBB\xBF"))
            bytes = bytes.sliced(3);
        return bytes.isEmpty();
    };
    if (!partial.isEmpty() && !(firstLine && encoding == Encoding::Utf8 && onlyMarks(partial)) && !takeLine(partial))
        return Outcome::NotUtf8;
    return Outcome::Done;
}

// Where the second part of a file begins: just after the first line end at or after its
// middle (a CR LF kept whole), or the file's size when there is none.
qint64 secondPartStart(QFile &file, qint64 size)
{
    qint64 pos = size / 2;
    if (!file.seek(pos))
        return size;
    QByteArray block(64 * 1024, Qt::Uninitialized);
    bool afterCr = false;
    for (;;) {
        const qint64 got = file.read(block.data(), block.size());
        if (got <= 0)
            return afterCr ? pos : size;
        for (qint64 i = 0; i < got; ++i) {
            const char c = block[i];
            if (afterCr)
                return c == '\n' ? pos + i + 1 : pos + i;
            if (c == '\n')
                return pos + i + 1;
            if (c == '\r')
                afterCr = true;
        }
        pos += got;
    }
}

// A large file is read in two parts at once, the second on a thread of its own, and the parts
// joined: the same entries, in the same order, in about half the time on two cores.
Outcome readInTwoParts(const QString &path, QFile &file, qint64 size, qint64 maxBytes, ListFileRead &out)
{
    const qint64 middle = secondPartStart(file, size);
    if (!file.seek(0))
        return Outcome::Unreadable;
    if (middle >= size)
        return readLinesInto(file, Encoding::Utf8, maxBytes, out);
    ListFileRead second;
    Outcome secondOutcome = Outcome::Unreadable;
    std::thread worker([&] {
        QFile part(path);
        if (!part.open(QIODevice::ReadOnly) || !part.seek(middle))
            return;
        second.entries.reserve(size - middle);
        secondOutcome = readLinesInto(part, Encoding::Utf8, maxBytes - middle, second, -1, false);
    });
    const Outcome firstOutcome = readLinesInto(file, Encoding::Utf8, maxBytes, out, middle, true);
    worker.join();
    for (const Outcome o : {Outcome::Unreadable, Outcome::TooLarge, Outcome::NotUtf8}) {
        if (firstOutcome == o || secondOutcome == o)
            return o;
    }
    const qsizetype firstCount = out.entries.idCount();
    if (firstCount > 0 && second.entries.idCount() > 0 && out.inOrder
        && lessThanUtf8(second.entries.bytes(0), out.entries.bytes(EntryStore::Id(firstCount - 1))))
        out.inOrder = false;
    out.inOrder = out.inOrder && second.inOrder;
    out.entries.appendAll(second.entries);
    return Outcome::Done;
}

} // namespace

ListFileRead readListFile(const QString &path, qint64 maxBytes, qint64 twoPartsFrom)
{
    ListFileRead out;
    const QFileInfo info(path);
    if (!info.exists()) {
        out.error = ReadError::Missing;
        return out;
    }
    // A folder, a pipe or a device under a list's name is no list.
    if (!info.isFile()) {
        out.error = ReadError::Unreadable;
        return out;
    }
    if (info.size() > maxBytes) {
        out.error = ReadError::TooLarge;
        return out;
    }
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Windows1252}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            out.error = ReadError::Unreadable;
            return out;
        }
        out.entries.clear();
        out.entries.reserve(info.size());
        out.inOrder = true;
        const bool twoParts = encoding == Encoding::Utf8 && info.size() >= twoPartsFrom;
        switch (twoParts ? readInTwoParts(path, file, info.size(), maxBytes, out)
                         : readLinesInto(file, encoding, maxBytes, out)) {
        case Outcome::Done:
            out.entries.squeeze();
            return out;
        case Outcome::NotUtf8:
            continue; // read the whole file again as Windows-1252, as readLines does
        case Outcome::TooLarge:
            out.entries.clear();
            out.error = ReadError::TooLarge;
            return out;
        case Outcome::Unreadable:
            out.entries.clear();
            out.error = ReadError::Unreadable;
            return out;
        }
    }
    out.entries.clear();
    out.error = ReadError::Unreadable;
    return out;
}

} // namespace tovalin
