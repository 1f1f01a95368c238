// The child's surfing in the whole program against a local server: a picture
// link opens its site and turns yellow, pop-ups end up in the main browser at
// their size or not at all, page scripts show nothing, and the navigation
// buttons follow the browser's history.

#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/sizeable_panel.h"
#include "core/text_file.h"
#include "guard/navigation_model.h"
#include "guard/popup_guard.h"
#include "guard/site_lists.h"
#include "platform/head_probe.h"
#include "platform/sound.h"
#include "platform/webengine_browser.h"
#include "support_app.h"
#include "support_http_server.h"
#include "themes/bmp_codec.h"
#include "themes/theme_model.h"
#include "themes/ui/hint_window.h"
#include "themes/ui/link_panel.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RecordingSound;
using tovalin::test::TestHttpServer;

namespace {

constexpr int kLoadTimeoutMs = 20000;

QByteArray page(const QString &title, const QString &body = QString())
{
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body).toUtf8();
}

// Tall enough that a page shown at a pop-up's size would have scroll bars.
const QString kTallBody = QStringLiteral("<div style='height:3000px;width:3000px'>tall</div>");

} // namespace

class TestChildSurfing : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TestHttpServer m_server;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    std::unique_ptr<Application> m_app;

    MainWindow &window() { return m_app->mainWindow(); }

    template <typename T = QWidget>
    T *widget(const char *name)
    {
        T *w = window().findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning() << "no widget" << name;
        return w;
    }

    void waitUntilShown(const QString &address)
    {
        QVERIFY2(tovalin::test::waitUntilShown(*m_app, address, kLoadTimeoutMs), qPrintable(address));
    }

    void userNavigates(const QString &path)
    {
        window().BeginUserNavigation();
        m_app->browser().navigate(m_server.address(path));
    }

    /// Evaluates a script in the shown page and returns its result as text.
    QString evaluate(const QString &script)
    {
        return tovalin::test::evaluateInPage(*m_app, script, kLoadTimeoutMs);
    }

    bool anyDialogShown() const
    {
        const QWidgetList tops = QApplication::topLevelWidgets();
        return std::any_of(tops.cbegin(), tops.cend(), [](QWidget *w) {
            return w->isVisible() && (qobject_cast<QDialog *>(w) || w->objectName() == QLatin1String("EmbeddedWB2"));
        });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        for (const char *name : {"one", "two", "three", "start"})
            m_server.addRoute(QStringLiteral("/%1").arg(QLatin1String(name)), page(QLatin1String(name)));
        m_server.addRoute(QStringLiteral("/opener"),
                          page("opener", "<script>window.open('/popup', '', 'width=300,height=200');</script>"));
        m_server.addRoute(QStringLiteral("/popup"), page("popup", kTallBody));
        m_server.addRoute(QStringLiteral("/listedopener"),
                          page("listed opener", "<script>window.open('/listedpopup', '', 'width=300,height=200');</script>"));
        m_server.addRoute(QStringLiteral("/listedpopup"), page("listed popup"));
        m_server.addRoute(QStringLiteral("/scripts"),
                          page("scripts", "<script>alert('hello'); window.close(); throw new Error('oops');</script>"
                                          "<script>document.title = 'still running';</script>"));

        const QString data = m_dir.path();
        const QString themes = data + QStringLiteral("/themas");
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindonvriendelijk=1"), QStringLiteral("Kindvriendelijk=1"),
             QStringLiteral("[Extra]"), QStringLiteral("ToonHint=1"), QStringLiteral("[Favorieten]"),
             QStringLiteral("StartURL=") + m_server.address(QStringLiteral("/start")), QStringLiteral("gebruikfav=Drie*")}));
        // Three links; the second asks for a 400 × 300 panel.
        const QStringList ids{QStringLiteral("20240301080001"), QStringLiteral("20240301080002"),
                              QStringLiteral("20240301080003")};
        const QStringList paths{QStringLiteral("/one"), QStringLiteral("/two"), QStringLiteral("/three")};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(writeLines(themes + u'/' + ids[i] + QStringLiteral(".kld"),
                               {QStringLiteral("[LinkProp]"), QStringLiteral("URL=") + m_server.address(paths[i]),
                                QStringLiteral("ID=") + ids[i], QStringLiteral("Hint=Link %1").arg(i + 1),
                                QStringLiteral("Beschrijving="), QStringLiteral("hoogte=%1").arg(i == 1 ? 300 : -1),
                                QStringLiteral("breedte=%1").arg(i == 1 ? 400 : -1)})
                        .ok);
            QVERIFY(writeBmpFile(themes + u'/' + ids[i] + QStringLiteral(".bmp"),
                                 Bitmap::filled(70, 70, 0xFF2060C0u + quint32(i) * 0x300000u)));
        }
        QVERIFY(tovalin::test::writeThemeLists(data, QStringLiteral("Drie"), ids, {QStringLiteral("127.0.0.1")}, {},
                                               {m_server.address(QStringLiteral("/listedpopup"))}));

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        m_app = std::make_unique<Application>(options);
        m_app->start();
        QCOMPARE(m_app->state().activeTheme(), QStringLiteral("Drie"));
        QCOMPARE(m_app->themes().LinkCount(), 3);
        waitUntilShown(m_server.address(QStringLiteral("/start")));
    }

    void cleanupTestCase()
    {
        m_app.reset();
    }

    void secondPictureOpensItsSiteAndTurnsYellow()
    {
        LinkPanel *links = window().linkPanel();
        QVERIFY(links);
        LinkPicture *second = links->picture(2);
        QVERIFY(second->isVisible());
        QVERIFY(links->frame(3)->isVisible());
        QVERIFY(!links->frame(4)->isVisible());

        // Hovering shows the hint beside the frame and the light-green frame.
        QEnterEvent enter(QPointF(5, 5), second->mapToGlobal(QPointF(5, 5)), second->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(second, &enter);
        QCOMPARE(links->frame(2)->fill(), linkpanel::kFrameMouseOver);
        QVERIFY(links->hintWindow()->isVisible());
        QCOMPARE(links->hintWindow()->text(), QStringLiteral("Link 2"));
        QCOMPARE(links->hintWindow()->height(), 22);

        m_sound.played.clear();
        QTest::mouseClick(second, Qt::LeftButton);
        waitUntilShown(m_server.address(QStringLiteral("/two")));
        QCOMPARE(m_app->themes().SelectedLink(), 2);
        QCOMPARE(links->frame(2)->fill(), linkpanel::kFrameSelected);
        QCOMPARE(links->frame(1)->fill(), linkpanel::kFrameNormal);
        QVERIFY(m_sound.played.contains(QStringLiteral("klik.wav")));
        QCOMPARE(widget<QLineEdit>("Edit1")->text(), m_server.address(QStringLiteral("/two")));
        QCOMPARE(widget<QLineEdit>("adresedit")->text(), m_server.address(QStringLiteral("/two")));
        // The link's own size, centred on the browser page.
        SizeablePanel *panel = window().sizeableBrowserPanel();
        const QSize pageSize = window().browserPage()->size();
        QCOMPARE(panel->size(), QSize(400, 300));
        QCOMPARE(panel->geometry().center().x(), QRect(QPoint(0, 0), pageSize).center().x());

        // Leaving the selected picture keeps it yellow; the hint goes.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(second, &leave);
        QCOMPARE(links->frame(2)->fill(), linkpanel::kFrameSelected);
        QVERIFY(!links->hintWindow()->isVisible());

        // The next user command fills the page again; so does a double click on the grip.
        QTest::mouseClick(links->picture(1), Qt::LeftButton);
        waitUntilShown(m_server.address(QStringLiteral("/one")));
        QCOMPARE(panel->size(), pageSize);
        QCOMPARE(links->frame(2)->fill(), linkpanel::kFrameNormal);
        QCOMPARE(links->frame(1)->fill(), linkpanel::kFrameSelected);
    }

    void popupShowsInTheMainBrowserAtItsSize()
    {
        userNavigates(QStringLiteral("/opener"));
        waitUntilShown(m_server.address(QStringLiteral("/popup")));
        QTRY_COMPARE_WITH_TIMEOUT(window().sizeableBrowserPanel()->size(), QSize(310, 210), kLoadTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(QStringLiteral("getComputedStyle(document.documentElement).overflowY + ' ' + "
                                                          "getComputedStyle(document.body).overflowX")),
                                  QStringLiteral("hidden hidden"), kLoadTimeoutMs);
        QVERIFY(!anyDialogShown());
        QVERIFY(!m_app->state().PopupShown);
        auto *label30 = widget<QLabel>("Label30");
        QCOMPARE(label30->text(), QStringLiteral("Block popup"));
        QVERIFY(!label30->isHidden());
        QVERIFY(!widget("Image34")->isHidden());
        // The pop-up's browser is hidden on its never-shown page.
        auto *hidden = window().hiddenBrowserPage()->findChild<QWidget *>(QStringLiteral("EmbeddedWB2"));
        QVERIFY(hidden);
        QVERIFY(!hidden->isVisible());
    }

    void popupOfAListedAddressShowsNothingAndOffersAllow()
    {
        const QString listed = m_server.address(QStringLiteral("/listedpopup"));
        QVERIFY(m_app->lists().IsPopupListed(listed));
        m_server.clearRequests();
        userNavigates(QStringLiteral("/listedopener"));
        waitUntilShown(m_server.address(QStringLiteral("/listedopener")));
        auto *label30 = widget<LinkLabel>("Label30");
        QTRY_COMPARE_WITH_TIMEOUT(label30->text(), QStringLiteral("Allow popup"), kLoadTimeoutMs);
        QTest::qWait(500);
        QVERIFY(!label30->isHidden());
        QCOMPARE(m_server.requestCount(QStringLiteral("/listedpopup")), 0);
        QCOMPARE(m_app->browser().location(), m_server.address(QStringLiteral("/listedopener")));
        QCOMPARE(window().sizeableBrowserPanel()->size(), window().browserPage()->size());
        QVERIFY(m_app->navigation().refusedList().isEmpty());

        // "Allow popup" takes the address off the list, saves it at once and goes there again.
        QTest::mouseClick(label30, Qt::LeftButton);
        QVERIFY(label30->isHidden());
        QVERIFY(!m_app->lists().IsPopupListed(listed));
        const auto saved = readLines(m_dir.path() + QStringLiteral("/themas/Drie.kpu"));
        QVERIFY(saved);
        QVERIFY(!saved->contains(listed));
        waitUntilShown(listed);
    }

    void scriptsShowNoDialogAndCannotCloseTheWindow()
    {
        userNavigates(QStringLiteral("/scripts"));
        waitUntilShown(m_server.address(QStringLiteral("/scripts")));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->browser().view()->page()->title(), QStringLiteral("still running"),
                                  kLoadTimeoutMs);
        QTest::qWait(200);
        QVERIFY(window().isVisible());
        QVERIFY(!anyDialogShown());
    }

    void backAndForwardFollowTheBrowser()
    {
        auto *back = widget<QToolButton>("ImgBtn1");
        auto *forward = widget<QToolButton>("ImgBtn2");
        auto *edit1 = widget<QLineEdit>("Edit1");
        userNavigates(QStringLiteral("/one"));
        waitUntilShown(m_server.address(QStringLiteral("/one")));

        // An address typed without its scheme gets "http://".
        edit1->setText(QStringLiteral("127.0.0.1:%1/three").arg(m_server.port()));
        QTest::keyClick(edit1, Qt::Key_Return);
        waitUntilShown(m_server.address(QStringLiteral("/three")));
        QTRY_VERIFY_WITH_TIMEOUT(back->isEnabled(), kLoadTimeoutMs);
        QVERIFY(widget("terug2")->isEnabled());
        QVERIFY(!forward->isEnabled());

        QTest::mouseClick(back, Qt::LeftButton);
        waitUntilShown(m_server.address(QStringLiteral("/one")));
        QTRY_VERIFY_WITH_TIMEOUT(forward->isEnabled(), kLoadTimeoutMs);
        QVERIFY(widget("vooruit2")->isEnabled());
        QTest::mouseClick(forward, Qt::LeftButton);
        waitUntilShown(m_server.address(QStringLiteral("/three")));
        QTRY_VERIFY_WITH_TIMEOUT(!forward->isEnabled(), kLoadTimeoutMs);
    }

    void refreshPassesTheGuardAgain()
    {
        const QString three = m_server.address(QStringLiteral("/three"));
        userNavigates(QStringLiteral("/three"));
        waitUntilShown(three);
        // Blacklisted since it was shown: the refresh button's reload is refused before anything is fetched.
        m_app->lists().blacklist().add(three);
        m_app->lists().SaveSiteLists();
        m_server.clearRequests();
        m_sound.played.clear();
        QTest::mouseClick(widget<QToolButton>("ImgBtn4"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(m_app->navigation().refusedList().contains(three), kLoadTimeoutMs);
        QTest::qWait(300);
        QCOMPARE(m_server.requestCount(QStringLiteral("/three")), 0);
        QCOMPARE(m_app->browser().location(), three);
        QCOMPARE(widget<QLineEdit>("Edit1")->text(), three);
        QVERIFY(m_sound.played.contains(QStringLiteral("klik.wav")));
        m_app->lists().blacklist().removeAll(three);
        m_app->lists().SaveSiteLists();
    }

    void typedHttpsAddressIsSentAsItIs()
    {
        auto *edit1 = widget<QLineEdit>("Edit1");
        // A scheme typed in capitals is kept, not put behind another "http://".
        edit1->setText(QStringLiteral("HTTP://127.0.0.1:%1/two").arg(m_server.port()));
        QTest::keyClick(edit1, Qt::Key_Return);
        waitUntilShown(m_server.address(QStringLiteral("/two")));

        edit1->setText(QStringLiteral("https://example.org"));
        QTest::keyClick(edit1, Qt::Key_Return);
        // Not on the whitelist: refused before anything is fetched, under its own address.
        QTRY_VERIFY_WITH_TIMEOUT(!m_app->navigation().refusedList().isEmpty(), kLoadTimeoutMs);
        QVERIFY(m_app->navigation().refusedList().constFirst().startsWith(QStringLiteral("https://example.org")));
    }
};

QTEST_MAIN(TestChildSurfing)
#include "test_child_surfing.moc"
