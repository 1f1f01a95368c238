// The version file the vendor's host sends, and the version comparison behind the offer.
//
// Checks: the version and address read from the file agree with a plain reading of its
// lines (the first section of that name, the first key of that name in it, letter case
// ignored, the value trimmed); an update is offered exactly when there is an address and the
// version is digits and points and newer than the running one; comparing versions agrees with
// comparing their parts as whole numbers of any length, and is antisymmetric.

#include "support.h"

#include "core/ini.h"
#include "core/text_file.h"
#include "update/update_check.h"
#include "update/version.h"

#include <QRegularExpression>

using namespace tovalin;

namespace {

// The value of section/key as a plain reading of the lines finds it.
QString plainValue(const QStringList &lines, const QString &section, const QString &key)
{
    bool inSection = false;
    bool sectionSeen = false;
    for (const QString &raw : lines) {
        const QString t = raw.trimmed();
        if (t.size() >= 2 && t.startsWith(u'[') && t.endsWith(u']')) {
            if (inSection)
                return {}; // only the first section of that name counts
            inSection = !sectionSeen && t.mid(1, t.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection || t.startsWith(u';'))
            continue;
        const qsizetype eq = raw.indexOf(u'=');
        if (eq > 0 && !raw.left(eq).trimmed().isEmpty() && raw.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return raw.mid(eq + 1).trimmed();
    }
    return {};
}

bool plainIsVersion(const QString &text)
{
    static const QRegularExpression version(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]+(\\.[0-9]+)*")));
    return version.match(text).hasMatch();
}

// Part by part, as whole numbers: leading zeros dropped, then the longer is the larger.
int plainCompare(const QString &a, const QString &b)
{
    QStringList pa = a.split(u'.');
    QStringList pb = b.split(u'.');
    while (pa.size() < pb.size())
        pa << QStringLiteral("0");
    while (pb.size() < pa.size())
        pb << QStringLiteral("0");
    for (qsizetype i = 0; i < pa.size(); ++i) {
        QString x = pa.at(i);
        QString y = pb.at(i);
        while (x.size() > 1 && x.startsWith(u'0'))
            x.remove(0, 1);
        while (y.size() > 1 && y.startsWith(u'0'))
            y.remove(0, 1);
        if (x.size() != y.size())
            return x.size() < y.size() ? -1 : 1;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string runningRaw = in.ConsumeRandomLengthString(20);
    const QString running = in.ConsumeBool() ? version::runningVersion() : QString::fromLatin1(runningRaw.data(), qsizetype(runningRaw.size()));
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    const VersionFileEntry entry = readVersionFile(IniDocument::parse(bytes));
    const QStringList lines = splitLines(decodeText(bytes));
    const QString key = QString::fromLatin1(UpdateChecker::kTitleKey);
    FUZZ_CHECK_EQ(entry.version, plainValue(lines, QStringLiteral("CurrentVersions"), key));
    FUZZ_CHECK_EQ(entry.address, plainValue(lines, QStringLiteral("DownloadURL"), key));

    FUZZ_CHECK_EQ(version::isVersionText(entry.version), plainIsVersion(entry.version));
    FUZZ_CHECK_EQ(version::isVersionText(running), plainIsVersion(running));
    const bool expectedOffer = !entry.address.isEmpty() && plainIsVersion(entry.version) && plainIsVersion(running)
        && plainCompare(running, entry.version) < 0;
    FUZZ_CHECK_EQ(offersUpdate(entry, running), expectedOffer);
    if (plainIsVersion(entry.version) && plainIsVersion(running)) {
        const int c = version::compare(running, entry.version);
        FUZZ_CHECK_EQ(c, plainCompare(running, entry.version));
        FUZZ_CHECK_EQ(version::compare(entry.version, running), -c);
        FUZZ_CHECK_EQ(version::compare(entry.version, entry.version), 0);
    }
    return 0;
}
