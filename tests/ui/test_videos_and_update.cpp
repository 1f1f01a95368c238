// The whole program in a real window against a local server on a thread of its
// own (the guard's HEAD request waits on the main thread): videos a parent
// allows play on the video page, other kinds and other downloads fetch nothing,
// and an update is installed only after the password and with the vendor's
// signature. The sample videos are made with ffmpeg when the test starts.

#include "app/ui/application.h"
#include "core/text_file.h"
#include "app/ui/main_window.h"
#include "app/ui/media_side.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "media/ui/video_page.h"
#include "media/ui/video_players.h"
#include "media/ui/video_screen.h"
#include "parents/password_store.h"
#include "platform/webengine_browser.h"
#include "state/program_state.h"
#include "support_app.h"
#include "support_server_thread.h"
#include "update/ui/update_dialog.h"
#include "update/ui/update_offer.h"
#include "users/user_profile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QtTest>
#include <sodium.h>

using namespace tovalin;
using tovalin::test::RecordingSound;
using tovalin::test::ServerThread;

namespace {

constexpr int kLoadTimeoutMs = 20000;
const QString kPassword = QStringLiteral("geheim");

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes a short sample video with ffmpeg; empty when that fails.
QByteArray makeVideo(const QString &path, const QStringList &codecArgs, const QString &source)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList{"-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i", source}
                                               + codecArgs + QStringList{path});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return {};
    return fileContents(path);
}

/// Runs `action` and closes every message box that shows, until `until` holds (or the time is up);
/// returns the boxes' texts in order. A box the action opens itself is closed from inside its own loop.
QStringList closingMessageBoxes(const std::function<void()> &action, const std::function<bool()> &until,
                                int timeoutMs = kLoadTimeoutMs)
{
    QStringList texts;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box && box->isVisible() && !box->property("closing").toBool()) {
                box->setProperty("closing", true);
                texts.append(box->text());
                QTimer::singleShot(0, box, &QMessageBox::accept);
            }
        }
    });
    poll.start();
    action();
    QDeadlineTimer deadline(timeoutMs);
    while (!until() && !deadline.hasExpired())
        QTest::qWait(20);
    QTest::qWait(150);
    return texts;
}

} // namespace

class TestVideosAndUpdate : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_samples;
    std::unique_ptr<ServerThread> m_server;
    RecordingSound m_sound;
    std::unique_ptr<Application> m_app;
    QByteArray m_mpg;
    QByteArray m_installer;
    QByteArray m_vendorPublic = QByteArray(crypto_sign_PUBLICKEYBYTES, 0);
    QByteArray m_vendorSecret = QByteArray(crypto_sign_SECRETKEYBYTES, 0);
    QStringList m_launched;
    int m_quits = 0;
    QStringList m_references;

    QString start() const { return m_server->address(QStringLiteral("/start.html")); }
    QString videoFolder() { return m_app->state().videoFolder(); }
    MainWindow &window() { return m_app->mainWindow(); }
    VideoPage &page() { return m_app->media().videoPage(); }
    QMediaPlayer *graph() { return page().graph()->mediaPlayer(); }
    bool videoPageShows() { return window().browserPages()->currentWidget() == window().videoPage(); }
    template <typename T>
    T *widget(const QString &name) { return window().findChild<T *>(name); }

    QByteArray sign(const QByteArray &data) const
    {
        QByteArray signature(crypto_sign_BYTES, 0);
        crypto_sign_detached(reinterpret_cast<unsigned char *>(signature.data()), nullptr,
                             reinterpret_cast<const unsigned char *>(data.constData()), data.size(),
                             reinterpret_cast<const unsigned char *>(m_vendorSecret.constData()));
        return signature;
    }

    void clickLink(const QString &id)
    {
        m_app->state().openPageClick(); // as a click inside the page does
        m_app->browser().runScript(QStringLiteral("document.getElementById('%1').click();").arg(id));
    }

    void backToTheStartPage()
    {
        if (videoPageShows())
            QTest::mouseClick(widget<QAbstractButton>(QStringLiteral("ImgBtn1")), Qt::LeftButton);
        QVERIFY(!videoPageShows());
        // The video's navigation was cancelled: the browser still shows the page it came from.
        QCOMPARE(m_app->browser().location(), start());
    }

    /// Waits until the player plays and its position has moved on.
    /// The screen converts the decoder's frames itself: its picture must match Qt's own conversion
    /// (Qt's, on the processor, reads every frame as studio swing: compared for such a film only).
    void pictureMatchesQtsConversion()
    {
        auto *screen = widget<VideoScreen>(QStringLiteral("DSVideoWindowEx21"));
        QImage ours, qts;
        // Connected after the screen: both see the same frame.
        const QMetaObject::Connection c =
            connect(screen->videoSink(), &QVideoSink::videoFrameChanged, this, [&](const QVideoFrame &frame) {
                if (frame.isValid() && qts.isNull()) {
                    ours = screen->picture();
                    qts = frame.toImage();
                }
            });
        QTRY_VERIFY_WITH_TIMEOUT(!qts.isNull(), kLoadTimeoutMs);
        disconnect(c);
        QCOMPARE(ours.size(), qts.size());
        for (int y = 4; y < qts.height(); y += qts.height() / 6) {
            for (int x = 4; x < qts.width(); x += qts.width() / 8) {
                const QColor a = ours.pixelColor(x, y), b = qts.pixelColor(x, y);
                QVERIFY2(qAbs(a.red() - b.red()) <= 8 && qAbs(a.green() - b.green()) <= 8 && qAbs(a.blue() - b.blue()) <= 8,
                         qPrintable(QStringLiteral("(%1,%2): %3 against Qt's %4").arg(x).arg(y).arg(a.name(), b.name())));
            }
        }
    }

    void waitUntilPlayingOnward()
    {
        QTRY_COMPARE_WITH_TIMEOUT(graph()->playbackState(), QMediaPlayer::PlayingState, kLoadTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(graph()->position() > 0, kLoadTimeoutMs);
        const qint64 first = graph()->position();
        QTRY_VERIFY_WITH_TIMEOUT(graph()->position() > first, kLoadTimeoutMs);
    }

    void offerUpdate(const QString &version, const QString &installerPath)
    {
        m_server->addRoute(QStringLiteral("/thuisversie_eng.txt"),
                           QStringLiteral("[CurrentVersions]\r\nTovalin - De Varnebrowser=%1\r\n[DownloadURL]\r\n"
                                          "Tovalin - De Varnebrowser=%2\r\n")
                               .arg(version, m_server->address(installerPath))
                               .toUtf8(),
                           "text/plain");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(sodium_init() >= 0);
        crypto_sign_keypair(reinterpret_cast<unsigned char *>(m_vendorPublic.data()),
                            reinterpret_cast<unsigned char *>(m_vendorSecret.data()));
        m_mpg = makeVideo(m_samples.filePath(QStringLiteral("clip.mpg")),
                          {"-f", "lavfi", "-i", "sine=frequency=440", "-t", "8", "-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"},
                          QStringLiteral("testsrc=size=160x120:rate=25"));
        QVERIFY2(!m_mpg.isEmpty(), "ffmpeg could not make the sample video (is ffmpeg installed?)");
        const QByteArray mov = makeVideo(m_samples.filePath(QStringLiteral("movie.mov")), {"-t", "8", "-c:v", "mpeg4"},
                                         QStringLiteral("testsrc=size=160x120:rate=25"));
        QVERIFY(!mov.isEmpty());
        const QByteArray sound = makeVideo(m_samples.filePath(QStringLiteral("sound.mpg")),
                                           {"-t", "8", "-c:a", "mp2", "-f", "mpeg"}, QStringLiteral("sine=frequency=440"));
        QVERIFY(!sound.isEmpty());
        const QByteArray avi = makeVideo(m_samples.filePath(QStringLiteral("wide.avi")), {"-t", "8", "-c:v", "mjpeg"},
                                         QStringLiteral("testsrc2=size=160x90:rate=25"));
        QVERIFY(!avi.isEmpty());

        m_server = std::make_unique<ServerThread>();
        QVERIFY(m_server->isListening());
        m_server->addRoute(QStringLiteral("/start.html"),
                           "<html><body><h1>Videos</h1><a id='mpg' href='/films/clip.mpg'>clip</a> "
                           "<a id='avi' href='/films/wide.avi'>wide</a> <a id='zip' href='/files.zip'>files</a> "
                           "<a id='bad' href='/films/broken.mpg'>broken</a> <a id='mov' href='/films/Movie.MOV'>movie</a> "
                           "<a id='sound' href='/films/sound.mpg'>sound</a> <a id='slow' href='/slow/clip.mpg'>slow</a> "
                           "<a id='elsewhere' href='/films/elsewhere.avi'>elsewhere</a></body></html>");
        m_server->addRoute(QStringLiteral("/films/Movie.MOV"), mov, "video/quicktime");
        m_server->addRoute(QStringLiteral("/films/sound.mpg"), sound, "video/mpeg");
        m_server->addRoute(QStringLiteral("/films/clip.mpg"), m_mpg, "video/mpeg");
        m_server->addRoute(QStringLiteral("/slow/clip.mpg"), m_mpg, "video/mpeg");
        m_server->setAnswerDelay(QStringLiteral("/slow/clip.mpg"), "HEAD", 2000);
        m_server->addRoute(QStringLiteral("/films/wide.avi"), avi, "video/x-msvideo");
        // A video whose HEAD answers as a video and whose GET leads off the whitelist ("localhost").
        m_server->addRoute(QStringLiteral("/films/elsewhere.avi"), avi, "video/x-msvideo");
        m_server->addRedirect(QStringLiteral("GET /films/elsewhere.avi"),
                              QStringLiteral("http://localhost:%1/films/wide.avi").arg(QUrl(start()).port()));
        m_server->addRoute(QStringLiteral("/films/broken.mpg"), QByteArray(40000, '\x5a'), "video/mpeg");
        m_server->addRoute(QStringLiteral("/files.zip"), QByteArray(5000, 'z'), "application/zip",
                           200, {{"Content-Disposition", "attachment; filename=files.zip"}});
        m_installer = QByteArray("#!/bin/sh\necho installing\n") + QByteArray(30000, '#');
        m_server->addRoute(QStringLiteral("/dl/tovalin-3.0.1.deb"), m_installer, "application/octet-stream");
        m_server->addRoute(QStringLiteral("/dl/tovalin-3.0.1.deb.sig"), sign(m_installer).toBase64(), "text/plain");
        m_server->addRoute(QStringLiteral("/dl/tovalin-3.0.2.deb"), m_installer, "application/octet-stream");
        QByteArray otherKey(crypto_sign_PUBLICKEYBYTES, 0), otherSecret(crypto_sign_SECRETKEYBYTES, 0);
        crypto_sign_keypair(reinterpret_cast<unsigned char *>(otherKey.data()), reinterpret_cast<unsigned char *>(otherSecret.data()));
        QByteArray strangerSignature(crypto_sign_BYTES, 0);
        crypto_sign_detached(reinterpret_cast<unsigned char *>(strangerSignature.data()), nullptr,
                             reinterpret_cast<const unsigned char *>(m_installer.constData()), m_installer.size(),
                             reinterpret_cast<const unsigned char *>(otherSecret.constData()));
        m_server->addRoute(QStringLiteral("/dl/tovalin-3.0.2.deb.sig"), strangerSignature, "application/octet-stream");

        const QString data = m_dir.filePath(QStringLiteral("data"));
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindvriendelijk=1"), QStringLiteral("Nieteruit=0"),
             QStringLiteral("Toonmpg=1"), QStringLiteral("Toonavi=1"), QStringLiteral("Toonmov=1"), QStringLiteral("[Favorieten]"),
             QStringLiteral("StartURL=") + start(), QStringLiteral("gebruikfav=Dieren*")}));
        QVERIFY(tovalin::test::writeThemeLists(data, QStringLiteral("Dieren"), {}, {QStringLiteral("127.0.0.1")}));
        QVERIFY(PasswordStore(data + QStringLiteral("/temp0201.tvw")).store(kPassword).ok);
        const QString vendor = m_dir.filePath(QStringLiteral("vendor.ini"));
        QVERIFY(writeLines(vendor, {QStringLiteral("[Vendor]"),
                                    QStringLiteral("VersionFile=") + m_server->address(QStringLiteral("/thuisversie_eng.txt")),
                                    QStringLiteral("UpdateKey=") + QString::fromLatin1(m_vendorPublic.toBase64())})
                    .ok);
        qputenv("TOVALIN_VENDOR_INI", vendor.toUtf8());

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound; // the guard's HEAD request is the real one
        m_app = std::make_unique<Application>(options);
        m_app->start();
        m_app->media().setReferenceOpener([this](const QString &path) { m_references.append(path); });
        UpdateOffer::Hooks hooks;
        hooks.launch = [this](const QString &path) { m_launched.append(path); return true; };
        hooks.quit = [this] { ++m_quits; };
        m_app->media().updateOffer().setHooks(hooks);
        QVERIFY(tovalin::test::waitUntilShown(*m_app, start(), kLoadTimeoutMs));
    }

    void cleanupTestCase()
    {
        m_app.reset();
        m_server.reset();
        qunsetenv("TOVALIN_VENDOR_INI");
    }

    void allowedVideoPlaysOnTheVideoPage()
    {
        clickLink(QStringLiteral("mpg"));
        QTRY_VERIFY_WITH_TIMEOUT(videoPageShows(), kLoadTimeoutMs);
        waitUntilPlayingOnward();
        QCOMPARE(fileContents(QDir(videoFolder()).filePath(QStringLiteral("clip.mpg"))), m_mpg);
        QCOMPARE(widget<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("clip.mpg"));
        QVERIFY(widget<QWidget>(QStringLiteral("DSVideoWindowEx21"))->isVisible());
        QVERIFY(!widget<QWidget>(QStringLiteral("QTMovie1"))->isVisible());
        QVERIFY(!widget<QWidget>(QStringLiteral("Image19"))->isVisible());
        QVERIFY(!widget<QProgressBar>(QStringLiteral("Gauge1"))->isVisible());
        QCOMPARE(m_app->navigation().navState(), NavState::Ready);
        // The browser itself stayed where it was.
        QCOMPARE(m_app->browser().location(), start());
        // The player sits in the middle of the page.
        QWidget *panel = widget<QWidget>(QStringLiteral("Panel19"));
        QCOMPARE(panel->x(), (window().videoPage()->width() - panel->width()) / 2);
    }

    void pausePlayAndStop()
    {
        QVERIFY(videoPageShows());
        QTest::mouseClick(widget<QAbstractButton>(QStringLiteral("ImgBtn11")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(graph()->playbackState(), QMediaPlayer::PausedState, kLoadTimeoutMs);
        const qint64 pausedAt = graph()->position();
        QTest::qWait(400);
        QCOMPARE(graph()->position(), pausedAt);

        QTest::mouseClick(widget<QAbstractButton>(QStringLiteral("ImgBtn10")), Qt::LeftButton);
        waitUntilPlayingOnward();
        QVERIFY(graph()->position() >= pausedAt);

        // Stop clears the player; play renders the video again from its beginning.
        QTest::mouseClick(widget<QAbstractButton>(QStringLiteral("ImgBtn12")), Qt::LeftButton);
        QVERIFY(!page().graph()->isActive());
        QCOMPARE(graph()->playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(graph()->source().isEmpty());
        QTest::mouseClick(widget<QAbstractButton>(QStringLiteral("ImgBtn10")), Qt::LeftButton);
        QVERIFY(page().graph()->isActive());
        waitUntilPlayingOnward();
        QVERIFY(graph()->position() < pausedAt + 3000);
    }

    void backLeavesTheVideoPageAndStopsPlayback()
    {
        QVERIFY(videoPageShows());
        auto *back = widget<QAbstractButton>(QStringLiteral("ImgBtn1"));
        QVERIFY(back->isEnabled()); // even though the browser has nowhere to go back to
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(window().browserPages()->currentWidget(), window().browserPage());
        QCOMPARE(graph()->playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(!page().graph()->isActive());
        QVERIFY(!back->isEnabled());
    }

    void slowServerLeavesTheWindowAnsweringAndPlaysTheSame()
    {
        backToTheStartPage();
        m_server->clearRequests();
        const QString slow = m_server->address(QStringLiteral("/slow/clip.mpg"));
        QDir(videoFolder()).remove(QStringLiteral("clip.mpg"));
        clickLink(QStringLiteral("slow"));
        // The server holds its answer back for two seconds; the navigation waits for it, the window does not.
        QTRY_COMPARE_WITH_TIMEOUT(m_app->guard().awaitedAddress(), slow, kLoadTimeoutMs);
        QPushButton button(QStringLiteral("Meanwhile"), &window());
        button.show();
        bool clicked = false;
        connect(&button, &QPushButton::clicked, this, [&clicked] { clicked = true; });
        const QPointF at(button.rect().center());
        QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonPress, at, button.mapToGlobal(at),
                                                             Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonRelease, at, button.mapToGlobal(at),
                                                             Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        QTRY_VERIFY_WITH_TIMEOUT(clicked, 1000);
        QVERIFY2(!m_server->answered().contains(QStringLiteral("HEAD /slow/clip.mpg")),
                 "the click was handled only after the server answered");
        QCOMPARE(m_app->guard().awaitedAddress(), slow);
        QVERIFY(!videoPageShows());

        // Then the same as with an answer at once: the video plays, the browser stays where it was.
        QTRY_VERIFY_WITH_TIMEOUT(videoPageShows(), kLoadTimeoutMs);
        waitUntilPlayingOnward();
        QCOMPARE(fileContents(QDir(videoFolder()).filePath(QStringLiteral("clip.mpg"))), m_mpg);
        QCOMPARE(m_server->requestCount(QStringLiteral("/slow/clip.mpg"), "HEAD"), 1);
        QCOMPARE(m_server->requestCount(QStringLiteral("/slow/clip.mpg"), "GET"), 1);
        QCOMPARE(m_app->navigation().navState(), NavState::Ready);
        QCOMPARE(m_app->browser().location(), start());
        QVERIFY(m_app->guard().awaitedAddress().isEmpty());
        backToTheStartPage();
    }

    void storedVideoPlaysWithoutATransfer()
    {
        m_server->clearRequests();
        clickLink(QStringLiteral("mpg"));
        QTRY_VERIFY_WITH_TIMEOUT(videoPageShows(), kLoadTimeoutMs);
        waitUntilPlayingOnward();
        pictureMatchesQtsConversion(); // MPEG-1: planar studio-swing YUV
        QCOMPARE(m_server->requestCount(QStringLiteral("/films/clip.mpg"), "GET"), 0);
        QCOMPARE(m_server->requestCount(QStringLiteral("/films/clip.mpg"), "HEAD"), 1);
        backToTheStartPage();
    }

    void wideAviPlaysLetterBoxed()
    {
        clickLink(QStringLiteral("avi"));
        QTRY_VERIFY_WITH_TIMEOUT(videoPageShows(), kLoadTimeoutMs);
        waitUntilPlayingOnward();
        auto *screen = widget<VideoScreen>(QStringLiteral("DSVideoWindowEx21"));
        QVERIFY(screen);
        QTRY_COMPARE_WITH_TIMEOUT(screen->naturalSize(), QSize(160, 90), kLoadTimeoutMs);
        QCOMPARE(screen->movieBox(), QRect(0, 48, 441, 248));
        backToTheStartPage();
    }

    void movieStopsAtItsBeginningAndPausesWhereItIs()
    {
        clickLink(QStringLiteral("mov"));
        QTRY_VERIFY_WITH_TIMEOUT(videoPageShows(), kLoadTimeoutMs);
        QMediaPlayer *movie = page().movie()->mediaPlayer();
        QTRY_COMPARE_WITH_TIMEOUT(movie->playbackState(), QMediaPlayer::PlayingState, kLoadTimeoutMs);
        QVERIFY(widget<QWidget>(QStringLiteral("QTMovie1"))->isVisible());
        QVERIFY(!widget<QWidget>(QStringLiteral("DSVideoWindowEx21"))->isVisible());
        QVERIFY(QFile::exists(QDir(videoFolder()).filePath(QStringLiteral("movie.mov"))));
        QTRY_VERIFY_WITH_TIMEOUT(movie->position() > 500, kLoadTimeoutMs);

        QTest::mouseClick(widget<QAbstractButton>(QStringLiteral("ImgBtn11")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(movie->playbackState(), QMediaPlayer::PausedState, kLoadTimeoutMs);
        const qint64 pausedAt = movie->position();
        QTest::mouseClick(widget<QAbstractButton>(QStringLiteral("ImgBtn10")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(movie->playbackState(), QMediaPlayer::PlayingState, kLoadTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(movie->position() > pausedAt, kLoadTimeoutMs);

        // Stop goes back to the beginning and keeps the movie; play starts there.
        QTest::mouseClick(widget<QAbstractButton>(QStringLiteral("ImgBtn12")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(movie->position(), qint64(0), kLoadTimeoutMs);
        QVERIFY(movie->playbackState() != QMediaPlayer::PlayingState);
        QVERIFY(!movie->source().isEmpty());
        QTest::mouseClick(widget<QAbstractButton>(QStringLiteral("ImgBtn10")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(movie->playbackState(), QMediaPlayer::PlayingState, kLoadTimeoutMs);
        QVERIFY(movie->position() < pausedAt);
        backToTheStartPage();
        QVERIFY(movie->source().isEmpty());
    }

    void soundOnlyFillsTheScreenWithItsColour()
    {
        clickLink(QStringLiteral("sound"));
        QTRY_VERIFY_WITH_TIMEOUT(videoPageShows(), kLoadTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(graph()->playbackState(), QMediaPlayer::PlayingState, kLoadTimeoutMs);
        QTest::qWait(300);
        auto *screen = widget<VideoScreen>(QStringLiteral("DSVideoWindowEx21"));
        QVERIFY(screen->naturalSize().isEmpty());
        QCOMPARE(screen->movieBox(), screen->rect());
        const QImage shot = screen->grab().toImage();
        QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() / 2), screen->colour());
        backToTheStartPage();
    }

    void aFileThePlayerCannotPlayLeavesThePlaceholder()
    {
        clickLink(QStringLiteral("bad"));
        QTRY_VERIFY_WITH_TIMEOUT(videoPageShows(), kLoadTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QDir(videoFolder()).filePath(QStringLiteral("broken.mpg"))), kLoadTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(widget<QWidget>(QStringLiteral("Image19"))->isVisible(), kLoadTimeoutMs);
        QVERIFY(!widget<QWidget>(QStringLiteral("DSVideoWindowEx21"))->isVisible());
        backToTheStartPage();
    }

    void kindNotAllowedShowsForbidden2AndFetchesNothing()
    {
        QVERIFY(QFile::remove(QDir(videoFolder()).filePath(QStringLiteral("clip.mpg"))));
        m_app->profile().Toonmpg = false;
        m_server->clearRequests();
        m_sound.played.clear();
        clickLink(QStringLiteral("mpg"));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().navState(), NavState::Forbidden2, kLoadTimeoutMs);
        QVERIFY(m_sound.played.contains(QStringLiteral("verboden.wav")));
        QTest::qWait(500);
        QVERIFY(!videoPageShows());
        QCOMPARE(m_server->requestCount(QStringLiteral("/films/clip.mpg"), "GET"), 0);
        QCOMPARE(m_server->requestCount(QStringLiteral("/films/clip.mpg"), "HEAD"), 0); // refused, so never asked
        QVERIFY(!QFile::exists(QDir(videoFolder()).filePath(QStringLiteral("clip.mpg"))));
        QCOMPARE(m_app->browser().location(), start());
        m_app->profile().Toonmpg = true;
    }

    void aVideoThatRedirectsOffTheListsIsNeverFetched()
    {
        m_server->clearRequests();
        clickLink(QStringLiteral("elsewhere"));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().navState(), NavState::Broken, kLoadTimeoutMs);
        QTest::qWait(500);
        // Asked and answered as a video, its redirect judged and not followed: nothing stored, nothing played.
        QCOMPARE(m_server->requestCount(QStringLiteral("/films/elsewhere.avi"), "GET"), 1);
        QCOMPARE(m_server->requestCount(QStringLiteral("/films/wide.avi")), 0);
        QVERIFY(!QFile::exists(QDir(videoFolder()).filePath(QStringLiteral("elsewhere.avi"))));
        backToTheStartPage();
    }

    void aZipDownloadLeavesNoFileAndNoDialog()
    {
        QStringList before;
        for (QDirIterator it(m_dir.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            before.append(it.next());
        m_sound.played.clear();
        clickLink(QStringLiteral("zip"));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().navState(), NavState::Forbidden2, kLoadTimeoutMs);
        QTest::qWait(500);
        QStringList after;
        for (QDirIterator it(m_dir.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            after.append(it.next());
        before.sort();
        after.sort();
        QCOMPARE(after, before);
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible() || w == &window(), qPrintable(w->objectName()));
        QCOMPARE(m_app->browser().location(), start());
        QVERIFY(!videoPageShows());
    }

    void signedUpdateInstallsAfterTheRightPassword()
    {
        offerUpdate(QStringLiteral("3.0.1"), QStringLiteral("/dl/tovalin-3.0.1.deb"));
        // The update timer fires (the parents opened their menu five seconds ago).
        window().updateTimer()->setInterval(0);
        window().updateTimer()->start();
        UpdateDialog *dialog = m_app->media().updateOffer().dialog();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), kLoadTimeoutMs);
        QVERIFY(!window().updateTimer()->isActive());
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("versie"))->text(), QStringLiteral("version: 3.0.1"));

        auto *password = dialog->findChild<QLineEdit *>(QStringLiteral("ALEdit1"));
        auto *download = dialog->findChild<QAbstractButton *>(QStringLiteral("Button1"));
        QTest::keyClicks(password, QStringLiteral("wrong"));
        QStringList messages = closingMessageBoxes([&] { download->click(); }, [] { return false; }, 300);
        QCOMPARE(messages, QStringList{QStringLiteral("Downloading of updates is password protected\n       Wrong password!       ")});
        QVERIFY(password->text().isEmpty());
        QVERIFY(dialog->isVisible());
        QVERIFY(m_launched.isEmpty());

        QSignalSpy ended(&m_app->media().updateOffer(), &UpdateOffer::downloadEnded);
        QTest::keyClicks(password, kPassword);
        QTest::keyClick(password, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, kLoadTimeoutMs);
        QCOMPARE(ended.first().first().toBool(), true);
        const QString installer = m_app->state().downloadsFolder() + QStringLiteral("/tovalin-3.0.1.deb");
        QCOMPARE(m_launched, QStringList{installer});
        QCOMPARE(fileContents(installer), m_installer);
        QCOMPARE(m_quits, 1);
        QVERIFY(!dialog->isVisible());
    }

    void wronglySignedUpdateIsRefused()
    {
        m_launched.clear();
        m_quits = 0;
        offerUpdate(QStringLiteral("3.0.2"), QStringLiteral("/dl/tovalin-3.0.2.deb"));
        m_app->media().updateOffer().check();
        UpdateDialog *dialog = m_app->media().updateOffer().dialog();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), kLoadTimeoutMs);
        QSignalSpy ended(&m_app->media().updateOffer(), &UpdateOffer::downloadEnded);
        auto *password = dialog->findChild<QLineEdit *>(QStringLiteral("ALEdit1"));
        QTest::keyClicks(password, kPassword);
        const QStringList messages = closingMessageBoxes([&] { QTest::keyClick(password, Qt::Key_Return); },
                                                         [&] { return !ended.isEmpty() && !dialog->isVisible(); });
        QCOMPARE(messages, QStringList{QStringLiteral("The download failed. Please try again later")});
        QCOMPARE(ended.first().first().toBool(), false);
        QVERIFY(m_launched.isEmpty());
        QCOMPARE(m_quits, 0);
        QVERIFY(!QFile::exists(m_app->state().downloadsFolder() + QStringLiteral("/tovalin-3.0.2.deb")));
    }
};

QTEST_MAIN(TestVideosAndUpdate)
#include "test_videos_and_update.moc"
