#include "media/video_names.h"

#include "core/text_file.h"

namespace tovalin::videonames {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

// The text after the last "/" at index `from` or later; all of it when there is none.
QString afterLastSlash(const QString &text, qsizetype from)
{
    const qsizetype slash = text.lastIndexOf(u'/');
    return slash >= from ? text.mid(slash + 1) : text;
}

// The slashes of "http://" stand at the sixth and seventh characters; a name's "/" at the ninth or later.
constexpr qsizetype kFirstNameSlash = 8;

} // namespace

QString decodePercentUntilBlank(const QString &text)
{
    // The text ends at its first blank, also where the blank follows a "%": "%2 x" is cut to "%2".
    QByteArray bytes = text.toUtf8();
    if (const qsizetype blank = bytes.indexOf(' '); blank >= 0)
        bytes.truncate(blank);
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '%' && i + 2 < bytes.size()) {
            out.append(char(hexValue(bytes.at(i + 1)) * 16 + hexValue(bytes.at(i + 2))));
            i += 2;
            continue;
        }
        out.append(c);
    }
    return decodeText(out);
}

bool endsWithExtension(const QString &lowerAddress, const QString &extension)
{
    const qsizetype at = lowerAddress.indexOf(extension);
    return at >= 0 && at + extension.size() == lowerAddress.size();
}

bool isSafeFileName(const QString &name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(0));
}

QString videoFileName(const QString &address)
{
    const QString decoded = decodePercentUntilBlank(address.toLower());
    const QString name = afterLastSlash(decoded, kFirstNameSlash).trimmed();
    return isSafeFileName(name) ? name : QString();
}

QString videoTitle(const QString &name)
{
    constexpr qsizetype kLongTitle = 28;
    constexpr qsizetype kKept = 26;
    return name.size() < kLongTitle ? name : name.left(kKept) + QStringLiteral("...");
}

QString installerFileName(const QString &address)
{
    const QString decoded = decodePercentUntilBlank(address);
    const qsizetype slash = decoded.lastIndexOf(u'/');
    const QString name = slash >= 0 ? decoded.mid(slash + 1) : decoded;
    return isSafeFileName(name) ? name : QString();
}

} // namespace tovalin::videonames
