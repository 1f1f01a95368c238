// The parents' side in the real program: the password opens and locks the
// menu, the list commands accept a refused link and block the page on show,
// the quick menu comes with a right click, the time clock's full gauge
// refuses every navigation behind the "Time's up!" page, and a child's
// question about a refused page is answered on the spot with the password.

#include "activity/request_store.h"
#include "activity/ui/count_badge.h"
#include "app/ui/activity_side.h"
#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/parents_side.h"
#include "clocks/switch_clock.h"
#include "clocks/time_clock.h"
#include "clocks/ui/clock_views.h"
#include "clocks/ui/clocks_dialog.h"
#include "core/text_file.h"
#include "guard/block_accept.h"
#include "guard/ui/site_commands.h"
#include "parents/quick_menu.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "parents/menu_lock.h"
#include "parents/ui/password_dialogs.h"
#include "parents/ui/quick_menu_window.h"
#include "platform/head_probe.h"
#include "platform/sound.h"
#include "platform/tick_source.h"
#include "platform/webengine_browser.h"
#include "support_app.h"
#include "support_http_server.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QStatusBar>
#include <QListView>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RecordingSound;
using tovalin::test::TestHttpServer;

namespace {

constexpr int kLoadTimeoutMs = 20000;

/// Runs action and answers every message box it opens with `answer`; returns the boxes' texts in order.
QStringList answerMessageBoxes(const std::function<void()> &action,
                               QMessageBox::StandardButton answer = QMessageBox::Ok)
{
    QStringList texts;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible())
                continue;
            texts.append(box->text());
            if (QAbstractButton *b = box->button(answer))
                b->click();
            else
                box->reject();
        }
    });
    poll.start();
    action();
    QTest::qWait(150);
    poll.stop();
    return texts;
}

} // namespace

class TestParentsSide : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TestHttpServer m_server;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    FakeTickSource m_timeTicks;
    FakeTickSource m_switchTicks;
    std::unique_ptr<Application> m_app;

    MainWindow &window() { return m_app->mainWindow(); }
    template <typename T>
    T *find(const QString &name)
    {
        T *w = window().findChild<T *>(name);
        if (!w) {
            // Top-level helpers of the main window (dialogs) are its children too; look further.
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (top->objectName() == name)
                    w = qobject_cast<T *>(top);
                if (!w)
                    w = top->findChild<T *>(name);
                if (w)
                    break;
            }
        }
        return w;
    }
    QString away() const { return QStringLiteral("http://localhost:%1/away.html").arg(m_server.port()); }
    QString address(const char *path) const { return m_server.address(QLatin1String(path)); }

    void waitUntilShown(const QString &address)
    {
        QVERIFY2(tovalin::test::waitUntilShown(*m_app, address, kLoadTimeoutMs), qPrintable(address));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().navState(), NavState::Ready, kLoadTimeoutMs);
    }

    void userNavigates(const QString &address)
    {
        m_app->state().openHostNavigation();
        m_app->browser().navigate(address);
    }

    QStringList listFile(const char *extension) const
    {
        return readLines(m_dir.path() + QStringLiteral("/themas/Dieren.") + QLatin1String(extension)).value_or(QStringList());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        m_server.addRoute(QStringLiteral("/start.html"),
                          QStringLiteral("<html><body><h1>Start</h1><a id='away' href='%1'>away</a>"
                                         "<a id='good' href='/good.html'>good</a></body></html>")
                              .arg(away())
                              .toUtf8());
        m_server.addRoute(QStringLiteral("/good.html"), "<html><body><h1>Good</h1></body></html>");
        m_server.addRoute(QStringLiteral("/other.html"), "<html><body><h1>Other</h1></body></html>");
        m_server.addRoute(QStringLiteral("/away.html"), "<html><body><h1>Away</h1></body></html>");
        m_server.addRoute(QStringLiteral("/asked.html"), "<html><body><h1>Asked</h1></body></html>");
        m_server.addRoute(QStringLiteral("/anchors.html"),
                          "<html><body><a href='#part' style='display:block;width:300px;height:60px'>part</a>"
                          "<div style='height:3000px'></div><h2 id='part'>Part</h2></body></html>");

        const QString data = m_dir.path();
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindonvriendelijk=1"), QStringLiteral("Kindvriendelijk=1"),
             QStringLiteral("Nieteruit=0"), QStringLiteral("Blokmenu=1"), QStringLiteral("[Favorieten]"),
             QStringLiteral("StartURL=") + address("/start.html"), QStringLiteral("gebruikfav=Dieren*")}));
        QVERIFY(tovalin::test::writeThemeLists(data, QStringLiteral("Dieren"), {}, {QStringLiteral("127.0.0.1")}));

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        options.timeClockTicks = &m_timeTicks;
        options.switchClockTicks = &m_switchTicks;
        options.administratorGroups = [] { return QStringList{QStringLiteral("sudo"), QStringLiteral("adm")}; };
        m_app = std::make_unique<Application>(options);
        m_app->start();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        waitUntilShown(address("/start.html"));
        QVERIFY(m_app->parents().menuLock().locked());
        QVERIFY(!window().parentsMenuOpen());
    }

    void cleanupTestCase() { m_app.reset(); }

    void createPasswordOpensTheMenu()
    {
        auto *button = find<QToolButton>(QStringLiteral("Image1"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        auto *dialog = find<QDialog>(QStringLiteral("Twachtwoord1"));
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        auto *edit1 = dialog->findChild<QLineEdit *>(QStringLiteral("Edit1"));
        auto *edit2 = dialog->findChild<QLineEdit *>(QStringLiteral("Edit2"));
        QCOMPARE(edit1->echoMode(), QLineEdit::Password);
        QCOMPARE(edit1->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit1), int('*'));

        // Two different entries: told, nothing written, the dialog stays.
        QTest::keyClicks(edit1, QStringLiteral(" Geheim"));
        QTest::keyClicks(edit2, QStringLiteral(" geheim"));
        const QStringList messages = answerMessageBoxes([&] { QTest::keyClick(edit2, Qt::Key_Return); });
        QCOMPARE(messages, QStringList{QStringLiteral("You entered two different new passwords")});
        QVERIFY(dialog->isVisible());
        QVERIFY(!QFile::exists(m_app->state().passwordFile()));

        // Enter in the last entry acts as OK: the flag flips from locked and the menu opens at once.
        edit2->setText(QStringLiteral(" Geheim"));
        QTest::keyClick(edit2, Qt::Key_Return);
        QTRY_VERIFY(!dialog->isVisible());
        QVERIFY(window().parentsMenuOpen());
        QVERIFY(!m_app->parents().menuLock().locked());
        QVERIFY(window().updateTimer()->isActive());
        // Tovalin runs under an account that may administer the machine: the parents hear it now.
        QMessageBox *admin = nullptr;
        QTRY_VERIFY((admin = window().findChild<QMessageBox *>(QStringLiteral("administratorAccountMessage"))));
        QVERIFY2(admin->text().contains(QStringLiteral("(member of sudo, adm)")), qPrintable(admin->text()));
        admin->button(QMessageBox::Ok)->click();
        const QStringList stored = readLines(m_app->state().passwordFile()).value_or(QStringList());
        QCOMPARE(stored.size(), 1);
        QVERIFY(stored.first().startsWith(QLatin1String(PasswordStore::kHashMarker)));
    }

    void wrongPasswordThenLockHidesTheBar()
    {
        QVERIFY(window().parentsMenuOpen());
        LinkLabel *lockLink = window().menuBarLink(QStringLiteral("Label47"));
        QVERIFY(lockLink);
        QCOMPARE(lockLink->text(), QStringLiteral("Lock menu"));
        QTest::mouseClick(lockLink, Qt::LeftButton);
        auto *dialog = find<QDialog>(QStringLiteral("Tblokmenu"));
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Lock menu?"));
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("Edit1"));

        QTest::keyClicks(edit, QStringLiteral(" geheim"));
        const QStringList messages = answerMessageBoxes([&] { QTest::keyClick(edit, Qt::Key_Return); });
        QCOMPARE(messages, QStringList{QStringLiteral("      Wrong password!      ")});
        QVERIFY(dialog->isVisible());
        QCOMPARE(edit->text(), QStringLiteral(" geheim")); // kept for another try
        QVERIFY(window().parentsMenuOpen());

        edit->setText(QStringLiteral(" Geheim"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        QTRY_VERIFY(!dialog->isVisible());
        QVERIFY(m_app->parents().menuLock().locked());
        QVERIFY(!window().parentsMenuOpen());

        // Locked, a parents' button asks for the password again, now to unlock.
        QTest::mouseClick(find<QToolButton>(QStringLiteral("Image1")), Qt::LeftButton);
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Unlock menu?"));
        QVERIFY(edit->text().isEmpty());
        QTest::keyClicks(edit, QStringLiteral(" Geheim"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(!dialog->isVisible());
        QVERIFY(window().parentsMenuOpen());
        // Once per run: the second opening says nothing about the account.
        QTest::qWait(100);
        QVERIFY(!window().findChild<QMessageBox *>(QStringLiteral("administratorAccountMessage")));
    }

    void closingAnUnlockedMenuWarns()
    {
        QVERIFY(window().parentsMenuOpen());
        QStringList messages = answerMessageBoxes(
            [&] { QTest::mouseClick(window().menuBarCloseButton(), Qt::LeftButton); }, QMessageBox::No);
        QCOMPARE(messages, QStringList{MenuLock::notLockedWarning()});
        QVERIFY(!window().parentsMenuOpen());
        QVERIFY(!m_app->parents().menuLock().locked());
        // Still unlocked: the button opens the menu without a password.
        QTest::mouseClick(find<QToolButton>(QStringLiteral("Image1")), Qt::LeftButton);
        QVERIFY(window().parentsMenuOpen());
    }

    void allowBlockedSiteReloadsAndPasses()
    {
        window().showParentsPage(true);
        m_server.clearRequests();
        m_app->state().openPageClick();
        m_app->browser().runScript(QStringLiteral("document.getElementById('away').click();"));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().refusedList(), QStringList{away()}, kLoadTimeoutMs);
        LinkLabel *accept = window().acceptBlockLink();
        QCOMPARE(accept->text(), QStringLiteral("Allow blocked site"));
        QCOMPARE(m_server.requestCount(QStringLiteral("/away.html")), 0);

        QTest::mouseClick(accept, Qt::LeftButton);
        waitUntilShown(away());
        QCOMPARE(m_server.requestCount(QStringLiteral("/away.html")), 1);
        QVERIFY(listFile("kvu").contains(away()));
        QVERIFY(m_app->navigation().refusedList().isEmpty());
        QCOMPARE(accept->text(), QStringLiteral("Block active site"));
    }

    void blockActiveSiteGoesBackAndStoresIt()
    {
        const QString good = address("/good.html");
        userNavigates(good);
        waitUntilShown(good);
        LinkLabel *accept = window().acceptBlockLink();
        QCOMPARE(accept->text(), QStringLiteral("Block active site"));
        QTest::mouseClick(accept, Qt::LeftButton);
        waitUntilShown(away());
        QCOMPARE(listFile("kou"), QStringList{good});

        // Forward to the page blocked since it was shown (the engine may keep it whole for a
        // move through the history): refused, never shown, never asked for again.
        const int asked = m_server.requestCount(QStringLiteral("/good.html"));
        auto *forward = find<QToolButton>(QStringLiteral("vooruit2"));
        QTRY_VERIFY(forward->isEnabled());
        QTest::mouseClick(forward, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().refusedList(), QStringList{good}, kLoadTimeoutMs);
        QTest::qWait(1000);
        QCOMPARE(m_app->browser().location(), away());
        QCOMPARE(m_server.requestCount(QStringLiteral("/good.html")), asked);
        // Back to a page blocked while another one shows: the same.
        const QString other = address("/other.html");
        userNavigates(other);
        waitUntilShown(other);
        const QString anchors = address("/anchors.html");
        userNavigates(anchors);
        waitUntilShown(anchors);
        m_app->lists().blacklist().add(other);
        QVERIFY(m_app->lists().SaveSiteLists().ok);
        QTest::mouseClick(find<QToolButton>(QStringLiteral("terug2")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().refusedList(), QStringList{other}, kLoadTimeoutMs);
        QTest::qWait(1000);
        QCOMPARE(m_app->browser().location(), anchors);
        m_app->lists().blacklist().removeAll(other);
        QVERIFY(m_app->lists().SaveSiteLists().ok);
        userNavigates(away());
        waitUntilShown(away());

        // One level up offers the list commands; the same page with a final "/" is reported, not stored twice.
        auto *adres = window().parentsAddressEdit();
        auto *levelUp = find<QToolButton>(QStringLiteral("XiButton1"));
        auto *black = find<QPushButton>(QStringLiteral("Label37"));
        QVERIFY(levelUp && black);
        QVERIFY(black->isHidden());
        const QString host = address("/");
        adres->setText(host);
        QTest::mouseClick(levelUp, Qt::LeftButton); // a bare host address with its final "/" stays
        QCOMPARE(adres->text(), host);
        QVERIFY(!black->isVisible());
        adres->setText(good + QStringLiteral("/x"));
        QTest::mouseClick(levelUp, Qt::LeftButton);
        QCOMPARE(adres->text(), good + QLatin1Char('/'));
        QVERIFY(black->isVisible());
        const QStringList messages = answerMessageBoxes([&] { QTest::mouseClick(black, Qt::LeftButton); });
        QCOMPARE(messages, QStringList{good + QStringLiteral(" has already been added to the blacklist. ")});
        QCOMPARE(listFile("kou"), QStringList{good});
        QVERIFY(!black->isVisible());
    }

    void refusedAddressesAreNeverAskedFor()
    {
        // Typed in either address field or opened by a script: refused before anything is sent.
        const QString refused = QStringLiteral("http://localhost:%1/never.html").arg(m_server.port());
        m_server.clearRequests();
        auto *adres = window().parentsAddressEdit();
        for (QLineEdit *field : {adres, find<QLineEdit>(QStringLiteral("Edit1"))}) {
            m_app->navigation().clearRefused();
            field->setText(refused);
            QTest::keyClick(field, Qt::Key_Return);
            QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().refusedList(), QStringList{refused}, kLoadTimeoutMs);
        }
        m_app->navigation().clearRefused();
        m_app->browser().runScript(QStringLiteral("location.href = '%1';").arg(refused));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().refusedList(), QStringList{refused}, kLoadTimeoutMs);
        // Odd spellings in the parents' field, a video address among them (no HEAD request either).
        for (const char *odd : {"localhost:%1/never.html", " http://localhost:%1/never.html ", "HTTP://LOCALHOST:%1/never.html",
                                "http://user@localhost.:%1/never.avi"}) {
            m_app->navigation().clearRefused();
            adres->setText(QString::fromLatin1(odd).arg(m_server.port()));
            QTest::keyClick(adres, Qt::Key_Return);
            QTRY_VERIFY2_WITH_TIMEOUT(!m_app->navigation().refusedList().isEmpty(), odd, kLoadTimeoutMs);
        }
        QTest::qWait(1500);
        QCOMPARE(m_server.requestCount(QStringLiteral("/never.html")), 0);
        QCOMPARE(m_server.requestCount(QStringLiteral("/never.avi")), 0);
        QVERIFY(m_app->browser().location() != refused);
    }

    void severalRefusalsOpenTheAcceptWindow()
    {
        NavigationModel &nav = m_app->navigation();
        const QString a = QStringLiteral("http://localhost:%1/frames/a-long-address-of-a-frame/in/many/directories/a.html")
                              .arg(m_server.port());
        const QString b = QStringLiteral("http://localhost:%1/b.html").arg(m_server.port());
        const QString good = address("/good.html");
        nav.clearNavlijst();
        for (const QString &x : {good, b, a}) {
            nav.addToNavlijst(x);
            if (x != good)
                nav.addRefused(x);
        }
        const QStringList whiteBefore = listFile("kvu");
        ListEditResult r = m_app->parents().blockAccept().allowRefused();
        QVERIFY(r.showAcceptWindow);
        auto *accept = find<QDialog>(QStringLiteral("Ttoevoeger"));
        QTRY_VERIFY(accept->isVisible());
        QVERIFY(!accept->isModal());
        QCOMPARE(listFile("kvu"), whiteBefore);
        auto *list = accept->findChild<QListView *>(QStringLiteral("navlijst"));
        auto *button = accept->findChild<QPushButton *>(QStringLiteral("btnAccept"));
        QCOMPARE(button->text(), QStringLiteral("Allow"));
        // Select the refused short address: "Allow" whitelists it at once.
        const QModelIndex row = list->model()->index(1, 0);
        QCOMPARE(row.data().toString(), b);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
        QCOMPARE(button->text(), QStringLiteral("Allow"));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(listFile("kvu").contains(b));
        QCOMPARE(button->text(), QStringLiteral("Block"));
        accept->close();
    }

    void quickMenuComesWithARightClickOnlyWhileTheMenuIsOpen()
    {
        auto *popper = &m_app->parents().quickMenu(); // built on first use
        QVERIFY(popper);
        popper->hide();
        window().activateWindow();
        QTRY_VERIFY(window().isActiveWindow());
        QWidget *target = window().findChild<QWidget *>(QStringLiteral("Panel9"));
        QTest::mouseClick(target, Qt::RightButton, {}, QPoint(300, 60));
        QTRY_VERIFY(popper->isVisible());

        // The newest address is selected; the active site is the page shown, fitted to 375 pixels.
        auto *list = popper->findChild<QComboBox *>(QStringLiteral("URLlist"));
        QCOMPARE(list->currentIndex(), 0);
        auto *site = popper->findChild<QLabel *>(QStringLiteral("Label19"));
        QCOMPARE(site->text(), popper->fittedActiveSite(m_app->browser().location()));
        const QString longAddress = address("/") + QString(200, QLatin1Char('a'));
        const QString fitted = popper->fittedActiveSite(longAddress);
        QVERIFY(fitted.endsWith(QChar(0x2026)));
        QVERIFY(site->fontMetrics().horizontalAdvance(fitted) <= QuickMenuWindow::kActiveSiteWidth);
        // Every entry leads to its window: "Theme" to the theme manager, "Theme manager" to the
        // active theme's editor, each closing the quick menu first.
        for (const char *entry : {"Label2", "Label4", "Label10", "Label14", "Label16"})
            QVERIFY2(!popper->findChild<QWidget *>(QLatin1String(entry))->isHidden(), entry);
        QDialog *themeManager = nullptr;
        QTimer closer;
        closer.setInterval(20);
        connect(&closer, &QTimer::timeout, this, [&] {
            auto *dialog = find<QDialog>(QStringLiteral("algemeenthemaform"));
            if (dialog && dialog->isVisible()) {
                themeManager = dialog;
                dialog->reject();
            }
        });
        closer.start();
        QTest::mouseClick(popper->findChild<QWidget *>(QStringLiteral("Label4")), Qt::LeftButton);
        closer.stop();
        QVERIFY(themeManager);
        QVERIFY(!popper->isVisible());
        popper->showMenu();
        QTest::mouseClick(popper->findChild<QWidget *>(QStringLiteral("Label16")), Qt::LeftButton);
        auto *editor = find<QDialog>(QStringLiteral("Taktiefthemaform"));
        QTRY_VERIFY(editor && editor->isVisible());
        QVERIFY(!popper->isVisible());
        editor->close();
        popper->showMenu();
        QTRY_VERIFY(popper->isVisible());

        // Dragging never leaves the screen.
        popper->moveClamped(QPoint(-500, -500));
        QCOMPARE(popper->frameGeometry().topLeft(), popper->screen()->geometry().topLeft());
        popper->hide();

        // Closed menu, child's top panel: a right click does nothing.
        answerMessageBoxes([&] { QTest::mouseClick(window().menuBarCloseButton(), Qt::LeftButton); },
                           QMessageBox::No);
        QTRY_VERIFY(!window().parentsMenuOpen());
        QTest::mouseClick(target, Qt::RightButton, {}, QPoint(300, 60));
        QTest::qWait(200);
        QVERIFY(!popper->isVisible());
        QTest::mouseClick(find<QToolButton>(QStringLiteral("Image1")), Qt::LeftButton);
        QVERIFY(window().parentsMenuOpen());
    }

    void expiredTimeClockRefusesEveryNavigation()
    {
        // The picture-link click is driven as the link panel does it: the click window, then navigate.
        auto *dialog = &m_app->parents().clocksDialog(); // built when first opened
        QVERIFY(dialog);
        dialog->open();
        auto *entry = dialog->findChild<QLineEdit *>(QStringLiteral("ALEdit1"));
        auto *start = dialog->findChild<QPushButton *>(QStringLiteral("XiButton1"));
        auto *stop = dialog->findChild<QPushButton *>(QStringLiteral("XiButton2"));
        entry->setText(QStringLiteral("1"));
        QVERIFY(start->isEnabled());
        QTest::keyClick(entry, Qt::Key_Return);
        QCOMPARE(m_timeTicks.interval(), 60);
        QVERIFY(!start->isEnabled());
        QVERIFY(stop->isEnabled());
        QProgressBar *gauge = window().timeClockGauge();
        QVERIFY(gauge->isVisible());
        dialog->close();

        QCOMPARE(m_timeTicks.tick(999), 999);
        QCOMPARE(gauge->value(), 999);
        QCOMPARE(window().browserPages()->currentWidget(), window().browserPage());
        QCOMPARE(m_timeTicks.tick(5), 1);
        QCOMPARE(gauge->value(), 1000);
        QCOMPARE(window().browserPages()->currentWidget(), window().timeUpPage());
        // The page: a centred picture and, along its bottom, the yellow panel with its text.
        auto *panel47 = window().timeUpPage()->findChild<QLabel *>(QStringLiteral("Panel47"));
        QVERIFY(panel47 && panel47->isVisible());
        QCOMPARE(panel47->text(), QStringLiteral("Time's up!"));
        QVERIFY(panel47->autoFillBackground());
        QCOMPARE(panel47->palette().color(QPalette::Window), QColor(Qt::yellow));
        QCOMPARE(panel47->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(panel47->font().pixelSize(), 32);
        QVERIFY(panel47->font().bold());
        QCOMPARE(panel47->geometry().bottom(), window().timeUpPage()->rect().bottom());
        auto *image11 = window().timeUpPage()->findChild<QLabel *>(QStringLiteral("Image11"));
        QVERIFY(image11 && image11->isVisible() && !image11->pixmap().isNull());
        QVERIFY(image11->geometry().bottom() < panel47->geometry().top());

        const QString before = m_app->browser().location();
        m_server.clearRequests();
        userNavigates(address("/other.html"));
        QTest::qWait(800);
        QCOMPARE(m_server.requestCount(QStringLiteral("/other.html")), 0);
        QCOMPARE(m_app->browser().location(), before);
        QCOMPARE(window().browserPages()->currentWidget(), window().timeUpPage());

        // Stopped, the next navigation passes and the browser page returns.
        dialog->open();
        QVERIFY(!stop->isEnabled()); // an expired clock is not running
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(start->isEnabled() == false);
        QTest::mouseClick(stop, Qt::LeftButton);
        dialog->close();
        QVERIFY(!gauge->isVisible());
        window().browserPages()->setCurrentWidget(window().timeUpPage());
        userNavigates(address("/other.html"));
        waitUntilShown(address("/other.html"));
        QCOMPARE(window().browserPages()->currentWidget(), window().browserPage());
    }

    void switchClockWalksOverTheStripAndWhistles()
    {
        auto *dialog = &m_app->parents().clocksDialog(); // built when first opened
        dialog->open();
        dialog->showTab(1);
        auto *entry = dialog->findChild<QLineEdit *>(QStringLiteral("ALEdit2"));
        entry->setText(QStringLiteral("5"));
        QTest::keyClick(entry, Qt::Key_Return);
        dialog->close();
        QWidget *strip = window().switchClockStrip();
        QTRY_VERIFY(strip->isVisible());
        // A 35-pixel strip at the bottom of the browser area, just above the time clock's gauge.
        QCOMPARE(strip->height(), 35);
        QLayout *clocks = strip->parentWidget()->layout();
        QVERIFY(clocks->indexOf(strip) >= 0);
        QCOMPARE(clocks->indexOf(strip) + 1, clocks->indexOf(window().timeClockGauge()));
        QCOMPARE(window().layout()->indexOf(strip->parentWidget()) + 1, window().layout()->indexOf(window().statusBar()));
        SwitchClock &clock = m_app->parents().switchClock();
        QCOMPARE(clock.stripWidth(), m_app->parents().switchStrip().width());
        auto *walker = strip->findChild<WalkingFigure *>(QStringLiteral("Image8"));
        QVERIFY(walker && walker->isVisible());
        QCOMPARE(walker->x(), SwitchClock::kStartLeft);

        m_switchTicks.tick(1);
        QCOMPARE(m_switchTicks.interval(), int(300000 / (clock.stripWidth() - SwitchClock::kFigureRoom)));
        QCOMPARE(walker->x(), SwitchClock::kStartLeft + 1);

        // A click pauses, another resumes.
        QTest::mouseClick(walker, Qt::LeftButton);
        QVERIFY(!m_switchTicks.isActive());
        QTest::mouseClick(walker, Qt::LeftButton);
        QVERIFY(m_switchTicks.isActive());

        m_sound.played.clear();
        m_switchTicks.tick(clock.farEnd());
        QVERIFY(m_sound.played.contains(QStringLiteral("fluit.wav")));
        QVERIFY(!walker->isVisible());
        QVERIFY(strip->findChild<WalkingFigure *>(QStringLiteral("Image10"))->isVisible());
    }

    void filterSwitchTakesOneClickAfterTheThemePageOpensAgain()
    {
        auto *switchLink = find<LinkLabel>(QStringLiteral("Label29"));
        auto *state = find<QLabel>(QStringLiteral("Label39"));
        window().showParentsPage(true);
        QTest::mouseClick(switchLink, Qt::LeftButton);
        QVERIFY(!m_app->state().FilterOn);
        QCOMPARE(switchLink->text(), QStringLiteral("Turn filter on"));
        QCOMPARE(state->text(), QStringLiteral("Filter off"));
        // Closed and opened again: the filter is on, the switch says so, and one click turns it off.
        window().showParentsPage(false);
        QVERIFY(m_app->state().FilterOn);
        window().showParentsPage(true);
        QCOMPARE(switchLink->text(), QStringLiteral("Turn filter off"));
        QCOMPARE(state->text(), QStringLiteral("Filter on"));
        QTest::mouseClick(switchLink, Qt::LeftButton);
        QVERIFY(!m_app->state().FilterOn);
        QCOMPARE(switchLink->text(), QStringLiteral("Turn filter on"));
        window().showParentsPage(false);
        QVERIFY(m_app->state().FilterOn);
    }

    void leavingTheThemePageAppliesTheUsersClocksAgain()
    {
        TimeClock &clock = m_app->parents().timeClock();
        clock.stop();
        m_switchTicks.stop();
        m_app->profile().StartTijdKlok = true;
        m_app->profile().MinTijdKlok = QStringLiteral("30");
        m_app->profile().StartWisselKlok = true;
        window().showParentsPage(true);
        QVERIFY(!clock.running());
        window().showParentsPage(false);
        QVERIFY(clock.running());
        QVERIFY(m_timeTicks.isActive());
        QVERIFY(window().switchClockStrip()->isVisible());
        QVERIFY(m_switchTicks.isActive());
        // Settings that stop them stop them the same way.
        m_app->profile().StartTijdKlok = false;
        m_app->profile().StartWisselKlok = false;
        window().showParentsPage(true);
        window().showParentsPage(false);
        QVERIFY(!clock.running());
        QVERIFY(!window().switchClockStrip()->isVisible());
    }

    void quickMenuFollowsMovesInsideOnePageAndClosesOnEscape()
    {
        const QString good = address("/anchors.html");
        userNavigates(good);
        waitUntilShown(good);
        auto *popper = &m_app->parents().quickMenu(); // built on first use
        auto *site = popper->findChild<QLabel *>(QStringLiteral("Label19"));
        QCOMPARE(site->text(), popper->fittedActiveSite(good));
        // A move inside the page (a click on an anchor) completes no document; the label follows all the same.
        QTest::mouseClick(m_app->browser().view()->focusProxy(), Qt::LeftButton, {}, QPoint(30, 20));
        QTRY_COMPARE_WITH_TIMEOUT(site->text(), popper->fittedActiveSite(good + QStringLiteral("#part")), kLoadTimeoutMs);
        m_app->browser().goBack();
        QTRY_COMPARE_WITH_TIMEOUT(site->text(), popper->fittedActiveSite(good), kLoadTimeoutMs);
        m_app->browser().goForward();
        QTRY_COMPARE_WITH_TIMEOUT(site->text(), popper->fittedActiveSite(good + QStringLiteral("#part")), kLoadTimeoutMs);

        popper->showMenu();
        QTRY_VERIFY(popper->isVisible());
        QTest::keyClick(popper, Qt::Key_Escape);
        QVERIFY(!popper->isVisible());
    }

    void addCommandsActOnlyOnTheAddressTheyWereOfferedFor()
    {
        auto *adres = window().parentsAddressEdit();
        auto *levelUp = find<QToolButton>(QStringLiteral("XiButton1"));
        auto *white = find<QPushButton>(QStringLiteral("Label41"));
        auto *black = find<QPushButton>(QStringLiteral("Label37"));
        window().showParentsPage(true);
        const QString offered = QStringLiteral("http://offered.example/dir/");
        adres->setText(offered + QStringLiteral("page.html"));
        QTest::mouseClick(levelUp, Qt::LeftButton);
        QCOMPARE(adres->text(), offered);
        QVERIFY(!white->isHidden() && !black->isHidden());

        // A refusal shows the page on show in the field again: the commands go with the address.
        m_app->navigation().SetNavState(NavState::Forbidden);
        QCOMPARE(adres->text(), m_app->browser().location());
        QVERIFY(white->isHidden());
        QVERIFY(black->isHidden());
        const QStringList whiteBefore = listFile("kvu");
        m_app->parents().siteCommands().addToWhitelist();
        QCOMPARE(listFile("kvu"), whiteBefore);

        // Offered again, a click adds exactly the address shown beside it.
        adres->setText(offered + QStringLiteral("page.html"));
        QTest::mouseClick(levelUp, Qt::LeftButton);
        QTest::mouseClick(white, Qt::LeftButton);
        QVERIFY(listFile("kvu").contains(offered));
        QVERIFY(!listFile("kvu").contains(m_app->browser().location()) || whiteBefore.contains(m_app->browser().location()));
        m_app->navigation().SetNavState(NavState::Ready);
        window().showParentsPage(false);
    }

    void aParentAllowsTheAskedPageOnTheSpot()
    {
        const QString asked = QStringLiteral("http://localhost:%1/asked.html").arg(m_server.port());
        m_server.clearRequests();
        userNavigates(asked);
        auto *ask = find<QToolButton>(QStringLiteral("AskButton"));
        QVERIFY(ask);
        QTRY_VERIFY_WITH_TIMEOUT(ask->isVisible(), kLoadTimeoutMs);
        QCOMPARE(ask->text(), QStringLiteral("Ask"));
        QCOMPARE(m_server.requestCount(QStringLiteral("/asked.html")), 0);
        QTest::mouseClick(ask, Qt::LeftButton);
        QCOMPARE(ask->text(), QStringLiteral("Sent"));
        RequestStore &requests = m_app->activity().requests();
        QCOMPARE(requests.openCount(), 1);
        // The padlock counts it, and shows the count only while the menu is locked.
        auto *badge = find<CountBadge>(QStringLiteral("openRequestCount"));
        QVERIFY(badge);
        QTRY_COMPARE(badge->count(), 1);
        QCOMPARE(badge->isVisible(), m_app->parents().menuLock().locked());

        auto *request = find<QDialog>(QStringLiteral("RequestWindow"));
        QTRY_VERIFY(request->isVisible());
        auto *allow = request->findChild<QPushButton *>(QStringLiteral("AllowRequest"));
        QTest::mouseClick(request->findChild<QPushButton *>(QStringLiteral("ParentIsHere")), Qt::LeftButton);
        auto *password = request->findChild<QLineEdit *>(QStringLiteral("RequestPassword"));
        QTRY_VERIFY(password->isVisible());
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        // Nothing is allowed without the password.
        QTest::keyClicks(password, QStringLiteral(" geheim"));
        QTest::keyClick(password, Qt::Key_Return);
        QCOMPARE(request->findChild<QLabel *>(QStringLiteral("requestStatus"))->text(), QStringLiteral("Wrong password!"));
        QVERIFY(!allow->isVisible());
        QTest::keyClicks(password, QStringLiteral(" Geheim"));
        QTest::keyClick(password, Qt::Key_Return);
        QTRY_VERIFY(allow->isVisible());
        request->findChild<QRadioButton *>(QStringLiteral("allowSite"))->click();
        QTest::mouseClick(allow, Qt::LeftButton);

        waitUntilShown(asked);
        QVERIFY(!request->isVisible());
        QCOMPARE(m_server.requestCount(QStringLiteral("/asked.html")), 1);
        QVERIFY(listFile("kvu").contains(QStringLiteral("http://localhost:%1/").arg(m_server.port())));
        QCOMPARE(requests.openCount(), 0);
        QCOMPARE(requests.answeredRequests().first().status, RequestStatus::Allowed);
        QVERIFY(!ask->isVisible());
        QTRY_COMPARE(badge->count(), 0);
    }
};

QTEST_MAIN(TestParentsSide)
#include "test_parents_side.moc"
