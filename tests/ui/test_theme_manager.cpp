// The theme manager and the theme download in the real program: a theme exported and imported
// back under a new name through the manager's "Local...", a ".tvz" link on a theme page that
// downloads, unpacks and activates, and "Cancel" during a download that hangs.

#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/theme_tab.h"
#include "app/ui/theme_manager_windows.h"
#include "core/text_file.h"
#include "guard/navigation_model.h"
#include "platform/head_probe.h"
#include "platform/webengine_browser.h"
#include "state/program_state.h"
#include "themes/bmp_codec.h"
#include "themes/theme_archive.h"
#include "themes/theme_download.h"
#include "themes/theme_files.h"
#include "themes/theme_model.h"
#include "themes/ui/import_progress_window.h"
#include "themes/ui/theme_download_page.h"
#include "themes/ui/theme_manager_dialog.h"
#include "ui/support_app.h"
#include "ui/support_http_server.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>
#include <functional>

using namespace tovalin;
using tovalin::test::RecordingSound;
using tovalin::test::TestHttpServer;

namespace {

constexpr int kLoadTimeoutMs = 20000;

/// Answers the modal windows an action opens, one step after another: each step waits until the
/// active modal window is the one it expects, then acts on it. Actions are queued, so a step that
/// opens a further modal window does not block the next step. Returns the message boxes' texts.
class ModalScript {
public:
    struct Step {
        std::function<bool(QWidget *)> expects;
        std::function<void(QWidget *)> act;
    };

    QStringList run(const std::function<void()> &action, const QList<Step> &steps, int timeoutMs = kLoadTimeoutMs)
    {
        m_steps = steps;
        m_next = 0;
        QTimer poll;
        poll.setInterval(25);
        QObject::connect(&poll, &QTimer::timeout, [this] { tick(); });
        poll.start();
        QMetaObject::invokeMethod(qApp, action, Qt::QueuedConnection);
        (void)QTest::qWaitFor([this] { return m_next >= m_steps.size(); }, timeoutMs);
        QTest::qWait(100);
        poll.stop();
        return m_texts;
    }

    bool finished() const { return m_next >= m_steps.size(); }

    static Step messageBox(QMessageBox::StandardButton answer)
    {
        return {[](QWidget *w) { return qobject_cast<QMessageBox *>(w) != nullptr; },
                [answer](QWidget *w) {
                    auto *box = static_cast<QMessageBox *>(w);
                    if (QAbstractButton *b = box->button(answer))
                        b->click();
                    else
                        box->reject();
                }};
    }
    static Step named(const QString &objectName, std::function<void(QWidget *)> act)
    {
        return {[objectName](QWidget *w) { return w->objectName() == objectName; }, std::move(act)};
    }

private:
    void tick()
    {
        if (m_next >= m_steps.size() || m_busy)
            return;
        QWidget *modal = QApplication::activeModalWidget();
        if (qEnvironmentVariableIsSet("TOVALIN_TEST_TRACE") && modal)
            qDebug() << "modal" << modal << "step" << m_next;
        if (!modal || !modal->isVisible() || !m_steps[m_next].expects(modal))
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            m_texts << box->text();
            if (qEnvironmentVariableIsSet("TOVALIN_TEST_TRACE"))
                qDebug() << "message" << box->text();
        }
        const Step step = m_steps[m_next++];
        m_busy = true;
        QPointer<QWidget> target(modal);
        QTimer::singleShot(0, qApp, [this, step, target] {
            m_busy = false;
            if (target)
                step.act(target);
        });
    }

    QList<Step> m_steps;
    qsizetype m_next = 0;
    bool m_busy = false;
    QStringList m_texts;
};

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

class TestThemeManager : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_elsewhere; // another machine's themes, and the archives
    TestHttpServer m_server;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    std::unique_ptr<Application> m_app;

    MainWindow &window() { return m_app->mainWindow(); }
    ThemeManagerDialog &manager() { return *m_app->themeManagerWindows().manager(); }
    QString themes() const { return m_dir.path() + QStringLiteral("/themas"); }
    QString downloads() const { return m_dir.path() + QStringLiteral("/downloads"); }

    void waitUntilShown(const QString &address)
    {
        QVERIFY2(tovalin::test::waitUntilShown(*m_app, address, kLoadTimeoutMs), qPrintable(address));
    }

    /// Opens the vendor's theme page and waits for that load's own completion: the page may be on
    /// show already, and a click into the document the load replaces would be lost.
    void openThemePage()
    {
        QSignalSpy completed(&m_app->browser(), &Browser::documentComplete);
        m_app->themeManagerWindows().openThemePage();
        QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty(), kLoadTimeoutMs);
        waitUntilShown(m_server.address(QStringLiteral("/themas/themas.php")));
    }

    void clickInPage(const QString &elementId)
    {
        m_app->browser().view()->page()->runJavaScript(
            QStringLiteral("document.getElementById('%1').click();").arg(elementId));
    }

    static void writeTheme(const QString &folder, const QString &name, const QStringList &ids, const QString &base)
    {
        QDir().mkpath(folder);
        quint32 colour = 0xFF2080C0;
        for (const QString &id : ids) {
            ThemeLink link;
            link.ID = id;
            link.URL = base + id;
            link.Hint = QStringLiteral("hint ") + id;
            QVERIFY(writeNewLinkProperties(folder, link).ok);
            QVERIFY(writeBmpFile(folder + u'/' + id + QStringLiteral(".bmp"), Bitmap::filled(70, 70, colour)));
            colour += 0x00302010;
        }
        QVERIFY(writeLines(folder + u'/' + name + QStringLiteral(".llt"), ids).ok);
        QVERIFY(writeLines(folder + u'/' + name + QStringLiteral(".kvu"), {QStringLiteral("127.0.0.1")}).ok);
        QVERIFY(writeLines(folder + u'/' + name + QStringLiteral(".kou"), {}).ok);
        QVERIFY(writeLines(folder + u'/' + name + QStringLiteral(".kpu"), {}).ok);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        const QString base = m_server.address(QStringLiteral("/link/"));
        for (const char *id : {"20240101000001", "20240101000002", "20240202000001"})
            m_server.addRoute(QStringLiteral("/link/") + QLatin1String(id),
                              QByteArray("<html><body><h1>") + id + "</h1></body></html>");
        m_server.addRoute(QStringLiteral("/start.html"), "<html><body><h1>Start</h1></body></html>");
        m_server.addRoute(QStringLiteral("/themas/themas.php"),
                          "<html><body><h1>Themes</h1>"
                          "<a id='zee' href='/themas/download/De%20zee.tvz'>De zee</a>"
                          "<a id='slow' href='/themas/download/Traag.tvz'>Traag</a>"
                          "<a id='gone' href='/themas/download/Weg.tvz'>Weg</a></body></html>");

        // The theme the download page offers, made on "another machine".
        const QString vendorThemes = m_elsewhere.filePath(QStringLiteral("vendor"));
        writeTheme(vendorThemes, QStringLiteral("De zee"), {QStringLiteral("20240202000001")}, base);
        const QString zee = m_elsewhere.filePath(QStringLiteral("De zee.tvz"));
        QVERIFY(writeThemeArchive(vendorThemes, QStringLiteral("De zee"), zee).ok());
        m_server.addRoute(QStringLiteral("/themas/download/De%20zee.tvz"), readFileBytes(zee).bytes, "application/zip");
        m_server.addStalledRoute(QStringLiteral("/themas/download/Traag.tvz"), QByteArray(4000, 'x'), 400000,
                                 "application/zip");

        const QString vendorIni = m_elsewhere.filePath(QStringLiteral("vendor.ini"));
        QVERIFY(writeLines(vendorIni, {QStringLiteral("[Vendor]"),
                                       QStringLiteral("ThemePage=") + m_server.address(QStringLiteral("/themas/themas.php"))})
                    .ok);
        qputenv("TOVALIN_VENDOR_INI", vendorIni.toUtf8());

        const QString data = m_dir.path();
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindvriendelijk=1"), QStringLiteral("Nieteruit=0"),
             QStringLiteral("[Favorieten]"), QStringLiteral("StartURL=") + m_server.address(QStringLiteral("/start.html")),
             QStringLiteral("gebruikfav=Dieren*")}));
        writeTheme(themes(), QStringLiteral("Dieren"), {QStringLiteral("20240101000001"), QStringLiteral("20240101000002")},
                   base);

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        m_app = std::make_unique<Application>(options);
        m_app->start();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        waitUntilShown(m_server.address(QStringLiteral("/start.html")));
        QCOMPARE(m_app->state().activeTheme(), QStringLiteral("Dieren"));
        window().setParentsMenuOpen(true);
        window().showParentsPage(true);
    }

    void cleanupTestCase()
    {
        m_app.reset();
        qunsetenv("TOVALIN_VENDOR_INI");
    }

    void exportedThemeComesBackUnderANewNameSharingItsLinks()
    {
        const QString archive = m_elsewhere.filePath(QStringLiteral("Dieren.tvz"));
        QVERIFY(writeThemeArchive(themes(), QStringLiteral("Dieren"), archive).ok());
        const QStringList before = filesBelow(themes());

        // "Edit theme's", then "Import" under "General", opens the manager on its open page.
        ThemeTab *tab = window().themeTabPages();
        QVERIFY(tab->editThemesLink()->isVisibleTo(tab));
        QTest::mouseClick(tab->editThemesLink(), Qt::LeftButton);
        auto *importLink = tab->editThemesPage()->findChild<LinkLabel *>(QStringLiteral("Label35"));
        QVERIFY(importLink && importLink->isVisible());

        auto *tick = manager().findChild<QCheckBox *>(QStringLiteral("directcheck"));
        QWidget *pageOnOpen = nullptr;
        ModalScript script;
        const QStringList texts = script.run(
            [&] { QTest::mouseClick(importLink, Qt::LeftButton); },
            {ModalScript::named(QStringLiteral("algemeenthemaform"),
                                [&](QWidget *) {
                                    pageOnOpen = manager().currentPage();
                                    QTest::mouseClick(manager().findChild<QPushButton *>(QStringLiteral("importerenlabel")),
                                                      Qt::LeftButton);
                                    tick->setChecked(true);
                                    manager().findChild<QPushButton *>(QStringLiteral("Label7"))->click();
                                }),
             ModalScript::named(QLatin1String(ThemeManagerDialog::kFileDialogName),
                                [&](QWidget *w) {
                                    auto *dialog = static_cast<QFileDialog *>(w);
                                    QCOMPARE(dialog->windowTitle(), QStringLiteral("Import a Tovalin theme"));
                                    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                                    QVERIFY(name);
                                    name->setText(archive);
                                    static_cast<QDialog *>(dialog)->accept();
                                }),
             ModalScript::messageBox(QMessageBox::No),
             ModalScript::named(QStringLiteral("Nieuwenaam"),
                                [](QWidget *w) {
                                    auto *edit = w->findChild<QLineEdit *>(QStringLiteral("Edit1"));
                                    QTest::keyClicks(edit, QStringLiteral("Beesten"));
                                    QTest::keyClick(edit, Qt::Key_Return);
                                }),
             ModalScript::named(QStringLiteral("algemeenthemaform"), [](QWidget *w) {
                 static_cast<QDialog *>(w)->reject();
             })});
        QVERIFY(script.finished());
        QCOMPARE(pageOnOpen, manager().openPage());
        QCOMPARE(texts, QStringList{QStringLiteral("Theme Dieren already exists. Overwrite?")});

        // The new theme has the old one's lists; the link files are shared, not copied.
        QCOMPARE(readFileBytes(themes() + QStringLiteral("/Beesten.llt")).bytes,
                 readFileBytes(themes() + QStringLiteral("/Dieren.llt")).bytes);
        QCOMPARE(readFileBytes(themes() + QStringLiteral("/Beesten.kvu")).bytes,
                 readFileBytes(themes() + QStringLiteral("/Dieren.kvu")).bytes);
        QStringList expected = before;
        for (const char *ext : {".kou", ".kpu", ".kvu", ".llt"})
            expected << QStringLiteral("Beesten") + QLatin1String(ext);
        expected.sort();
        QCOMPARE(filesBelow(themes()), expected);

        // Ticked: the new theme is active, its first link selected and open.
        QCOMPARE(m_app->state().activeTheme(), QStringLiteral("Beesten"));
        QCOMPARE(m_app->themes().LinkCount(), 2);
        QCOMPARE(m_app->themes().SelectedLink(), 1);
        waitUntilShown(m_server.address(QStringLiteral("/link/20240101000001")));
        tick->setChecked(false);
    }

    void aTvzLinkOnTheThemePageDownloadsUnpacksAndActivates()
    {
        auto *tick = manager().findChild<QCheckBox *>(QStringLiteral("directcheck"));
        tick->setChecked(true);
        ThemeDownloadPage *page = m_app->themeManagerWindows().downloadPage();
        QSignalSpy finished(&m_app->themeDownload(), &ThemeDownload::finished);

        // "Download more theme's" on the start page opens the vendor's theme page.
        ThemeTab *tab = window().themeTabPages();
        tab->showPage(tab->startPage());
        QVERIFY(page->isVisible());
        QTest::mouseClick(page->moreLink(), Qt::LeftButton);
        waitUntilShown(m_server.address(QStringLiteral("/themas/themas.php")));

        m_sound.played.clear();
        ModalScript script;
        const QStringList texts = script.run([&] { clickInPage(QStringLiteral("zee")); },
                                             {ModalScript::messageBox(QMessageBox::Yes),
                                              ModalScript::messageBox(QMessageBox::Ok)});
        QVERIFY(script.finished());
        QCOMPARE(texts, QStringList({QStringLiteral("Do you want to download theme De zee?"),
                                     ThemeDownload::readyText()}));
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toBool(), true);
        // Handed to the theme download, the archive is no refused download: no sign, no sound.
        QVERIFY(!m_sound.played.contains(QStringLiteral("verboden.wav")));

        QVERIFY(QFileInfo::exists(downloads() + QStringLiteral("/De zee.tvz")));
        QVERIFY(ThemeExists(themes(), QStringLiteral("De zee")));
        QVERIFY(QFileInfo::exists(themes() + QStringLiteral("/20240202000001.bmp")));
        QCOMPARE(tab->pages()->currentWidget(), tab->startPage());
        QCOMPARE(page->list()->count(), 1);
        QCOMPARE(page->list()->item(0)->text(), QStringLiteral("De zee"));
        QVERIFY(page->morePanel()->isVisible()); // shown again by the activation
        QCOMPARE(m_app->state().activeTheme(), QStringLiteral("De zee"));
        QCOMPARE(m_app->themes().LinkCount(), 1);
        QVERIFY(!m_app->themeManagerWindows().progressWindow()->isVisible());
        waitUntilShown(m_server.address(QStringLiteral("/link/20240202000001")));
        tick->setChecked(false);
    }

    void aTakenNameTakesANewNameAndNoDownloadsNothing()
    {
        openThemePage();
        manager().findChild<QCheckBox *>(QStringLiteral("directcheck"))->setChecked(true);
        const QStringList themesBefore = filesBelow(themes());
        QSignalSpy finished(&m_app->themeDownload(), &ThemeDownload::finished);

        ModalScript no;
        QCOMPARE(no.run([&] { clickInPage(QStringLiteral("zee")); }, {ModalScript::messageBox(QMessageBox::No)}),
                 QStringList{QStringLiteral("Do you want to download theme De zee?")});
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(filesBelow(themes()), themesBefore);

        ModalScript script;
        const QStringList texts = script.run(
            [&] { clickInPage(QStringLiteral("zee")); },
            {ModalScript::messageBox(QMessageBox::Yes), ModalScript::messageBox(QMessageBox::No),
             ModalScript::named(QStringLiteral("Nieuwenaam"),
                                [](QWidget *w) {
                                    auto *edit = w->findChild<QLineEdit *>(QStringLiteral("Edit1"));
                                    QVERIFY(edit->text().isEmpty());
                                    QTest::keyClicks(edit, QStringLiteral("Zee twee"));
                                    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
                                }),
             ModalScript::messageBox(QMessageBox::Ok)});
        QVERIFY(script.finished());
        QCOMPARE(texts, QStringList({QStringLiteral("Do you want to download theme De zee?"),
                                     QStringLiteral("Theme De zee already exists. Overwrite?"), ThemeDownload::readyText()}));
        QTRY_COMPARE(finished.size(), 2);
        QVERIFY(ThemeExists(themes(), QStringLiteral("Zee twee")));
        QCOMPARE(m_app->state().activeTheme(), QStringLiteral("Zee twee"));
        QCOMPARE(m_app->themeManagerWindows().downloadPage()->list()->count(), 2); // the page stayed shown
        manager().findChild<QCheckBox *>(QStringLiteral("directcheck"))->setChecked(false);
    }

    void aServerFailureLeavesTheThemesAsTheyWere()
    {
        openThemePage();
        const QStringList themesBefore = filesBelow(themes());
        const QString activeBefore = m_app->state().activeTheme();
        ModalScript script;
        const QStringList texts = script.run([&] { clickInPage(QStringLiteral("gone")); },
                                             {ModalScript::messageBox(QMessageBox::Yes),
                                              ModalScript::messageBox(QMessageBox::Ok)});
        QCOMPARE(texts, QStringList({QStringLiteral("Do you want to download theme Weg?"), ThemeDownload::failedServerText()}));
        QCOMPARE(filesBelow(themes()), themesBefore);
        QVERIFY(!QFileInfo::exists(downloads() + QStringLiteral("/Weg.tvz")));
        QCOMPARE(m_app->state().activeTheme(), activeBefore);
    }

    void cancelDuringAHangingDownloadLeavesNothing()
    {
        openThemePage();
        const QStringList themesBefore = filesBelow(themes());
        const QStringList downloadsBefore = filesBelow(downloads());
        const QString activeBefore = m_app->state().activeTheme();
        QSignalSpy finished(&m_app->themeDownload(), &ThemeDownload::finished);
        ImportProgressWindow *progress = m_app->themeManagerWindows().progressWindow();

        ModalScript script;
        QCOMPARE(script.run([&] { clickInPage(QStringLiteral("slow")); }, {ModalScript::messageBox(QMessageBox::Yes)}),
                 QStringList{QStringLiteral("Do you want to download theme Traag?")});
        // The window keeps answering while the first bytes come in and the server then hangs.
        QTRY_VERIFY_WITH_TIMEOUT(progress->isVisible() && progress->gauge()->value() > 0, kLoadTimeoutMs);
        QCOMPARE(progress->windowTitle(), QStringLiteral("Download progress"));
        QCOMPARE(progress->statusLabel()->text(), QStringLiteral("Downloading"));
        QVERIFY(m_app->themeDownload().isRunning());

        // Cancel: no message, no archive, no theme; the server's 30 s silence was never waited for.
        // (A message box would hold the end back: finished() comes after the last message.)
        QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().toBool(), false);
        QVERIFY(!progress->isVisible());
        QCOMPARE(filesBelow(themes()), themesBefore);
        QCOMPARE(filesBelow(downloads()), downloadsBefore);
        QCOMPARE(m_app->state().activeTheme(), activeBefore);
    }
};

QTEST_MAIN(TestThemeManager)
#include "test_theme_manager.moc"
