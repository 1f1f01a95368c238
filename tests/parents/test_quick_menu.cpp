#include "parents/quick_menu.h"
#include "support_guard_fixture.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tovalin;

class TestQuickMenu : public QObject {
    Q_OBJECT
private slots:
    void consecutiveRepeatsStoredOnce()
    {
        GuardFixture f("", "");
        QuickMenuModel menu(*f.commands, f.state, f.profile);
        for (const char *a : {"http://a/", "http://a/", "http://b/", "http://a/"})
            f.navigation->addToHistory(QString::fromLatin1(a));
        QCOMPARE(f.navigation->addressHistory(), (QStringList{"http://a/", "http://b/", "http://a/"}));
        QCOMPARE(menu.rowCount(), 3);
        QCOMPARE(menu.linkState(), QuickMenuModel::LinkState::Hidden);
        menu.selectFirst();
        QCOMPARE(menu.selectedAddress(), QStringLiteral("http://a/"));
        f.navigation->addToHistory("http://c/");
        QCOMPARE(menu.selectedAddress(), QStringLiteral("http://a/")); // the selection moves down with its address
    }

    void historyKeepsTheNewestAddressesOnly()
    {
        GuardFixture f("", "");
        QuickMenuModel menu(*f.commands, f.state, f.profile);
        const qsizetype cap = NavigationModel::kMaxHistory;
        for (qsizetype i = 0; i < cap + 5; ++i)
            f.navigation->addToHistory(QStringLiteral("http://site%1.example/").arg(i));
        const QStringList &history = f.navigation->addressHistory();
        QCOMPARE(history.size(), cap);
        QCOMPARE(history.constFirst(), QStringLiteral("http://site%1.example/").arg(cap + 4));
        QCOMPARE(history.constLast(), QStringLiteral("http://site5.example/"));
        QCOMPARE(menu.rowCount(), int(cap));
    }

    void blockTurnsAddressRedAndGoesBack()
    {
        GuardFixture f("http://zoo.nl/\r\n", "");
        QuickMenuModel menu(*f.commands, f.state, f.profile);
        f.navigation->addToHistory("http://zoo.nl/");
        menu.selectFirst();
        QCOMPARE(menu.data(menu.index(0), QuickMenuModel::PassesRole).toBool(), true);
        QCOMPARE(menu.linkCaption(), QStringLiteral("Block"));
        QSignalSpy repaint(&menu, &QAbstractItemModel::dataChanged);

        QVERIFY(menu.blockOrAllow().changed);
        QCOMPARE(f.whiteFile(), QByteArray());
        QCOMPARE(f.blackFile(), QByteArray("http://zoo.nl\r\n"));
        QCOMPARE(f.browser.backs, 1);
        QCOMPARE(repaint.count(), 1);
        QCOMPARE(menu.data(menu.index(0), QuickMenuModel::PassesRole).toBool(), false);
        QCOMPARE(menu.linkCaption(), QStringLiteral("Allow"));

        // Allowing adds it (twice over two allows: no duplicate test) and opens it.
        f.navigation->addRefused("http://zoo.nl/");
        QVERIFY(menu.blockOrAllow().changed);
        QCOMPARE(f.whiteFile(), QByteArray("http://zoo.nl/\r\n"));
        QCOMPARE(f.blackFile(), QByteArray());
        QCOMPARE(f.browser.navigated, QStringList{"http://zoo.nl/"});
        QVERIFY(f.navigation->refusedList().isEmpty());
        QCOMPARE(f.navigation->navState(), NavState::Ready);
        QCOMPARE(menu.linkCaption(), QStringLiteral("Block"));
    }

    void blockingSlashFormOfBlacklistedAddressReported()
    {
        GuardFixture f("", "http://x.nl\r\n");
        f.profile.Kindonvriendelijk = false;
        QuickMenuModel menu(*f.commands, f.state, f.profile);
        f.profile.Kindvriendelijk = false;
        f.navigation->addToHistory("http://x.nl/");
        menu.selectFirst();
        const ListEditResult r = menu.blockOrAllow();
        QCOMPARE(r.messages, QStringList{"http://x.nl has already been added to the blacklist. "});
        QCOMPARE(f.blackFile(), QByteArray("http://x.nl\r\n"));
    }

    void choosingRefusedAddressDoesNotNavigate()
    {
        GuardFixture f("http://ok.nl\r\n", "");
        QuickMenuModel menu(*f.commands, f.state, f.profile);
        f.navigation->addToHistory("http://ok.nl/");
        f.navigation->addToHistory("http://no.nl/");
        f.navigation->addRefused("http://no.nl/");
        menu.selectFirst();
        menu.chooseSelected();
        QVERIFY(f.browser.navigated.isEmpty());
        QCOMPARE(f.navigation->navState(), NavState::Forbidden);
        QCOMPARE(menu.linkCaption(), QStringLiteral("Allow"));
        QVERIFY(f.navigation->refusedList().isEmpty());

        menu.select(1);
        menu.chooseSelected();
        QCOMPARE(f.browser.navigated, QStringList{"http://ok.nl/"});
        QCOMPARE(menu.linkCaption(), QStringLiteral("Block"));
        f.browser.location = QStringLiteral("http://ok.nl/");
        menu.chooseSelected(); // already shown: not opened again
        QCOMPARE(f.browser.navigated.size(), 1);
    }

    void homepageTakesTheShownPage()
    {
        GuardFixture f("", "");
        QuickMenuModel menu(*f.commands, f.state, f.profile);
        QCOMPARE(menu.activeSite(), QStringLiteral("No site loaded"));
        f.browser.location = QStringLiteral("http://start.nl/");
        QCOMPARE(menu.makeHomepage().message, QStringLiteral("     You did not select a user!    "));
        QVERIFY(QDir().mkpath(f.state.usersFolder()));
        f.state.setActiveUser("Tim");
        const StartPageResult r = menu.makeHomepage();
        QVERIFY(r.ok);
        QCOMPARE(r.message, QStringLiteral("Homepage for Tim created"));
        QCOMPARE(f.profile.StartURL, QStringLiteral("http://start.nl/"));
    }
};

QTEST_GUILESS_MAIN(TestQuickMenu)
#include "test_quick_menu.moc"
