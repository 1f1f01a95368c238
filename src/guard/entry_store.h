#pragma once
// Site-list entries kept lean, and list files read without a copy of the whole file.
//
// A list may hold a million entries (schools import public lists). Kept as one QString
// each, such a list costs three times its file; here every entry is its UTF-8 bytes in
// one shared buffer, and the list converts an entry to text only when it is asked for.

#include "core/text_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

namespace tovalin {

/// UTF-8 to text keeping a byte-order mark at the start, which QString::fromUtf8 drops: an
/// entry that begins with one is another entry than the one without it.
QString textOfUtf8(QByteArrayView utf8);

/// Largest list file read; a larger one is refused (the guard then fails closed).
inline constexpr qint64 kMaxListFileBytes = qint64(256) * 1024 * 1024;
/// From this size on a list file is read in two parts at once (below it a thread costs more than it saves).
inline constexpr qint64 kListReadInTwoPartsFrom = qint64(4) * 1024 * 1024;

/// Entries as UTF-8 in one buffer, each known by the id append gave it. A removed entry's
/// bytes stay until the store is rebuilt; ids never change.
class EntryStore {
public:
    using Id = std::uint32_t;

    Id append(QByteArrayView utf8);
    QByteArrayView bytes(Id id) const
    {
        const Span &s = m_spans[id];
        return QByteArrayView(m_blob.constData() + s.offset, s.length);
    }
    /// The entry as text; a byte-order mark in front of it stays (it is part of the entry).
    QString text(Id id) const { return textOfUtf8(bytes(id)); }
    /// Appends every entry of another store, in its order (their ids follow this store's).
    void appendAll(const EntryStore &other);
    /// Marks an entry's bytes as unused.
    void release(Id id) { m_deadBytes += m_spans[id].length; }
    /// Ids given so far, removed ones included.
    qsizetype idCount() const { return qsizetype(m_spans.size()); }
    qsizetype deadBytes() const { return m_deadBytes; }
    qsizetype byteCount() const { return m_blob.size(); }
    void reserve(qsizetype bytes) { m_blob.reserve(bytes); }
    void squeeze();
    void clear();
    qsizetype memoryBytes() const { return m_blob.capacity() + qsizetype(m_spans.capacity() * sizeof(Span)); }

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    QByteArray m_blob;
    std::vector<Span> m_spans;
    qsizetype m_deadBytes = 0;
};

/// The lists' case-insensitive order (QString::compare with Qt::CaseInsensitive) on UTF-8
/// entries; ASCII entries are compared without being converted.
bool lessThanUtf8(QByteArrayView a, QByteArrayView b);

struct ListFileRead {
    ReadError error = ReadError::None;
    EntryStore entries;  ///< one per line, in file order: ids 0, 1, 2, ...
    bool inOrder = true; ///< no entry sorts before the one above it
    bool ok() const { return error == ReadError::None; }
};

/// Reads a list file line by line, as readLines would (a line ends at CR, LF or CR LF; nothing
/// trimmed; UTF-8, or Windows-1252 when the file is not valid UTF-8), keeping only the entries.
/// A file above maxBytes is TooLarge; anything that is not a regular file is Unreadable.
/// A file of twoPartsFrom bytes or more is read in two parts on two threads at once.
ListFileRead readListFile(const QString &path, qint64 maxBytes = kMaxListFileBytes,
                          qint64 twoPartsFrom = kListReadInTwoPartsFrom);

} // namespace tovalin
