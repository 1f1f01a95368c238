#include "themes/support_theme_fixtures.h"
#include "themes/theme_files.h"
#include "themes/theme_model.h"

#include "core/text_file.h"
#include "guard/site_lists.h"
#include "state/program_state.h"
#include "users/user_profile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <array>
#include <cmath>

using namespace tovalin;
using namespace tovalin::testing;

class TestThemeFiles : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_data;
    QString m_themes;
    int m_run = 0;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_data = m_dir.filePath(QStringLiteral("data%1").arg(++m_run));
        m_themes = m_data + QStringLiteral("/themas");
        QVERIFY(QDir().mkpath(m_themes));
    }

    void linkIdIsLocalTimeInFourteenDigits()
    {
        QCOMPARE(makeLinkId(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))), QStringLiteral("20240305140709"));
        QCOMPARE(makeLinkId(QDateTime(QDate(1999, 12, 31), QTime(0, 0, 0))), QStringLiteral("19991231000000"));
    }

    void newLinkPropertiesAreWrittenByteForByte()
    {
        ThemeLink link;
        link.URL = QStringLiteral("http://www.zoo.example/");
        link.ID = QStringLiteral("20240102030405");
        link.Hint = QStringLiteral("Zoo\r\nanimals");
        link.Beschrijving = QStringLiteral("never written");
        link.hoogte = 300;
        link.breedte = 400;
        QVERIFY(writeNewLinkProperties(m_themes, link).ok);
        QCOMPARE(readRaw(m_themes + "/20240102030405.kld"),
                 QByteArray("[LinkProp]\r\nURL=http://www.zoo.example/\r\nID=20240102030405\r\nHint=Zoo animals\r\n"
                            "Beschrijving=\r\nhoogte=300\r\nbreedte=400\r\n"));

        const auto back = readLinkProperties(m_themes, link.ID);
        QVERIFY(back);
        QCOMPARE(back->URL, link.URL);
        QCOMPARE(back->Hint, QStringLiteral("Zoo animals"));
        QCOMPARE(back->hoogte, 300);
        QCOMPARE(back->breedte, 400);
        QCOMPARE(back->pictureFile, QStringLiteral("20240102030405.bmp"));

        QVERIFY(!writeNewLinkProperties(m_themes + "/missing", link).ok);
        link.ID = QStringLiteral("../escape");
        QVERIFY(!writeNewLinkProperties(m_themes, link).ok);
        QVERIFY(!QFileInfo::exists(m_dir.filePath("escape.kld")));
    }

    void editingKeepsIdAndUnknownKeys()
    {
        writeRaw(m_themes + "/L1.kld", "[LinkProp]\r\nURL=old\r\nID=other\r\nColour=7\r\nHint=h\r\n");
        ThemeLink link;
        link.ID = QStringLiteral("L1");
        link.URL = QStringLiteral("http://new.example/");
        link.Hint = QStringLiteral("new hint");
        link.hoogte = 10;
        QVERIFY(updateLinkProperties(m_themes, link).ok);
        QCOMPARE(readRaw(m_themes + "/L1.kld"),
                 QByteArray("[LinkProp]\r\nURL=http://new.example/\r\nID=other\r\nColour=7\r\nHint=new hint\r\n"
                            "Beschrijving=\r\nhoogte=10\r\nbreedte=-1\r\n"));
    }

    void missingOrMalformedSizesMeanTheFullPage()
    {
        writeRaw(m_themes + "/S.kld", "[linkprop]\r\nurl=http://s.example/\r\nhoogte=abc\r\n");
        const auto link = readLinkProperties(m_themes, QStringLiteral("S"));
        QVERIFY(link);
        QCOMPARE(link->URL, QStringLiteral("http://s.example/"));
        QCOMPARE(link->hoogte, -1);
        QCOMPARE(link->breedte, -1);
        QCOMPARE(link->Hint, QString());
        QVERIFY(!readLinkProperties(m_themes, QStringLiteral("absent")));
    }

    void oldFormLinkListIsConvertedExactly()
    {
        writeRaw(m_themes + "/Old.llt",
                 "P.bmp=http://www.zoo.example/\r\nQ.bmp=http://q.example/?a=b\r\nR.BMP=http://r.example/\r\n"
                 "../evil.bmp=http://evil.example/\r\nalready\r\n");
        writeRaw(m_themes + "/R.BMP", encodeBmp(Bitmap::filled(2, 2, 0xFF000000)));
        QVERIFY(MigrateLinkList(m_themes, QStringLiteral("Old")));

        QCOMPARE(readRaw(m_themes + "/Old.llt"), QByteArray("P\r\nQ\r\nR\r\n../evil\r\nalready\r\n"));
        QCOMPARE(readRaw(m_themes + "/P.kld"),
                 QByteArray("[LinkProp]\r\nURL=http://www.zoo.example/\r\nID=P\r\nHint=\r\nBeschrijving=\r\n"
                            "hoogte=-1\r\nbreedte=-1\r\n"));
        QCOMPARE(readLinkProperties(m_themes, QStringLiteral("Q"))->URL, QStringLiteral("http://q.example/?a=b"));
        // Made on Windows, where R.BMP is R.bmp: the thumbnail is found under its ID.
        QVERIFY(QFileInfo::exists(m_themes + "/R.bmp"));
        // A picture name that reaches outside the folder writes nothing there.
        QVERIFY(!QFileInfo::exists(m_dir.filePath("evil.kld")));
        QVERIFY(!QFileInfo::exists(m_themes + "/already.kld"));
        QVERIFY(!MigrateLinkList(m_themes, QStringLiteral("NoSuchTheme")));

        QVERIFY(isOldFormLinkList({QStringLiteral("x.BMP=http://a")}));
        QVERIFY(!isOldFormLinkList({QStringLiteral("20240101000000"), QStringLiteral("x.bmp=a")}));
        QVERIFY(!isOldFormLinkList({}));
    }

    void themesAreListedAndFoundIgnoringCase()
    {
        writeLinkList(m_themes, QStringLiteral("zoo"), {});
        writeLinkList(m_themes, QStringLiteral("Space.llt.old"), {}); // named "Space.llt.old.llt"
        writeRaw(m_themes + "/zoo.kvu", "");
        writeRaw(m_themes + "/Loud.LLT", "");

        QStringList files = ListThemeFiles(m_themes + "/*.llt");
        files.sort();
        QCOMPARE(files, (QStringList{m_themes + "/Space.llt.old.llt", m_themes + "/zoo.llt"}));
        QStringList names = listThemeNames(m_themes);
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("Space.llt.old"), QStringLiteral("zoo")}));

        QVERIFY(ThemeExists(m_themes, QStringLiteral("ZOO")));
        QVERIFY(ThemeExists(m_themes, QStringLiteral("zoo")));
        QVERIFY(!ThemeExists(m_themes, QStringLiteral("zo")));
        QVERIFY(!ThemeExists(m_themes, QStringLiteral("Loud")));
        QVERIFY(!ThemeExists(m_themes + "/missing", QStringLiteral("zoo")));
        QVERIFY(ListThemeFiles(m_themes + "/missing/*.llt").isEmpty());
    }

    void createAndDeleteTouchOnlyTheThemesOwnFiles()
    {
        QVERIFY(CreateThemeFiles(m_themes, QStringLiteral("New")).ok);
        for (const char *ext : {".llt", ".kou", ".kvu", ".kpu"}) {
            const QString path = m_themes + "/New" + QLatin1String(ext);
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
            QCOMPARE(QFileInfo(path).size(), 0);
        }
        // An existing theme of that name is replaced by an empty one.
        writeLinkList(m_themes, QStringLiteral("New"), {QStringLiteral("L1")});
        QVERIFY(CreateThemeFiles(m_themes, QStringLiteral("New")).ok);
        QCOMPARE(QFileInfo(m_themes + "/New.llt").size(), 0);

        writeLink(m_themes, QStringLiteral("L1"), QStringLiteral("http://l1.example/"));
        writeLinkList(m_themes, QStringLiteral("New"), {QStringLiteral("L1")});
        writeLinkList(m_themes, QStringLiteral("Other"), {QStringLiteral("L1")});
        DeleteThemeFiles(m_themes, QStringLiteral("New"));
        for (const char *ext : {".llt", ".kou", ".kvu", ".kpu"})
            QVERIFY(!QFileInfo::exists(m_themes + "/New" + QLatin1String(ext)));
        QVERIFY(QFileInfo::exists(m_themes + "/L1.kld"));
        QVERIFY(QFileInfo::exists(m_themes + "/L1.bmp"));

        // The other theme that lists the link still shows it.
        ProgramState state;
        state.DataFolder = m_data;
        ThemeModel model(state);
        model.LoadTheme(QStringLiteral("Other"), Scroll::ToTop);
        QCOMPARE(model.LinkCount(), 1);

        QVERIFY(!CreateThemeFiles(m_themes + "/missing", QStringLiteral("X")).ok);
        QVERIFY(!CreateThemeFiles(m_themes, QStringLiteral("a/b")).ok);
        QVERIFY(!CreateThemeFiles(m_themes, QString()).ok);
    }

    void starterThemesInstallOnceAndNeverOverwrite()
    {
        const QString source = starterThemesDir();
        QVERIFY2(QFileInfo(source).isDir(), qPrintable(source));
        const QString target = m_dir.filePath("fresh/themas");

        // A file already there keeps its contents.
        QVERIFY(QDir().mkpath(target));
        writeRaw(target + "/20250601110101.kld", "[LinkProp]\r\nURL=http://mine.example/\r\n");
        StarterInstallResult r = installStarterThemes(source, target);
        QVERIFY(r.ok);
        QStringList installed = r.installedThemes;
        installed.sort();
        QStringList shipped = listThemeNames(source);
        shipped.sort();
        QCOMPARE(installed, shipped);
        QCOMPARE(readRaw(target + "/20250601110101.kld"), QByteArray("[LinkProp]\r\nURL=http://mine.example/\r\n"));

        // Installed again (a theme now exists): nothing is copied, an edit survives.
        writeRaw(target + "/Playtime.kvu", "mine.example\r\n");
        r = installStarterThemes(source, target);
        QCOMPARE(r.filesCopied, 0);
        QVERIFY(r.installedThemes.isEmpty());
        QCOMPARE(readRaw(target + "/Playtime.kvu"), QByteArray("mine.example\r\n"));

        // A folder that already holds a theme of the parent's gets no starter themes.
        const QString other = m_dir.filePath("other/themas");
        QVERIFY(QDir().mkpath(other));
        writeLinkList(other, QStringLiteral("Mine"), {});
        QCOMPARE(installStarterThemes(source, other).filesCopied, 0);
        QVERIFY(!QFileInfo::exists(other + "/Playtime.llt"));
        // ...until a new user's template names some: those come, with their links, and no more.
        writeLinkList(other, QStringLiteral("speeltijd"), {});
        r = installStarterThemes(source, other, {"Playtime", "Speeltijd", "Nowhere", "../Playtime"});
        QVERIFY(r.ok);
        QCOMPARE(r.installedThemes, QStringList{"Playtime"});
        QCOMPARE(readRaw(other + "/Playtime.kvu"), readRaw(source + "/Playtime.kvu"));
        QCOMPARE(readRaw(other + "/speeltijd.llt"), QByteArray());
        QCOMPARE(listThemeNames(other).size(), 3);
        ProgramState state;
        state.DataFolder = m_dir.filePath("other");
        ThemeModel model(state);
        model.LoadTheme(QStringLiteral("Playtime"), Scroll::ToTop);
        QCOMPARE(model.LinkCount(), int(readLines(source + "/Playtime.llt")->size()));
        QCOMPARE(installStarterThemes(source, other, {"Playtime"}).filesCopied, 0);

        // A missing themes folder is created.
        const QString created = m_dir.filePath("new/deep/themas");
        QVERIFY(installStarterThemes(source, created).filesCopied > 0);
        QVERIFY(QFileInfo::exists(created + "/Speeltijd.llt"));
    }

    void everyStarterThemeWorksOnTheFirstDay_data()
    {
        QTest::addColumn<QString>("theme");
        const QStringList themes = listThemeNames(starterThemesDir());
        QVERIFY(themes.size() >= 12); // two or more per age band, in English and in Dutch
        for (const QString &theme : themes)
            QTest::newRow(qPrintable(theme)) << theme;
    }
    void everyStarterThemeWorksOnTheFirstDay()
    {
        QFETCH(QString, theme);
        const QString source = starterThemesDir();
        const auto ids = readLines(source + u'/' + theme + ".llt");
        QVERIFY(ids);
        QVERIFY2(ids->size() >= 8 && ids->size() <= 12, qPrintable(QString::number(ids->size())));
        QCOMPARE(QFileInfo(source + u'/' + theme + ".kou").size(), 0);
        QCOMPARE(QFileInfo(source + u'/' + theme + ".kpu").size(), 0);

        // The theme's own lists, as the guard reads them for a child whose whitelist is on.
        QTemporaryDir data;
        QVERIFY(QFile::link(source, data.path() + "/themas"));
        ProgramState state;
        state.DataFolder = data.path();
        state.setActiveTheme(theme);
        UserProfile profile;
        profile.Kindvriendelijk = true;
        profile.Kindonvriendelijk = true;
        // Every age template judges whitelist entries as sites.
        profile.WitSites = true;
        SiteLists lists(state, profile, VendorSettings{});
        lists.LoadSiteLists();
        const auto whitelist = readLines(source + u'/' + theme + ".kvu");
        QVERIFY(whitelist && !whitelist->isEmpty());
        QSet<QString> entriesUsed;

        QList<std::array<double, 300>> seen;
        for (const QString &id : *ids) {
            QVERIFY(QRegularExpression(QStringLiteral("^\\d{14}$")).match(id).hasMatch());
            const auto link = readLinkProperties(source, id);
            QVERIFY2(link, qPrintable(id));
            QVERIFY2(link->URL.startsWith(QStringLiteral("https://")), qPrintable(link->URL));
            QVERIFY2(!link->Hint.trimmed().isEmpty(), qPrintable(id));
            QVERIFY2(!lists.IsNotWhitelisted(link->URL) && !lists.IsBlacklisted(link->URL), qPrintable(link->URL));
            for (const QString &entry : *whitelist)
                if (link->URL.contains(entry, Qt::CaseInsensitive))
                    entriesUsed.insert(entry);
            // The generator writes what the program writes.
            QTemporaryDir scratch;
            QVERIFY(writeNewLinkProperties(scratch.path(), *link).ok);
            QCOMPARE(readRaw(scratch.filePath(id + ".kld")), readRaw(source + u'/' + id + ".kld"));
            const BmpDecodeResult picture = readBmpFile(source + u'/' + id + ".bmp");
            QVERIFY(picture.ok());
            QCOMPARE(picture.bitmap.width, 70);
            QCOMPARE(picture.bitmap.height, 70);
            QCOMPARE(encodeBmp(picture.bitmap), readRaw(source + u'/' + id + ".bmp"));

            // No two pictures alike: the mean colour of 7 x 7 blocks differs by more than a
            // touch-up would (different drawings differ by 20 and more on a 0-255 scale).
            std::array<double, 300> blocks{};
            for (int y = 0; y < 70; ++y)
                for (int x = 0; x < 70; ++x)
                    for (int c = 0; c < 3; ++c)
                        blocks[size_t(((y / 7) * 10 + x / 7) * 3 + c)] +=
                            double((picture.bitmap.pixel(x, y) >> (8 * c)) & 0xFF) / 49;
            for (const auto &other : seen) {
                double difference = 0;
                for (size_t i = 0; i < blocks.size(); ++i)
                    difference += std::abs(blocks[i] - other[i]) / double(blocks.size());
                QVERIFY2(difference > 12, qPrintable(id + QStringLiteral(" looks like an earlier picture")));
            }
            seen.append(blocks);
        }
        // The whitelist holds what the links need and nothing more.
        QCOMPARE(entriesUsed.size(), whitelist->size());
    }
};

QTEST_GUILESS_MAIN(TestThemeFiles)
#include "test_theme_files.moc"
