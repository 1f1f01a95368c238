#pragma once
// Reading the archives category lists come in: a .tar.gz (or a plain .tar, or one gzip-packed
// list) read as a stream, entry by entry, without unpacking anything to disk.
//
// Archives come from the network. The reader follows ustar, GNU long names and pax paths;
// links, devices and folders are reported as such and never followed; every size is capped
// (kMaxEntryBytes an entry, kMaxTotalBytes unpacked, kMaxEntries entries), and a header whose
// check sum does not add up ends the reading as an error, not as the end of the archive.

#include <QString>
#include <QtGlobal>

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <memory>

namespace tovalin {

class TarGzReader {
public:
    static constexpr qint64 kMaxEntryBytes = qint64(1) << 30;        ///< 1 GB a list
    static constexpr qint64 kMaxTotalBytes = qint64(4) << 30;        ///< 4 GB unpacked in all
    static constexpr qint64 kMaxEntries = 200000;
    static constexpr qint64 kMaxNameBytes = 4096;

    struct Entry {
        QString path;         ///< as stored, "/" separated
        bool regular = false; ///< a plain file (links, folders and devices are not)
        qint64 size = 0;
    };
    enum class Step { Entry, End, Error };

    explicit TarGzReader(const QString &path);
    ~TarGzReader();
    TarGzReader(const TarGzReader &) = delete;
    TarGzReader &operator=(const TarGzReader &) = delete;

    /// Opens the file; false with error() set when it cannot be read.
    bool open();
    /// True when the file starts as a tar archive would after unpacking (gzip or not).
    bool looksLikeTar();
    /// Moves to the next entry (skipping what is left of the one before). Error: error() says why.
    Step next(Entry &entry);
    /// Reads up to max bytes of the current entry's data; 0 at its end, -1 on an error.
    qint64 read(char *data, qint64 max);
    /// For a file that is no tar archive (looksLikeTar false): reads its unpacked bytes from the
    /// start, up to kMaxEntryBytes; 0 at the end, -1 on an error or beyond that size.
    qint64 readPlain(char *data, qint64 max);

    /// How far the reading is through the (packed) file, 0 to 1.
    double progress() const;
    const QString &error() const { return m_error; }

private:
    bool readExactly(char *data, qint64 bytes);
    bool skipBytes(qint64 bytes);
    bool fail(const QString &why);

    struct State;
    std::unique_ptr<State> m_s;
    QString m_error;
};

/// Reads the current entry of a reader (or a whole plain file) line by line: each line without
/// its CR/LF. A line longer than kMaxLineBytes is passed over, not cut.
class LineReader {
public:
    static constexpr qint64 kMaxLineBytes = 4096;
    using Source = std::function<qint64(char *data, qint64 max)>;
    explicit LineReader(Source source) : m_source(std::move(source)) {}
    /// The next line in line; false at the end (or on a read error: failed()).
    bool next(QByteArrayView &line);
    bool failed() const { return m_failed; }

private:
    Source m_source;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    bool m_eof = false;
    bool m_failed = false;
    bool m_skipping = false;
};

} // namespace tovalin
