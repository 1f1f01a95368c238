// The link list (.llt), the link files (.kld) and the conversion of old link lists.
//
// Checks: a link read from its .kld agrees with a plain reading of the INI text; a link
// written and read back is the same link (line breaks become blanks, values are trimmed) and
// the keys the link does not own survive; converting an old list gives exactly the lines and
// .kld files the conversion rule names; nothing is written outside the themes folder, and no
// name from a file makes a file anywhere but there.

#include "support.h"

#include "core/ini.h"
#include "core/text_file.h"
#include "themes/theme_files.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

using namespace tovalin;

namespace {

using fuzz::consumeText;
using fuzz::consumeBytes;
using fuzz::writeRaw;
using fuzz::readRaw;

const QString kSection = QStringLiteral("LinkProp");

// A size as the plain reading takes it: the trimmed value as a whole number, else -1.
int plainSize(const IniDocument &ini, const QString &key)
{
    bool ok = false;
    const int n = ini.stringValue(kSection, key).trimmed().toInt(&ok);
    return ini.value(kSection, key) && ok ? n : -1;
}

bool fitsFileName(const QString &stem, int extra)
{
    return stem.toUtf8().size() + extra <= 255;
}

// An atomic save may write a temporary file of the target's name plus 7 characters first; a
// link file whose name leaves no room for that may then not be saved (the save reports it).
constexpr int kLinkFileSaveRoom = 4 + 7;

void checkLinkAgainstIni(const ThemeLink &link, const QString &id, const QByteArray &kld)
{
    const IniDocument ini = IniDocument::parse(kld);
    FUZZ_CHECK_EQ(link.URL, ini.stringValue(kSection, QStringLiteral("URL")));
    FUZZ_CHECK_EQ(link.Hint, ini.stringValue(kSection, QStringLiteral("Hint")));
    FUZZ_CHECK_EQ(link.Beschrijving, ini.stringValue(kSection, QStringLiteral("Beschrijving")));
    FUZZ_CHECK_EQ(link.hoogte, plainSize(ini, QStringLiteral("hoogte")));
    FUZZ_CHECK_EQ(link.breedte, plainSize(ini, QStringLiteral("breedte")));
    FUZZ_CHECK_EQ(link.ID, id);
    FUZZ_CHECK_EQ(link.pictureFile, id + QStringLiteral(".bmp"));
}

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// Every key outside what a link writes, with its value, as a reader of the file sees them.
QStringList foreignKeys(const IniDocument &ini)
{
    static const QStringList owned = {QStringLiteral("URL"), QStringLiteral("ID"), QStringLiteral("Hint"),
                                      QStringLiteral("Beschrijving"), QStringLiteral("hoogte"), QStringLiteral("breedte")};
    QStringList out;
    for (const QString &section : ini.sections()) {
        for (const QString &key : ini.keys(section)) {
            const bool isOwned = section.compare(kSection, Qt::CaseInsensitive) == 0
                && owned.contains(key, Qt::CaseInsensitive);
            if (!isOwned)
                out << section + u'/' + key + u'=' + ini.stringValue(section, key);
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    fuzz::Sandbox &box = fuzz::Sandbox::instance();
    box.reset({QStringLiteral("themas")});
    const QString themes = box.work() + QStringLiteral("/themas");
    const QString listPath = themes + QStringLiteral("/T.llt");

    const QByteArray listBytes = consumeBytes(in, 800);
    FUZZ_CHECK(writeRaw(listPath, listBytes));
    const QStringList lines = splitLines(decodeText(listBytes));

    // Reading: some lines get a link file of hostile bytes.
    QHash<QString, QByteArray> kldOf;
    for (int n = in.ConsumeIntegralInRange<int>(0, 3); n > 0 && !lines.isEmpty(); --n) {
        const QString id = lines.at(in.ConsumeIntegralInRange<qsizetype>(0, lines.size() - 1));
        const QByteArray kld = consumeBytes(in, 400);
        if (isSafeFileStem(id) && fitsFileName(id, 4) && writeRaw(themes + u'/' + id + QStringLiteral(".kld"), kld))
            kldOf.insert(id, kld);
    }
    for (const QString &id : lines) {
        const std::optional<ThemeLink> link = readLinkProperties(themes, id);
        FUZZ_CHECK(link.has_value() == kldOf.contains(id));
        if (link)
            checkLinkAgainstIni(*link, id, kldOf.value(id));
    }

    // Writing one link back into its (hostile) file and reading it again.
    if (!kldOf.isEmpty()) {
        const QString id = kldOf.keys().first();
        ThemeLink written;
        written.ID = id;
        written.URL = consumeText(in, 100);
        written.Hint = consumeText(in, 60);
        written.hoogte = in.ConsumeIntegral<int>();
        written.breedte = in.ConsumeIntegral<int>();
        const IniDocument before = IniDocument::parse(kldOf.value(id));
        const bool saved = writeNewLinkProperties(themes, written).ok;
        // A name with room for the temporary name always saves. A longer one saves where the
        // system writes through an unnamed temporary file (O_TMPFILE) and fails elsewhere; then
        // the old file stays as it was.
        if (fitsFileName(id, kLinkFileSaveRoom))
            FUZZ_CHECK(saved);
        if (!saved) {
            FUZZ_CHECK_EQ(readRaw(themes + u'/' + id + QStringLiteral(".kld")), kldOf.value(id));
            kldOf.remove(id); // nothing more of it is checked
        } else {
            const std::optional<ThemeLink> back = readLinkProperties(themes, id);
            FUZZ_CHECK(back.has_value());
            FUZZ_CHECK_EQ(back->URL, oneLine(written.URL).trimmed());
            FUZZ_CHECK_EQ(back->Hint, oneLine(written.Hint).trimmed());
            FUZZ_CHECK_EQ(back->Beschrijving, QString());
            FUZZ_CHECK_EQ(back->hoogte, written.hoogte);
            FUZZ_CHECK_EQ(back->breedte, written.breedte);
            const IniDocument after = IniDocument::parse(readRaw(themes + u'/' + id + QStringLiteral(".kld")));
            FUZZ_CHECK_EQ(after.stringValue(kSection, QStringLiteral("ID")), oneLine(id).trimmed());
            FUZZ_CHECK_EQ(foreignKeys(after), foreignKeys(before));
            kldOf.insert(id, readRaw(themes + u'/' + id + QStringLiteral(".kld")));
        }
    }

    // Converting the list as an old one: "picture.bmp=address" lines become IDs with link files.
    QHash<QString, QString> urlOf; // the last address each safe ID gets
    QStringList expected;
    QSet<QString> copiedPictures;
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) {
            expected << line;
            continue;
        }
        const QString picture = line.left(eq);
        QString id = picture;
        const qsizetype ext = id.indexOf(QStringLiteral(".bmp"), 0, Qt::CaseInsensitive);
        if (ext >= 0)
            id.remove(ext, 4);
        expected << id;
        if (isSafeFileStem(id) && fitsFileName(id, kLinkFileSaveRoom))
            urlOf.insert(id, line.mid(eq + 1).trimmed());
        // Some old thumbnails are there under their old name.
        if (in.ConsumeBool() && ext >= 0 && isSafeFileStem(picture) && fitsFileName(picture, 0)
            && picture != id + QStringLiteral(".bmp") && !picture.endsWith(QLatin1String(".kld"))
            && !QFileInfo::exists(themes + u'/' + picture) && writeRaw(themes + u'/' + picture, "old picture"))
            copiedPictures << picture;
    }
    FUZZ_CHECK(MigrateLinkList(themes, QStringLiteral("T")));
    FUZZ_CHECK_EQ(readRaw(listPath), joinLinesCrLf(expected));
    for (auto it = urlOf.cbegin(); it != urlOf.cend(); ++it) {
        const std::optional<ThemeLink> link = readLinkProperties(themes, it.key());
        FUZZ_CHECK(link.has_value());
        FUZZ_CHECK_EQ(link->URL, it.value());
        FUZZ_CHECK_EQ(link->Hint, QString());
        FUZZ_CHECK_EQ(link->hoogte, -1);
        FUZZ_CHECK_EQ(link->breedte, -1);
    }
    for (const QString &picture : std::as_const(copiedPictures)) {
        QString id = picture;
        id.remove(id.indexOf(QStringLiteral(".bmp"), 0, Qt::CaseInsensitive), 4);
        if (isSafeFileStem(id) && fitsFileName(id, 4))
            FUZZ_CHECK(QFileInfo::exists(themes + u'/' + id + QStringLiteral(".bmp")));
    }

    // Every file is right in the themes folder, and is the list, a link file or a picture.
    FUZZ_CHECK_EQ(box.strayEntries(), QStringList());
    for (const QString &entry : box.tree()) {
        if (entry == QLatin1String("outside.txt") || entry == QLatin1String("work") || entry == QLatin1String("work/themas"))
            continue;
        FUZZ_CHECK(entry.startsWith(QLatin1String("work/themas/")));
        const QString name = entry.mid(12);
        FUZZ_CHECK(!name.contains(u'/'));
        const bool known = name == QLatin1String("T.llt") || name.endsWith(QLatin1String(".kld"))
            || name.endsWith(QLatin1String(".bmp")) || copiedPictures.contains(name);
        if (!known)
            fuzz::fail("only the list, link files and pictures in the themes folder", __FILE__, __LINE__, fuzz::show(name));
    }
    return 0;
}
