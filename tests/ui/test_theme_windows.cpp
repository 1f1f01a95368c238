// The parents' theme windows in the whole program against a local server:
// removing a link from the link editor, adding one through the five steps of
// the wizard (camera, marker, square, address, hint, whitelist entry), and the
// active theme editor's list pages working on the guard's own lists.

#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/theme_tab.h"
#include "app/ui/theme_windows.h"
#include "core/text_file.h"
#include "guard/site_lists.h"
#include "platform/head_probe.h"
#include "platform/webengine_browser.h"
#include "support_app.h"
#include "support_http_server.h"
#include "themes/bmp_codec.h"
#include "themes/theme_archive.h"
#include "themes/theme_model.h"
#include "themes/ui/active_theme_editor.h"
#include "themes/ui/add_link_wizard.h"
#include "themes/ui/link_panel.h"
#include "themes/ui/selection_picture.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RecordingSound;
using tovalin::test::TestHttpServer;

namespace {

constexpr int kLoadTimeoutMs = 20000;
const QString kTheme = QStringLiteral("Drie");

QByteArray page(const QString &title, const QString &colour)
{
    return QStringLiteral("<html><head><title>%1</title></head><body style='margin:0;background:%2'>"
                          "<h1>%1</h1></body></html>")
        .arg(title, colour)
        .toUtf8();
}

} // namespace

class TestThemeWindows : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TestHttpServer m_server;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    std::unique_ptr<Application> m_app;
    QStringList m_messages;

    MainWindow &window() { return m_app->mainWindow(); }
    QString themes() const { return m_dir.path() + QStringLiteral("/themas"); }
    QString mailDir() const { return m_dir.path() + QStringLiteral("/mailbin"); }

    template <typename T = QWidget>
    T *widget(const char *name)
    {
        T *w = window().findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning() << "no widget" << name;
        return w;
    }

    void waitUntilShown(const QString &path)
    {
        const QString address = m_server.address(path);
        QVERIFY2(tovalin::test::waitUntilShown(*m_app, address, kLoadTimeoutMs), qPrintable(address));
    }

    void click(const char *name)
    {
        QWidget *w = widget(name);
        QVERIFY2(w && w->isVisible(), name);
        QTest::mouseClick(w, Qt::LeftButton);
    }

    QWidget *themeTabPage() { return window().themeTabPages()->pages()->currentWidget(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        m_server.addRoute(QStringLiteral("/one"), page("one", "#e04040"));
        m_server.addRoute(QStringLiteral("/two"), page("two", "#40e040"));
        m_server.addRoute(QStringLiteral("/three"), page("three", "#4040e0"));
        m_server.addRoute(QStringLiteral("/games/play.html"), page("games", "#f0c000"));

        const QString data = m_dir.path();
        // The start page's host would pass the whitelist test: about:blank adds nothing here.
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindonvriendelijk=1"), QStringLiteral("Kindvriendelijk=1"),
             QStringLiteral("[Extra]"), QStringLiteral("ToonHint=1"), QStringLiteral("[Favorieten]"),
             QStringLiteral("StartURL=about:blank"), QStringLiteral("gebruikfav=") + kTheme + u'*'}));
        const QStringList ids{QStringLiteral("20240301080001"), QStringLiteral("20240301080002"),
                              QStringLiteral("20240301080003")};
        const QStringList paths{QStringLiteral("/one"), QStringLiteral("/two"), QStringLiteral("/three")};
        QStringList whitelist;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(writeLines(themes() + u'/' + ids[i] + QStringLiteral(".kld"),
                               {QStringLiteral("[LinkProp]"), QStringLiteral("URL=") + m_server.address(paths[i]),
                                QStringLiteral("ID=") + ids[i], QStringLiteral("Hint=Link %1").arg(i + 1),
                                QStringLiteral("Beschrijving="), QStringLiteral("hoogte=%1").arg(i == 2 ? 300 : -1),
                                QStringLiteral("breedte=%1").arg(i == 2 ? 400 : -1)})
                        .ok);
            QVERIFY(writeBmpFile(themes() + u'/' + ids[i] + QStringLiteral(".bmp"),
                                 Bitmap::filled(70, 70, 0xFF2060C0u + quint32(i) * 0x300000u)));
            whitelist << m_server.address(paths[i]);
        }
        QVERIFY(tovalin::test::writeThemeLists(data, kTheme, ids, whitelist));

        // A mail command that records what it was given, and fails while a "fail" file exists.
        QVERIFY(QDir().mkpath(mailDir()));
        QFile script(mailDir() + QStringLiteral("/xdg-email"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nd=$(dirname \"$0\")\nprintf '%s\\n' \"$@\" > \"$d/mail-args.txt\"\n"
                     "[ -e \"$d/fail\" ] && exit 4\nexit 0\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", (mailDir() + u':' + qEnvironmentVariable("PATH")).toLocal8Bit());

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        m_app = std::make_unique<Application>(options);
        m_app->start();
        QCOMPARE(m_app->themes().LinkCount(), 3);
        auto record = [this](QWidget *, const QString &text) { m_messages << text; };
        m_app->themeWindows().wizard().setMessage(record);
        m_app->themeWindows().editor().hooks().inform = record;
        window().showParentsPage(true);
    }

    void cleanupTestCase() { m_app.reset(); }

    void removeLinkTwoOfThreeAndTheThirdWorksInSlotTwo()
    {
        LinkPanel *links = window().linkPanel();
        QTest::mouseClick(links->picture(2), Qt::LeftButton);
        waitUntilShown(QStringLiteral("/two"));
        click("bewerk");
        QCOMPARE(themeTabPage()->objectName(), QStringLiteral("bewerktab1"));
        QCOMPARE(widget<QLineEdit>("bewerkedit")->text(), m_server.address(QStringLiteral("/two")));
        QCOMPARE(widget<QLineEdit>("Bewerkhint")->text(), QStringLiteral("Link 2"));
        QVERIFY(!widget<QLabel>("bewerkplaatje")->pixmap().isNull());
        QVERIFY(widget("Klaarbutton")->isHidden());

        click("XiButton8"); // Remove
        QCOMPARE(m_app->themes().LinkCount(), 2);
        QCOMPARE(m_app->themes().SelectedLink(), -1);
        QVERIFY(widget<QLineEdit>("bewerkedit")->text().isEmpty());
        QVERIFY(widget<QLabel>("bewerkplaatje")->pixmap().isNull());
        QVERIFY(!links->frame(3)->isVisible());
        QCOMPARE(readLines(themes() + u'/' + kTheme + QStringLiteral(".llt")).value(),
                 (QStringList{QStringLiteral("20240301080001"), QStringLiteral("20240301080003")}));

        // The former third link, in slot 2, opens its own address at its own size.
        QTest::mouseClick(links->picture(2), Qt::LeftButton);
        waitUntilShown(QStringLiteral("/three"));
        QTRY_COMPARE_WITH_TIMEOUT(window().sizeableBrowserPanel()->size(), QSize(400, 300), kLoadTimeoutMs);
        QCOMPARE(widget<QLineEdit>("Bewerkhint")->text(), QStringLiteral("Link 3"));

        // Editing shows "Save"; an https address is saved as it is.
        QLineEdit *address = widget<QLineEdit>("bewerkedit");
        address->clear();
        QTest::keyClicks(address, QStringLiteral("https://secure.example/"));
        QVERIFY(!widget("Klaarbutton")->isHidden());
        click("Klaarbutton");
        QCOMPARE(m_app->themes().slot(2).link.URL, QStringLiteral("https://secure.example/"));
        QVERIFY(widget("Klaarbutton")->isHidden());
        QVERIFY(m_app->lists().whitelist().contains(QStringLiteral("https://secure.example/")));
    }

    void addLinkThroughAllFiveSteps()
    {
        // The parent photographs a site that is not on the whitelist yet, with the filter off.
        m_app->state().FilterOn = false;
        window().BeginUserNavigation();
        m_app->browser().navigate(m_server.address(QStringLiteral("/games/play.html")));
        waitUntilShown(QStringLiteral("/games/play.html"));

        // A finished document is painted a moment later; the parent photographs what is painted.
        QTRY_COMPARE_WITH_TIMEOUT(capturePage(window().browserPage()).pixel(10, 10), 0xFFF0C000u, kLoadTimeoutMs);
        click("voegtoe");
        QCOMPARE(themeTabPage()->objectName(), QStringLiteral("voegtoetab1"));
        m_sound.played.clear();
        click("Image24"); // the camera
        QVERIFY(m_sound.played.contains(QStringLiteral("fotocamera.wav")));
        QCOMPARE(window().browserPages()->currentWidget()->objectName(), QStringLiteral("SelectPage"));
        auto *picture = widget<SelectionPicture>("zoekimage");
        QCOMPARE(QSize(picture->screenshot().width, picture->screenshot().height), window().browserPage()->size());
        QCOMPARE(picture->markerPosition(), QPoint(-100, -100));

        // The marker follows the mouse; a click takes the square around it.
        const QPoint point(150, 120);
        QMouseEvent move(QEvent::MouseMove, QPointF(point), picture->mapToGlobal(QPointF(point)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        QCOMPARE(picture->markerPosition(), point);
        QVERIFY(picture->shown() != picture->screenshot());
        QTest::mouseClick(picture, Qt::LeftButton, {}, point);
        QCOMPARE(themeTabPage()->objectName(), QStringLiteral("voegtoetab2"));
        QCOMPARE(window().browserPages()->currentWidget(), window().browserPage());
        for (const char *name : {"selectie1", "selectie2", "selectie3"})
            QCOMPARE(widget<QLabel>(name)->pixmap().size(), QSize(70, 70));
        // The picture is of the page on show: its yellow background fills the thumbnail's middle.
        const Bitmap &thumbnail = m_app->themeWindows().wizard().thumbnail();
        QCOMPARE(thumbnail.pixel(35, 35), 0x00F0C000u);
        QVERIFY(thumbnail.pixel(0, 35) != thumbnail.pixel(35, 35)); // the bevel's light edge
        const QString shown = m_server.address(QStringLiteral("/games/play.html"));
        QCOMPARE(widget<QLineEdit>("URLedit")->text(), shown);
        QCOMPARE(widget<QLineEdit>("kindvriendelijkedit")->text(), shown);

        // Step 3: an address without scheme is prefixed once and the page stays.
        QLineEdit *url = widget<QLineEdit>("URLedit");
        url->setText(shown.mid(7));
        click("XiButton2");
        QCOMPARE(url->text(), shown);
        QCOMPARE(m_messages.value(m_messages.size() - 1), QStringLiteral("     The URL has been changed!      "));
        QCOMPARE(themeTabPage()->objectName(), QStringLiteral("voegtoetab2"));
        click("XiButton2");
        QCOMPARE(themeTabPage()->objectName(), QStringLiteral("voegtoetab4"));

        // Step 4: the hint.
        QTest::keyClicks(widget<QLineEdit>("HintEdit"), QStringLiteral("Games"));
        click("XiButton7");
        QCOMPARE(themeTabPage()->objectName(), QStringLiteral("voegtoetab3"));

        // Step 5: one level up climbs a folder at a time and stops at the host.
        QLineEdit *entry = widget<QLineEdit>("kindvriendelijkedit");
        const QString host = m_server.address(QStringLiteral("/"));
        click("XiButton5");
        QCOMPARE(entry->text(), m_server.address(QStringLiteral("/games/")));
        click("XiButton5");
        QCOMPARE(entry->text(), host);
        click("XiButton5");
        QCOMPARE(entry->text(), host);
        entry->setText(host.chopped(1));
        click("XiButton5");
        QCOMPARE(entry->text(), host.chopped(1));
        entry->setText(m_server.address(QStringLiteral("/games/")));

        click("XiButton4"); // Add
        QCOMPARE(themeTabPage(), window().themeTabPages()->navigatePage());
        QCOMPARE(m_app->themes().LinkCount(), 3);
        const LinkSlot &added = m_app->themes().slot(3);
        QCOMPARE(added.link.URL, shown);
        QCOMPARE(added.link.Hint, QStringLiteral("Games"));
        QVERIFY(window().linkPanel()->picture(3)->isVisible());
        const QStringList ids = readLines(themes() + u'/' + kTheme + QStringLiteral(".llt")).value();
        QCOMPARE(ids.size(), 3);
        QCOMPARE(ids.last(), added.link.ID);
        const BmpDecodeResult thumb = readBmpFile(themes() + u'/' + added.link.ID + QStringLiteral(".bmp"));
        QVERIFY(thumb.ok());
        QCOMPARE(QSize(thumb.bitmap.width, thumb.bitmap.height), QSize(70, 70));
        QVERIFY(readLines(themes() + u'/' + kTheme + QStringLiteral(".kvu"))
                    .value()
                    .contains(m_server.address(QStringLiteral("/games/"))));

        // With the filter on again, the new picture opens its site through the guard.
        m_app->state().FilterOn = true;
        QTest::mouseClick(window().linkPanel()->picture(1), Qt::LeftButton);
        waitUntilShown(QStringLiteral("/one"));
        QTest::mouseClick(window().linkPanel()->picture(3), Qt::LeftButton);
        waitUntilShown(QStringLiteral("/games/play.html"));
    }

    void editorListsAreTheGuardsLists()
    {
        ActiveThemeEditor &editor = m_app->themeWindows().editor();
        click("exporteren");
        auto *urlManager = window().themeTabPages()->editThemesPage()->findChild<LinkLabel *>(QStringLiteral("Label32"));
        QVERIFY(urlManager && urlManager->isVisible());
        QTest::mouseClick(urlManager, Qt::LeftButton);
        QTRY_VERIFY(editor.isVisible());
        QCOMPARE(editor.windowTitle(), QStringLiteral("Edit active theme"));
        auto *view = editor.findChild<QListView *>(QStringLiteral("ListBox2"));
        QVERIFY(view->isVisible());
        QCOMPARE(view->model(), &m_app->lists().whitelist());

        QVERIFY(m_app->lists().IsNotWhitelisted(QStringLiteral("http://zoo.example/")));
        auto *field = editor.findChild<QLineEdit *>(QStringLiteral("ALEdit1"));
        auto *add = editor.findChild<QPushButton *>(QStringLiteral("XiButton1"));
        QVERIFY(!add->isEnabled());
        // An entry that would let more than one site through is warned about while it is typed.
        auto *warning = editor.findChild<QLabel *>(QStringLiteral("moreThanASite"));
        QTest::keyClicks(field, QStringLiteral("zoo"));
        QVERIFY(warning->isVisible());
        QTest::keyClicks(field, QStringLiteral(".example"));
        QVERIFY(!warning->isVisible());
        QVERIFY(add->isEnabled());
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(field->text(), QStringLiteral("http://zoo.example")); // prefixed, not added yet
        QVERIFY(m_app->lists().IsNotWhitelisted(QStringLiteral("http://zoo.example/")));
        QTest::mouseClick(add, Qt::LeftButton);
        QVERIFY(!m_app->lists().IsNotWhitelisted(QStringLiteral("http://zoo.example/")));
        QVERIFY(readLines(themes() + u'/' + kTheme + QStringLiteral(".kvu")).value().contains(QStringLiteral("http://zoo.example")));

        // Picking an entry offers Delete; it leaves the guard's list and the file at once.
        const int row = int(m_app->lists().whitelist().items().indexOf(QStringLiteral("http://zoo.example")));
        const QModelIndex index = view->model()->index(row, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QCOMPARE(field->text(), QStringLiteral("http://zoo.example"));
        auto *del = editor.findChild<QPushButton *>(QStringLiteral("XiButton3"));
        QVERIFY(del->isEnabled());
        QVERIFY(!add->isEnabled());
        QTest::mouseClick(del, Qt::LeftButton);
        QVERIFY(m_app->lists().IsNotWhitelisted(QStringLiteral("http://zoo.example/")));
        QVERIFY(!readLines(themes() + u'/' + kTheme + QStringLiteral(".kvu")).value().contains(QStringLiteral("http://zoo.example")));

        // Save as with a name that would leave the themes folder: refused, nothing written anywhere.
        editor.showPage(ActiveThemeEditor::Page::SaveAs);
        auto *name = editor.findChild<QLineEdit *>(QStringLiteral("URLedit"));
        QTest::keyClicks(name, QStringLiteral("../outside"));
        QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("Opslaan")), Qt::LeftButton);
        QCOMPARE(m_messages.last(), QStringLiteral("You did not enter a valid name. Try again!."));
        QVERIFY(!QFile::exists(m_dir.path() + QStringLiteral("/outside.llt")));
        QCOMPARE(QDir(m_dir.path() + QStringLiteral("/downloads")).entryList(QDir::Files), QStringList());
        QTest::keyClicks(name, QStringLiteral("Drie kopie"));
        QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("Opslaan")), Qt::LeftButton);
        QVERIFY(QFile::exists(themes() + QStringLiteral("/Drie kopie.llt")));
        QCOMPARE(editor.findChild<QListWidget *>(QStringLiteral("ListBox5"))->count(), 1);
        QCOMPARE(m_app->state().activeTheme(), kTheme);
        editor.accept();
        QVERIFY(!editor.isVisible());
    }

    void exportToAFileAndByMail()
    {
        ActiveThemeEditor &editor = m_app->themeWindows().editor();
        QVERIFY(editor.emailAvailable());
        const QString target = m_dir.path() + QStringLiteral("/exported/Drie.tvz");
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        QString title;
        QString suggested;
        editor.hooks().exportPath = [&](QWidget *, const QString &t, const QString &s) {
            title = t;
            suggested = s;
            return target;
        };
        click("exporteren");
        auto *exportLink = window().themeTabPages()->editThemesPage()->findChild<LinkLabel *>(QStringLiteral("Label33"));
        QTest::mouseClick(exportLink, Qt::LeftButton);
        QTRY_VERIFY(editor.isVisible());
        QCOMPARE(editor.page(ActiveThemeEditor::Page::Export)->isVisible(), true);
        auto *pageEmail = editor.findChild<QPushButton *>(QStringLiteral("exportEmail"));
        QCOMPARE(pageEmail->text(), QStringLiteral("Email"));

        QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("exportLocal")), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Export theme: Drie"));
        QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("Drie.tvz"));
        QCOMPARE(archiveEntryNames(target), themeArchiveEntries(themes(), kTheme));
        QVERIFY(archiveEntryNames(target).contains(QStringLiteral("Drie.llt")));

        // The mail program gets the archive from the downloads folder; the guard's timer lets its window up.
        window().foreignWindowTimer()->start();
        QTest::mouseClick(pageEmail, Qt::LeftButton);
        const QString argsFile = mailDir() + QStringLiteral("/mail-args.txt");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(argsFile), kLoadTimeoutMs);
        QVERIFY(!window().foreignWindowTimer()->isActive());
        const QString archive = m_dir.path() + QStringLiteral("/downloads/Drie.tvz");
        QCOMPARE(archiveEntryNames(archive), archiveEntryNames(target));
        QTRY_VERIFY(readLines(argsFile).value_or(QStringList()).contains(archive));
        const QStringList args = readLines(argsFile).value();
        QCOMPARE(args.mid(args.indexOf(QStringLiteral("--subject")), 2),
                 (QStringList{QStringLiteral("--subject"), QStringLiteral("Tovalin theme: Drie")}));
        QVERIFY(!args.contains(QStringLiteral("--to")));
        QTest::qWait(200);
        QVERIFY(!m_messages.contains(QStringLiteral("Attention: The email was not sent!")));

        // A mail program that reports a failure is told to the parent.
        QVERIFY(writeLines(mailDir() + QStringLiteral("/fail"), {}).ok);
        QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("menuEmail")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.value(m_messages.size() - 1), QStringLiteral("Attention: The email was not sent!"),
                                  kLoadTimeoutMs);
        editor.accept();

        // Without the mail command the entry says so and cannot be used.
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_dir.path().toLocal8Bit() + "/nothing-here");
        ActiveThemeEditor::Hooks hooks;
        hooks.writeArchive = [](const QString &, const QString &) { return QString(); };
        ActiveThemeEditor bare(m_app->themes(), m_app->lists(), m_app->state(), hooks);
        qputenv("PATH", path);
        auto *menuEmail = bare.findChild<QPushButton *>(QStringLiteral("menuEmail"));
        QCOMPARE(menuEmail->text(), QStringLiteral("Email (not available)"));
        QVERIFY(!menuEmail->isEnabled());
    }
};

QTEST_MAIN(TestThemeWindows)
#include "test_theme_windows.moc"
