#pragma once
// Reading and writing the program's text files.
//
// Files are written UTF-8 without BOM, every line ended by CR LF, always through
// a temporary file that is renamed over the old one, so a crash or a full disk
// never leaves half a file. On reading, a line ends at CR, LF or CR LF, and a
// file that is not valid UTF-8 is read as Windows-1252 so files made on Windows
// still load.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tovalin {

/// Largest file the program reads as text; larger files are refused, never loaded.
inline constexpr qint64 kMaxTextFileBytes = 32 * 1024 * 1024;

/// Decodes bytes as UTF-8 (a leading BOM dropped), or as Windows-1252 when they are not valid UTF-8.
QString decodeText(const QByteArray &bytes);

/// Decodes bytes as Windows-1252.
QString decodeWindows1252(const QByteArray &bytes);

/// Splits text into lines at CR, LF or CR LF; a final line ending adds no empty line.
QStringList splitLines(const QString &text);

/// Joins lines, each one followed by CR LF, as UTF-8 bytes.
QByteArray joinLinesCrLf(const QStringList &lines);

enum class ReadError { None, Missing, Unreadable, TooLarge };

struct ReadResult {
    ReadError error = ReadError::None;
    QByteArray bytes;
    bool ok() const { return error == ReadError::None; }
};

/// Reads a whole file, refusing files above kMaxTextFileBytes and anything that is not a regular file.
ReadResult readFileBytes(const QString &path);

/// As readFileBytes, with a cap of maxBytes. Memory follows the file's size, not the cap.
ReadResult readFileBytes(const QString &path, qint64 maxBytes);

/// Reads a file as lines; nullopt when it is missing, unreadable or too large.
std::optional<QStringList> readLines(const QString &path);

struct WriteResult {
    bool ok = true;
    QString error; ///< the system's reason when !ok, for the message the caller shows
};

/// Writes bytes to path atomically (temporary file in the same folder, then rename).
WriteResult writeFileAtomic(const QString &path, const QByteArray &bytes);

/// Writes lines with CR LF endings atomically.
WriteResult writeLines(const QString &path, const QStringList &lines);

} // namespace tovalin
