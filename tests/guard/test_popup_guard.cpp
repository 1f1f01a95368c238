#include "state/program_state.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/popup_guard.h"
#include "guard/site_lists.h"
#include "platform/fake_browser.h"
#include "platform/head_probe.h"
#include "platform/sound.h"
#include "media/media_fetch.h"
#include "support_guard.h"
#include "users/user_profile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace tovalin;

namespace {

/// The visible browser, the guard and a pop-up guard whose hidden browsers are fakes.
struct Rig {
    QTemporaryDir dir;
    ProgramState state;
    UserProfile profile;
    test::RecordingSound sound;
    NoNetworkHeadProbe head;
    NoMediaFetcher media;
    NoThemeDownloader download;
    std::unique_ptr<SiteLists> lists;
    std::unique_ptr<NavigationModel> nav;
    std::unique_ptr<NavigationGuard> guard;
    FakeBrowser visible;
    std::vector<std::unique_ptr<FakeBrowser>> hidden;
    std::unique_ptr<PopupGuard> popups;

    Rig()
    {
        state.DataFolder = dir.path();
        QDir().mkpath(state.themesFolder());
        state.setActiveTheme(QStringLiteral("Dieren"));
        profile.Kindvriendelijk = true;
        profile.Kindonvriendelijk = true;
        lists = std::make_unique<SiteLists>(state, profile, VendorSettings{});
        nav = std::make_unique<NavigationModel>(state, sound);
        NavigationGuard::Services services;
        services.head = &head;
        services.media = &media;
        services.themes = &download;
        services.clockPosition = [] { return 0; };
        services.parentsPageOpen = [] { return false; };
        guard = std::make_unique<NavigationGuard>(state, *lists, profile, *nav, services);
        guard->attachTo(visible);
        popups = std::make_unique<PopupGuard>(state, *lists, *nav, *guard, visible, [this] {
            hidden.push_back(std::make_unique<FakeBrowser>());
            return hidden.back().get();
        });
        visible.setNewWindowTargetHandler([this](const QString &) { return popups->newWindowRequested(); });
        lists->whitelist().add(QStringLiteral("kids.example"));
    }
};

} // namespace

class TestPopupGuard : public QObject {
    Q_OBJECT
private slots:
    void allowedPopupIsShownInTheVisibleBrowserAtItsSize()
    {
        Rig rig;
        QSignalSpy sizes(rig.popups.get(), &PopupGuard::panelSizeRequested);
        Browser *target = rig.visible.requestNewWindow(QStringLiteral("http://kids.example/popup.html"));
        QVERIFY(target);
        QCOMPARE(target->newWindowPolicy(), NewWindowPolicy::Refuse);
        QVERIFY(target->downloadControl() & DownloadControl::Silent);
        emit target->clientSizeRequested(300, 200);
        QCOMPARE(sizes.count(), 1);
        QCOMPARE(sizes.at(0).at(0).toInt(), 310);
        QCOMPARE(sizes.at(0).at(1).toInt(), 210);
        QVERIFY(rig.state.PopupShown);
        rig.hidden.back()->complete();
        QCOMPARE(rig.visible.location(), QStringLiteral("http://kids.example/popup.html"));
        QCOMPARE(rig.popups->label30Caption(), QStringLiteral("Block popup"));
        QVERIFY(rig.popups->label30Visible());
    }

    void openerCompletingFirstKeepsThePopupUnscrolled()
    {
        // The size comes while the opener still loads; the opener's completion
        // must not cost the pop-up's page its "no scroll bars".
        Rig rig;
        rig.visible.load(QStringLiteral("http://kids.example/opener.html"));
        rig.state.TopFrame = Browser::kMainFrame;
        Browser *target = rig.visible.requestNewWindow(QStringLiteral("http://kids.example/popup.html"));
        emit target->clientSizeRequested(300, 200);
        rig.guard->documentComplete(Browser::kMainFrame); // the opener completes
        QVERIFY(!rig.state.PopupShown);
        rig.visible.scrollBarsHidden = false;
        rig.hidden.back()->complete();
        QCOMPARE(rig.visible.location(), QStringLiteral("http://kids.example/popup.html"));
        rig.state.TopFrame = Browser::kMainFrame;
        rig.guard->documentComplete(Browser::kMainFrame); // the pop-up's page completes
        QVERIFY(rig.visible.scrollBarsHidden);
        QVERIFY(!rig.state.PopupShown);
    }

    void smallRequestedSizesLeaveThePanelAlone()
    {
        Rig rig;
        QSignalSpy sizes(rig.popups.get(), &PopupGuard::panelSizeRequested);
        Browser *target = rig.visible.requestNewWindow(QStringLiteral("http://kids.example/p"));
        emit target->clientSizeRequested(100, 250);
        QCOMPARE(sizes.at(0).at(0).toInt(), -1);
        QCOMPARE(sizes.at(0).at(1).toInt(), 260);
    }

    void popupListedOpenerGetsNothingAndOffersAllow()
    {
        Rig rig;
        rig.lists->popuplist().add(QStringLiteral("http://kids.example/opener.html"));
        rig.state.LastURL = QStringLiteral("http://kids.example/opener.html");
        QVERIFY(!rig.popups->newWindowRequested());
        QVERIFY(rig.hidden.empty());
        QCOMPARE(rig.popups->label30Caption(), QStringLiteral("Allow popup"));
        QCOMPARE(rig.sound.played.size(), 0);
        QVERIFY(rig.nav->refusedList().isEmpty());
    }

    void popupTheListsRefuseIsListedAndForbidden()
    {
        Rig rig;
        rig.state.LastURL = QStringLiteral("http://elsewhere.example/ad");
        QVERIFY(!rig.popups->newWindowRequested());
        QCOMPARE(rig.nav->refusedList(), QStringList{QStringLiteral("http://elsewhere.example/ad")});
        QCOMPARE(rig.nav->navState(), NavState::Forbidden);
        QCOMPARE(rig.sound.played.size(), 1);
    }

    void filterOffLoadsEveryPopupWithoutResizing()
    {
        Rig rig;
        rig.state.FilterOn = false;
        rig.state.LastURL = QStringLiteral("http://elsewhere.example/ad");
        QSignalSpy sizes(rig.popups.get(), &PopupGuard::panelSizeRequested);
        Browser *target = rig.popups->newWindowRequested();
        QVERIFY(target);
        emit target->clientSizeRequested(300, 200);
        QCOMPARE(sizes.count(), 0);
        QVERIFY(!rig.state.PopupShown);
    }

    void blockAndAllowPopupEditTheListAndSaveIt()
    {
        Rig rig;
        rig.state.LastURL = QStringLiteral("http://kids.example/opener.html");
        rig.popups->newWindowRequested();
        rig.popups->label30Click();
        QCOMPARE(rig.lists->popuplist().items(), QStringList{QStringLiteral("http://kids.example/opener.html")});
        QVERIFY(!rig.popups->label30Visible());
        QFile kpu(rig.state.themesFolder() + QStringLiteral("/Dieren.kpu"));
        QVERIFY(kpu.open(QIODevice::ReadOnly));
        QCOMPARE(kpu.readAll(), QByteArray("http://kids.example/opener.html\r\n"));
        kpu.close();

        QVERIFY(!rig.popups->newWindowRequested());
        QCOMPARE(rig.popups->label30Caption(), QStringLiteral("Allow popup"));
        rig.popups->label30Click();
        QVERIFY(rig.lists->popuplist().items().isEmpty());
        QCOMPARE(rig.visible.navigated.constLast(), QStringLiteral("http://kids.example/opener.html"));
    }

    void allowPopupTakesOffEveryEntryThatRefusedTheOpener()
    {
        Rig rig;
        rig.lists->popuplist().add(QStringLiteral("http://kids.example/a"));
        rig.lists->popuplist().add(QStringLiteral("HTTPS://kids.example/a/"));
        rig.lists->popuplist().add(QStringLiteral("http://kids.example/a?x=1"));
        rig.lists->popuplist().add(QStringLiteral("http://kids.example/b"));
        rig.state.LastURL = QStringLiteral("https://kids.example/a/");
        QVERIFY(!rig.popups->newWindowRequested());
        QCOMPARE(rig.popups->label30Caption(), QStringLiteral("Allow popup"));
        rig.popups->label30Click();
        // Entries for other pages stay; the opener passes the pop-up list now.
        QCOMPARE(rig.lists->popuplist().items(),
                 (QStringList{QStringLiteral("http://kids.example/a?x=1"), QStringLiteral("http://kids.example/b")}));
        QVERIFY(!rig.lists->IsPopupListed(rig.state.LastURL));
        QCOMPARE(rig.visible.navigated.constLast(), QStringLiteral("https://kids.example/a/"));
    }

    void lateClearEndsThePopupState()
    {
        Rig rig;
        rig.state.PopupShown = true;
        QCOMPARE(rig.popups->lateClearTimer().interval(), 3000);
        rig.popups->lateClearTimer().start(1);
        QTRY_VERIFY(!rig.state.PopupShown);
    }
};

QTEST_GUILESS_MAIN(TestPopupGuard)
#include "test_popup_guard.moc"
