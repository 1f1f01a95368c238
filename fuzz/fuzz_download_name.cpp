// The download-name rule: the theme name a ".tvz" address gives.
//
// Checks: the name agrees with a plain reading of the rule (the text before the first ".tvz",
// after the last "/", "?" or "=", percent-decoded, kept only when it is a valid theme name);
// a name is never one that could leave the themes folder; and any valid theme name, written
// into an address percent-encoded, is read back as itself.

#include "support.h"

#include "core/text_file.h"
#include "themes/theme_files.h"
#include "themes/theme_names.h"

#include <QUrl>

using namespace tovalin;

namespace {

QString plainReading(const QString &address)
{
    const qsizetype tvz = address.indexOf(QStringLiteral(".tvz"), 0, Qt::CaseInsensitive);
    if (tvz < 0)
        return {};
    qsizetype start = tvz;
    while (start > 0 && address.at(start - 1) != u'/' && address.at(start - 1) != u'?' && address.at(start - 1) != u'=')
        --start;
    const QByteArray segment = address.mid(start, tvz - start).toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < segment.size(); ++i) {
        const QByteArray hex = segment.mid(i + 1, 2);
        bool ok = false;
        const int value = hex.size() == 2 && isxdigit(uchar(hex[0])) && isxdigit(uchar(hex[1])) ? hex.toInt(&ok, 16) : -1;
        if (segment.at(i) == '%' && ok) {
            bytes.append(char(value));
            i += 2;
        } else {
            bytes.append(segment.at(i));
        }
    }
    const QString name = decodeText(bytes);
    return isValidThemeName(name) ? name : QString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string raw = in.ConsumeRandomLengthString(300);
    const QString address = decodeText(QByteArray(raw.data(), qsizetype(raw.size())));
    const QString name = themeNameFromDownloadAddress(address);
    FUZZ_CHECK_EQ(name, plainReading(address));
    if (!name.isEmpty()) {
        FUZZ_CHECK(isValidThemeName(name));
        FUZZ_CHECK(isSafeFileStem(name));
        FUZZ_CHECK(!name.contains(u'/') && !name.contains(u'\\') && name != QLatin1String("..") && name != QLatin1String("."));
    }

    // A theme name written into an address is read back as itself.
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QString wanted = decodeText(QByteArray(rest.data(), qsizetype(rest.size())));
    if (isValidThemeName(wanted)) {
        const QString encoded = QString::fromLatin1(wanted.toUtf8().toPercentEncoding(QByteArray(), QByteArrayLiteral(".")));
        const QString built = QStringLiteral("http://themes.example/get.php?id=7&theme=") + encoded + QStringLiteral(".tvz");
        FUZZ_CHECK_EQ(themeNameFromDownloadAddress(built), wanted);
        const QString inPath = QStringLiteral("https://themes.example/a/b/") + encoded + QStringLiteral(".TVZ");
        FUZZ_CHECK_EQ(themeNameFromDownloadAddress(inPath), wanted);
    }
    return 0;
}
