// The text-file reader: any bytes, in UTF-8 or Windows-1252, with any line ends.
//
// Checks: the text agrees with a plain reading of the bytes (UTF-8 when valid, else one
// Windows-1252 character per byte); no line holds a line end; lines written and read back,
// in memory and through a file, are the same lines; the file lands where it was asked to.

#include "support.h"

#include "core/text_file.h"

#include <QFile>
#include <QStringDecoder>

using namespace tovalin;

namespace {

// The plain reading: Windows-1252 is Latin-1 apart from 0x80..0x9F.
QString plainCp1252(const QByteArray &bytes)
{
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString out;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out += (b >= 0x80 && b <= 0x9F) ? QChar(high[b - 0x80]) : QChar(b);
    }
    return out;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    Q_UNUSED(decoded);
    return !utf8.hasError();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeText(bytes);

    if (isValidUtf8(bytes)) {
        // Valid UTF-8 reads as written, less the byte-order marks in front.
        QString expected = QString::fromUtf8(bytes);
        while (expected.startsWith(QChar(0xFEFF)))
            expected.remove(0, 1);
        FUZZ_CHECK_EQ(text, expected);
    } else {
        FUZZ_CHECK_EQ(text, plainCp1252(bytes));
    }

    const QStringList lines = splitLines(text);
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    // Nothing but the line ends is lost: the lines joined by their ends are the text again.
    QString joined;
    for (const QString &line : lines)
        joined += line + u'\n';
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    if (!normalized.isEmpty() && !normalized.endsWith(u'\n'))
        normalized += u'\n';
    FUZZ_CHECK_EQ(joined, normalized);

    const QByteArray written = joinLinesCrLf(lines);
    FUZZ_CHECK_EQ(splitLines(decodeText(written)), lines);

    fuzz::Sandbox &box = fuzz::Sandbox::instance();
    box.reset();
    const QString path = box.work() + QStringLiteral("/list.kvu");
    FUZZ_CHECK(writeLines(path, lines).ok);
    const std::optional<QStringList> reread = readLines(path);
    FUZZ_CHECK(reread.has_value());
    FUZZ_CHECK_EQ(*reread, lines);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    FUZZ_CHECK_EQ(file.readAll(), written);
    FUZZ_CHECK_EQ(box.strayEntries(), QStringList());
    FUZZ_CHECK_EQ(box.tree(), QStringList({QStringLiteral("outside.txt"), QStringLiteral("work"), QStringLiteral("work/list.kvu")}));
    return 0;
}
