// The names fetched videos and installers are stored under, taken from their addresses.
//
// Checks: every name agrees with a plain reading of the rule (lower-cased for a video,
// percent escapes decoded up to the first blank, the part after the last "/" that stands at
// the ninth character or later, trimmed), is empty or a plain file name of its folder (never
// "/", ".", ".." or NUL, so nothing is written elsewhere), and a name written into an address
// percent-encoded is read back as itself; the video page's title follows its length rule.

#include "support.h"

#include "core/text_file.h"
#include "media/video_names.h"

using namespace tovalin;
using namespace tovalin::videonames;

namespace {

int plainHex(char c)
{
    const QByteArray digits = "0123456789abcdef";
    const qsizetype at = digits.indexOf(char(QChar::fromLatin1(c).toLower().toLatin1()));
    return at >= 0 ? int(at) : 0; // a character that is not a hexadecimal digit counts as 0
}

QString plainDecode(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (const qsizetype blank = bytes.indexOf(' '); blank >= 0)
        bytes.truncate(blank);
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '%' && i + 2 < bytes.size()) {
            out.append(char(plainHex(bytes.at(i + 1)) * 16 + plainHex(bytes.at(i + 2))));
            i += 2;
        } else {
            out.append(bytes.at(i));
        }
    }
    return decodeText(out);
}

bool plainSafe(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/')
        && !name.contains(QChar(0));
}

QString plainVideoName(const QString &address)
{
    const QString decoded = plainDecode(address.toLower());
    const qsizetype slash = decoded.lastIndexOf(u'/');
    const QString name = (slash >= 8 ? decoded.mid(slash + 1) : decoded).trimmed();
    return plainSafe(name) ? name : QString();
}

QString plainInstallerName(const QString &address)
{
    const QString decoded = plainDecode(address);
    const QString name = decoded.mid(decoded.lastIndexOf(u'/') + 1);
    return plainSafe(name) ? name : QString();
}

QString encoded(const QString &name)
{
    return QString::fromLatin1(name.toUtf8().toPercentEncoding());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string raw = in.ConsumeRandomLengthString(300);
    const QString address = decodeText(QByteArray(raw.data(), qsizetype(raw.size())));

    const QString video = videoFileName(address);
    FUZZ_CHECK_EQ(video, plainVideoName(address));
    FUZZ_CHECK(video.isEmpty() || plainSafe(video));
    const QString installer = installerFileName(address);
    FUZZ_CHECK_EQ(installer, plainInstallerName(address));
    FUZZ_CHECK(installer.isEmpty() || plainSafe(installer));

    const QString title = videoTitle(video);
    if (video.size() < 28)
        FUZZ_CHECK_EQ(title, video);
    else
        FUZZ_CHECK_EQ(title, video.left(26) + QStringLiteral("..."));

    // A name written into an address comes back: lower-case for a video (the address is
    // lower-cased before decoding), as written for an installer.
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QString wanted = decodeText(QByteArray(rest.data(), qsizetype(rest.size())));
    if (plainSafe(wanted)) {
        const QString lower = wanted.toLower();
        if (plainSafe(lower) && lower == lower.trimmed() && lower.toLower() == lower)
            FUZZ_CHECK_EQ(videoFileName(QStringLiteral("http://videos.example/clips/") + encoded(lower)), lower);
        FUZZ_CHECK_EQ(installerFileName(QStringLiteral("https://www.tovalin.example/setup/") + encoded(wanted)), wanted);
    }
    return 0;
}
