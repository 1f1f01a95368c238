// The profile file format: what a file written from scratch looks like, what
// survives a save, and what a damaged or partial file reads as.

#include "support_users.h"

#include "state/program_state.h"
#include "core/ini.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QtTest>

using namespace tovalin;
using usertest::readBytes;
using usertest::writeBytes;

namespace {

// Every key of a profile, a full file as another program might have laid it out.
const QByteArray kFullProfileShuffled =
    "; written by hand\r\n[Favorieten]\r\ngebruikfav=A*\r\n"
    "StartURL=http://www.example.org/\r\nBookmark=keep me\r\n\r\n[Extra]\r\n"
    "ToonHint=0\r\nMinWisselKlok=7\r\nMinTijdKlok=45\r\nHidenavigatieknoppen=1\r\n"
    "Hidethema=0\r\nHideuser=0\r\nHidenavbalk=0\r\nToonsluit=1\r\nHideadres=0\r\n"
    "Hideprint=0\r\nStartTijdKlok=1\r\nStartWisselKlok=0\r\n\r\n[Plugin]\r\n"
    "Colour=12345\r\n\r\n[Beveiliging]\r\nRestart=0\r\nKindonvriendelijk=1\r\n"
    "Kindvriendelijk=0\r\nNieteruit=0\r\nGeendialoog=1\r\nBlokmenu=1\r\nBlokdoc=1\r\n"
    "Blokpdf=1\r\nBlokxls=1\r\nBloktxt=1\r\nBlokppt=0\r\nToonmpg=0\r\nToonmpeg=0\r\n"
    "Toonasf=0\r\nToonwmv=1\r\nToonmov=0\r\nToonavi=0\r\nToonrealmedia=0\r\n"
    "ToonWindowsMedia=0\r\nToonQuickTime=0\r\nYouTubeMatig=1\r\nCategorieen=adult,dating\r\n"
    "VeiligZoeken=0\r\nWitSites=1\r\nUnknown=stays here\r\n";

} // namespace

class TestUserProfile : public QObject {
    Q_OBJECT
private slots:
    void initialValuesAreTheManagersAndDiffersFromFileDefaults()
    {
        const UserProfile initial;
        QVERIFY(!initial.Kindvriendelijk && !initial.Nieteruit && !initial.ToonHint);
        QCOMPARE(initial.MinTijdKlok, QStringLiteral("30"));
        QCOMPARE(initial.MinWisselKlok, QStringLiteral("5"));

        const UserProfile defaults = UserProfile::fileDefaults();
        QVERIFY(defaults.Kindvriendelijk && defaults.Nieteruit && defaults.ToonHint && !defaults.Restart);
        QVERIFY(defaults.MinTijdKlok.isEmpty() && defaults.MinWisselKlok.isEmpty());
    }

    void newFileListsEveryKeyInTableOrder()
    {
        usertest::DataFolder data({"Dieren", "Sprookjes"});
        ProgramState state;
        data.attach(state);
        UserProfile profile = UserProfile::fileDefaults();
        profile.Nieteruit = false;
        profile.Toonmov = true;
        profile.Hideprint = true;
        profile.StartTijdKlok = true;
        profile.MinTijdKlok = QStringLiteral("30");
        profile.StartURL = QString::fromUtf8("http://www.example.org/café");
        UserStore store(state, profile);

        QVERIFY(store.SaveUserProfile("Groep 1", {"Dieren", "Sprookjes"}).ok);
        const QByteArray expected =
            "[Beveiliging]\r\nKindonvriendelijk=1\r\nKindvriendelijk=1\r\nWitSites=0\r\nNieteruit=0\r\n"
            "Geendialoog=1\r\nBlokmenu=1\r\nRestart=0\r\nBlokdoc=1\r\nBlokpdf=1\r\n"
            "Blokxls=1\r\nBloktxt=1\r\nBlokppt=1\r\nToonmpg=0\r\nToonmpeg=0\r\nToonasf=0\r\n"
            "Toonwmv=0\r\nToonmov=1\r\nToonavi=0\r\nToonrealmedia=0\r\nToonWindowsMedia=0\r\n"
            "ToonQuickTime=0\r\nCategorieen=\r\nVeiligZoeken=1\r\nYouTubeMatig=0\r\n\r\n[Extra]\r\nHidenavigatieknoppen=0\r\nHidethema=0\r\n"
            "Hideuser=0\r\nHidenavbalk=0\r\nToonsluit=0\r\nHideadres=0\r\nHideprint=1\r\n"
            "StartTijdKlok=1\r\nStartWisselKlok=0\r\nToonHint=1\r\nMinTijdKlok=30\r\n"
            "MinWisselKlok=\r\n\r\n[Favorieten]\r\n"
            "StartURL=http://www.example.org/caf\xc3\xa9\r\ngebruikfav=Dieren*Sprookjes*\r\n";
        QCOMPARE(readBytes(data.usersFile("Groep 1.usr")), expected);

        // An empty theme list is written as the empty-list marker.
        QVERIFY(store.SaveUserProfile("Groep 2", {}).ok);
        QVERIFY(readBytes(data.usersFile("Groep 2.usr")).endsWith("StartURL=http://www.example.org/caf\xc3\xa9\r\n"
                                                                    "gebruikfav=None selected\r\n"));
    }

    void saveKeepsUnknownSectionsKeysAndOrder()
    {
        usertest::DataFolder data({"A"});
        ProgramState state;
        data.attach(state);
        UserProfile profile;
        UserStore store(state, profile);
        writeBytes(data.usersFile("Piet.usr"), kFullProfileShuffled);

        state.setActiveUser("Piet");
        QCOMPARE(store.LoadUserProfile("Piet"), ProfileLoad::Loaded);
        QCOMPARE(profile.MinTijdKlok, QStringLiteral("45"));
        QVERIFY(profile.Toonwmv && !profile.ToonHint && !profile.Nieteruit);
        QVERIFY(profile.YouTubeMatig && !profile.VeiligZoeken);
        QCOMPARE(profile.Categorieen, QStringLiteral("adult,dating"));
        QVERIFY(store.SaveUserProfile("Piet", store.AllowedThemes()).ok);
        QCOMPARE(readBytes(data.usersFile("Piet.usr")), kFullProfileShuffled);

        // Keys the file lacks are added at the end of their own section.
        writeBytes(data.usersFile("Kort.usr"), "[Extra]\r\nOwn=1\r\nToonHint=1\r\n\r\n[Favorieten]\r\nStartURL=x\r\n");
        profile = UserProfile::fileDefaults();
        QVERIFY(store.SaveUserProfile("Kort", {"A"}).ok);
        const QByteArray saved = readBytes(data.usersFile("Kort.usr"));
        QVERIFY2(saved.startsWith("[Extra]\r\nOwn=1\r\nToonHint=1\r\nHidenavigatieknoppen=0\r\n"), saved.constData());
        QVERIFY(saved.contains("MinWisselKlok=\r\n\r\n[Favorieten]\r\nStartURL=\r\ngebruikfav=A*\r\n\r\n[Beveiliging]\r\nKindonvriendelijk=1\r\n"));
    }

    void missingKeysReadAsTheirDefaults()
    {
        UserProfile noExtra;
        noExtra.readFrom(IniDocument::parse("[Beveiliging]\r\nNieteruit=0\r\n[Favorieten]\r\nStartURL=http://a/\r\n"));
        QVERIFY(!noExtra.Nieteruit);
        QVERIFY(noExtra.ToonHint);
        QVERIFY(!noExtra.Hidenavigatieknoppen && !noExtra.Hidethema && !noExtra.Hideuser && !noExtra.Hidenavbalk
                && !noExtra.Toonsluit && !noExtra.Hideadres && !noExtra.Hideprint && !noExtra.StartTijdKlok
                && !noExtra.StartWisselKlok);
        QVERIFY(noExtra.MinTijdKlok.isEmpty() && noExtra.MinWisselKlok.isEmpty());

        UserProfile onlyFavourites;
        onlyFavourites.readFrom(IniDocument::parse("[Favorieten]\r\nStartURL=http://b/\r\n"));
        QCOMPARE(onlyFavourites.StartURL, QStringLiteral("http://b/"));
        const UserProfile &p = onlyFavourites;
        QVERIFY(p.Kindonvriendelijk && p.Kindvriendelijk && p.Nieteruit && p.Geendialoog && p.Blokmenu);
        QVERIFY(p.Blokdoc && p.Blokpdf && p.Blokxls && p.Bloktxt && p.Blokppt);
        // Without the key an old profile keeps reading whitelist entries as fragments.
        QVERIFY(!p.WitSites && !p.Restart && !p.Toonmpg && !p.Toonmpeg && !p.Toonasf && !p.Toonwmv && !p.Toonmov && !p.Toonavi
                && !p.Toonrealmedia && !p.ToonWindowsMedia && !p.ToonQuickTime);

        // Values that are not integers take the default; any non-zero integer is on; keys ignore case.
        UserProfile odd;
        odd.readFrom(IniDocument::parse("[beveiliging]\r\nnieteruit=nee\r\nRestart=-1\r\nBlokdoc=0\r\nBlokpdf=\r\n"));
        QVERIFY(odd.Nieteruit && odd.Restart && !odd.Blokdoc && odd.Blokpdf);
    }

    void damagedFilesReadWithoutLoss()
    {
        usertest::DataFolder data({"A"});
        ProgramState state;
        data.attach(state);
        UserProfile profile;
        UserStore store(state, profile);

        // Binary garbage: nothing is a key, so every key takes its default.
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char((i * 151 + 7) % 256));
        garbage.insert(100, "\0\0[Beveiliging\xff]\x01=", 19);
        writeBytes(data.usersFile("Rommel.usr"), garbage);
        QCOMPARE(store.LoadUserProfile("Rommel"), ProfileLoad::Loaded);
        QVERIFY(profile.Nieteruit && profile.Kindvriendelijk && profile.ToonHint);
        QVERIFY(store.AllowedThemes().isEmpty());

        // A one-megabyte line does not hide the keys after it.
        QByteArray big = "[Beveiliging]\r\nJunk=" + QByteArray(1024 * 1024, 'x') + "\r\nNieteruit=0\r\n"
                         "[Favorieten]\r\nStartURL=http://" + QByteArray(1024 * 1024, 'y') + "/\r\ngebruikfav=A*\r\n";
        writeBytes(data.usersFile("Groot.usr"), big);
        QCOMPARE(store.LoadUserProfile("Groot"), ProfileLoad::Loaded);
        QVERIFY(!profile.Nieteruit);
        QCOMPARE(profile.StartURL.size(), 1024 * 1024 + 8);
        QCOMPARE(store.AllowedThemes(), QStringList{"A"});

        // A profile made on Windows (Windows-1252) keeps its accented text, and is saved as UTF-8.
        writeBytes(data.usersFile("Zo\xc3\xab.usr"), "[Favorieten]\r\nStartURL=http://www.example.org/caf\xe9\r\ngebruikfav=A*\r\n");
        QCOMPARE(store.LoadUserProfile(QString::fromUtf8("Zoë")), ProfileLoad::Loaded);
        QCOMPARE(profile.StartURL, QString::fromUtf8("http://www.example.org/café"));
        QVERIFY(store.SaveUserProfile(QString::fromUtf8("Zoë"), store.AllowedThemes()).ok);
        QVERIFY(readBytes(data.usersFile("Zo\xc3\xab.usr")).startsWith(
            "[Favorieten]\r\nStartURL=http://www.example.org/caf\xc3\xa9\r\ngebruikfav=A*\r\n"));

        // A start page with a line break cannot smuggle keys into the file.
        profile.StartURL = QStringLiteral("http://a/\r\n[Beveiliging]\r\nKindvriendelijk=0");
        profile.Kindvriendelijk = true;
        QVERIFY(store.SaveUserProfile("Slim", {}).ok);
        UserProfile back;
        back.readFrom(IniDocument::parse(readBytes(data.usersFile("Slim.usr"))));
        QVERIFY(back.Kindvriendelijk);
        QCOMPARE(back.StartURL, QStringLiteral("http://a/  [Beveiliging]  Kindvriendelijk=0"));
    }
};

QTEST_GUILESS_MAIN(TestUserProfile)
#include "test_user_profile.moc"
