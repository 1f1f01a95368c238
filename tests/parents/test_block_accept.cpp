#include "support_guard_fixture.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tovalin;

class TestBlockAccept : public QObject {
    Q_OBJECT
private slots:
    void oneLevelUp_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // empty: unchanged
        QTest::newRow("twoDirectoriesLosesTheLast") << "http://a.nl/x/y/" << "http://a.nl/x/";
        QTest::newRow("fileLosesItsName") << "http://a.nl/x/y.html" << "http://a.nl/x/";
        QTest::newRow("oneDirectoryGoesToHost") << "http://a.nl/x/" << "http://a.nl/";
        QTest::newRow("bareHostWithSlashUnchanged") << "http://a.nl/" << "";
        QTest::newRow("bareHostUnchanged") << "http://a.nl" << "";
        QTest::newRow("httpsBareHostKeepsScheme") << "https://a.nl" << "";
        QTest::newRow("httpsBareHostWithSlashUnchanged") << "https://a.nl/" << "";
        QTest::newRow("httpsPath") << "https://a.nl/x/y" << "https://a.nl/x/";
        QTest::newRow("noSchemeFromEighthCharacter") << "www.a.nl/x/y" << "www.a.nl/x/";
        QTest::newRow("shortText") << "a/b" << "";
    }
    void oneLevelUp()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const std::optional<QString> up = tovalin::oneLevelUp(text);
        if (expected.isEmpty())
            QVERIFY2(!up, qPrintable(up.value_or(QString())));
        else
            QCOMPARE(up.value_or(QString()), expected);
    }

    void matchRuleIsExactWithOneOptionalSlash()
    {
        QVERIFY(entryMatches("http://a.nl", "http://a.nl"));
        QVERIFY(entryMatches("http://a.nl", "http://a.nl/"));
        QVERIFY(!entryMatches("http://a.nl/", "http://a.nl"));
        QVERIFY(!entryMatches("http://A.nl", "http://a.nl"));
        QVERIFY(!entryMatches("http://a.nl", "http://a.nl//"));
        QVERIFY(!entryMatches("http://a.nl", "http://a.nlx"));
    }

    void acceptingOneRefusalWhitelistsAndReloads()
    {
        GuardFixture f("http://ok.nl\r\n", "http://bad.nl\r\nhttp://bad.nl/\r\nhttp://other.nl\r\n");
        f.navigation->addRefused("http://bad.nl/");
        f.navigation->SetNavState(NavState::Forbidden);
        QCOMPARE(f.navigation->acceptBlockCaption(), NavigationModel::allowBlockedSiteText());
        QVERIFY(!f.commands->passes("http://bad.nl/"));

        const ListEditResult r = f.commands->accepteerblokkeer();
        QVERIFY(r.changed);
        QVERIFY(r.messages.isEmpty());
        // Only the first matching blacklist entry goes.
        QCOMPARE(f.whiteFile(), QByteArray("http://bad.nl/\r\nhttp://ok.nl\r\n"));
        QCOMPARE(f.blackFile(), QByteArray("http://bad.nl/\r\nhttp://other.nl\r\n"));
        QCOMPARE(f.browser.navigated, QStringList{"http://bad.nl/"});
        QVERIFY(f.navigation->refusedList().isEmpty());
        QCOMPARE(f.navigation->navState(), NavState::Ready);
        QVERIFY(!f.lists->IsNotWhitelisted("http://bad.nl/"));
    }

    void severalRefusalsOpenTheAcceptWindowOnly()
    {
        GuardFixture f("", "http://b.nl\r\n");
        QSignalSpy window(f.commands.get(), &BlockAccept::acceptWindowRequested);
        f.navigation->addRefused("http://a.nl/");
        f.navigation->addRefused("http://b.nl/");
        const ListEditResult r = f.commands->allowRefused();
        QVERIFY(r.showAcceptWindow);
        QVERIFY(!r.changed);
        QCOMPARE(window.count(), 1);
        QCOMPARE(f.whiteFile(), QByteArray());
        QCOMPARE(f.blackFile(), QByteArray("http://b.nl\r\n"));
        QVERIFY(f.browser.navigated.isEmpty());
        QCOMPARE(f.navigation->refusedList().size(), 2);
    }

    void blockingActiveSiteStoresWithoutSlashAndReportsRepeat()
    {
        GuardFixture f("http://zoo.nl/\r\nhttp://zoo.nl\r\nzoo\r\n", "");
        f.browser.location = QStringLiteral("http://zoo.nl/");
        f.navigation->SetNavState(NavState::Ready);
        ListEditResult r = f.commands->accepteerblokkeer();
        QVERIFY(r.changed);
        // Both forms on the whitelist went; the fragment "zoo" is no match and stays.
        QCOMPARE(f.whiteFile(), QByteArray("zoo\r\n"));
        QCOMPARE(f.blackFile(), QByteArray("http://zoo.nl\r\n"));
        QCOMPARE(f.browser.backs, 1);

        r = f.commands->accepteerblokkeer();
        QVERIFY(!r.changed);
        QCOMPARE(r.messages, QStringList{"http://zoo.nl has already been added to the blacklist. "});
        QCOMPARE(f.blackFile(), QByteArray("http://zoo.nl\r\n"));
        QCOMPARE(f.browser.backs, 1);
    }

    void addToWhitelistIgnoresMatchesAndRemovesLastBlacklistMatch()
    {
        GuardFixture f("http://w.nl\r\n", "http://x.nl\r\nhttp://x.nl/\r\n");
        f.navigation->addRefused("http://x.nl/");
        QVERIFY(!f.commands->addToWhitelist("http://w.nl/").changed); // "http://w.nl" matches
        QVERIFY(!f.commands->addToWhitelist("   ").changed);
        QCOMPARE(f.whiteFile(), QByteArray("http://w.nl\r\n"));
        QCOMPARE(f.navigation->refusedList().size(), 1);

        QVERIFY(f.commands->addToWhitelist("http://x.nl/").changed);
        QCOMPARE(f.whiteFile(), QByteArray("http://w.nl\r\nhttp://x.nl/\r\n"));
        QCOMPARE(f.blackFile(), QByteArray("http://x.nl\r\n"));
        QVERIFY(f.navigation->refusedList().isEmpty());
        QVERIFY(f.browser.navigated.isEmpty());
    }

    void addToBlacklistStaysOnPageAndReportsDuplicate()
    {
        GuardFixture f("http://y.nl\r\nhttp://y.nl/\r\n", "");
        QVERIFY(f.commands->addToBlacklist("http://y.nl/").changed);
        QCOMPARE(f.whiteFile(), QByteArray());
        QCOMPARE(f.blackFile(), QByteArray("http://y.nl\r\n"));
        QCOMPARE(f.browser.backs, 0);
        const ListEditResult r = f.commands->addToBlacklist("http://y.nl");
        QCOMPARE(r.messages, QStringList{"http://y.nl has already been added to the blacklist. "});
    }

    void acceptWindowAllowsAndBlocksPerAddress()
    {
        GuardFixture f("http://good.nl\r\n", "http://ad.nl/x\r\n");
        AcceptListModel model(*f.commands);
        QCOMPARE(model.buttonCaption(), QStringLiteral("Allow"));
        f.navigation->addToNavlijst("http://good.nl/");
        f.navigation->addToNavlijst("http://ad.nl/x/");
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.data(model.index(0)).toString(), QStringLiteral("http://ad.nl/x/"));
        QCOMPARE(model.data(model.index(0), AcceptListModel::PassesRole).toBool(), false);
        QCOMPARE(model.data(model.index(1), AcceptListModel::PassesRole).toBool(), true);

        QVERIFY(model.activate().messages.isEmpty()); // nothing selected: nothing happens
        QVERIFY(f.browser.navigated.isEmpty());

        QSignalSpy repaint(&model, &QAbstractItemModel::dataChanged);
        model.select(0);
        QCOMPARE(model.buttonCaption(), QStringLiteral("Allow"));
        QVERIFY(model.activate().changed);
        QCOMPARE(f.whiteFile(), QByteArray("http://ad.nl/x/\r\nhttp://good.nl\r\n"));
        QCOMPARE(f.blackFile(), QByteArray());
        QCOMPARE(f.browser.navigated, QStringList{"http://ad.nl/x/"});
        QCOMPARE(model.buttonCaption(), QStringLiteral("Block"));
        QVERIFY(repaint.count() >= 1);
        QCOMPARE(model.data(model.index(0), AcceptListModel::PassesRole).toBool(), true);

        model.select(1);
        QCOMPARE(model.buttonCaption(), QStringLiteral("Block"));
        QVERIFY(model.activate().changed);
        QCOMPARE(f.whiteFile(), QByteArray("http://ad.nl/x/\r\n"));
        QCOMPARE(f.blackFile(), QByteArray("http://good.nl\r\n"));
        QCOMPARE(f.browser.backs, 1);
        QCOMPARE(model.buttonCaption(), QStringLiteral("Allow"));
        QCOMPARE(model.data(model.index(1), AcceptListModel::PassesRole).toBool(), false);

        // The button follows the verdict of whatever is selected.
        model.select(0);
        QCOMPARE(model.buttonCaption(), QStringLiteral("Block"));
        model.select(1);
        QCOMPARE(model.buttonCaption(), QStringLiteral("Allow"));
    }

    void acceptWindowDuplicateBlockReported()
    {
        GuardFixture f("http://s.nl/\r\n", "http://s.nl\r\n");
        f.profile.Kindonvriendelijk = false; // the blacklist test is off: the address passes
        AcceptListModel model(*f.commands);
        f.navigation->addToNavlijst("http://s.nl/");
        model.select(0);
        QCOMPARE(model.buttonCaption(), QStringLiteral("Block"));
        const ListEditResult r = model.activate();
        QCOMPARE(r.messages, QStringList{"http://s.nl has already been added to the blacklist. "});
        QCOMPARE(model.buttonCaption(), QStringLiteral("Block"));
        QCOMPARE(f.whiteFile(), QByteArray("http://s.nl/\r\n"));
    }

    void newSequenceEmptiesTheAcceptList()
    {
        GuardFixture f("", "");
        AcceptListModel model(*f.commands);
        f.navigation->addToNavlijst("http://a.nl/");
        model.select(0);
        f.navigation->clearNavlijst();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.selectedRow(), -1);
        QVERIFY(!model.activate().changed);
    }
};

QTEST_GUILESS_MAIN(TestBlockAccept)
#include "test_block_accept.moc"
