// Every client that fetches from the network, against every misbehaviour of the hostile
// server at once: the video fetch (videos and stream descriptions), the theme download,
// the version check and the installer download. Each must end with the failure its window
// shows, leave no file where it would have stored one, and never hold up the window's
// thread. All cases run side by side, so the whole test takes one silence time-out.
//
// To add a client: write a start function that runs one fetch in a folder of its own and
// reports its outcome, and add its expected outcome per hostility to the table.

#include "media/video_fetch.h"
#include "platform/transfer.h"
#include "state/program_state.h"
#include "support/hostile_server.h"
#include "themes/theme_download.h"
#include "update/update_check.h"
#include "update/update_download.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace tovalin;
using tovalin::test::Hostility;
using tovalin::test::HostileServer;
using tovalin::test::hostilityName;

namespace {

// Answers every question with Yes and records the messages.
class RecordingThemeDownloadUi : public ThemeDownloadUi {
public:
    bool askYesNo(const QString &) override { return true; }
    QString askNewName() override { return {}; }
    void showProgress(const QString &, const QString &) override {}
    void setProgressStatus(const QString &) override {}
    void setProgress(qint64, qint64) override {}
    void closeProgress() override {}
    void showMessage(const QString &text) override { messages << text; }
    void themeDownloaded(const QString &name) override { downloaded << name; }
    bool activateImported() const override { return false; }
    void activateTheme(const QString &) override {}
    void themesChanged() override {}

    QStringList messages;
    QStringList downloaded;
};

// One fetch in a folder of its own: `outcome` is set once it has ended.
struct Case {
    QString client;
    Hostility hostility;
    std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    std::unique_ptr<RecordingThemeDownloadUi> ui;
    std::unique_ptr<QObject> fetcher;
    QString outcome;
};

using Start = std::function<void(Case &, const QString &address)>;

void startVideo(Case &c, const QString &address)
{
    c.state->DataFolder = c.dir->path();
    QDir().mkpath(c.state->videoFolder());
    auto *fetch = new VideoFetch(*c.state);
    c.fetcher.reset(fetch);
    QObject::connect(fetch, &VideoFetch::statusChanged, fetch, [&c](FetchStatus status) {
        if (status == FetchStatus::Broken)
            c.outcome = QStringLiteral("broken");
    });
    QObject::connect(fetch, &VideoFetch::videoReady, fetch, [&c] { c.outcome = QStringLiteral("played"); });
    QObject::connect(fetch, &VideoFetch::referenceReady, fetch, [&c] { c.outcome = QStringLiteral("opened"); });
    if (c.client == QLatin1String("videoReference"))
        fetch->fetchReference(address, QStringLiteral("asx"));
    else
        fetch->fetchVideo(address, QStringLiteral("mpg"));
}

void startThemeDownload(Case &c, const QString &address)
{
    c.state->DataFolder = c.dir->path();
    QDir().mkpath(c.state->themesFolder());
    c.ui = std::make_unique<RecordingThemeDownloadUi>();
    auto *download = new ThemeDownload(*c.state, *c.ui);
    c.fetcher.reset(download);
    QObject::connect(download, &ThemeDownload::finished, download, [&c](bool imported) {
        c.outcome = imported ? QStringLiteral("imported") : c.ui->messages.value(0, QStringLiteral("no message"));
    });
    download->DownloadTheme(address);
}

void startVersionCheck(Case &c, const QString &address)
{
    UpdateChecker::Settings settings;
    settings.URLCurrVerFile = address;
    settings.TempFile = c.dir->filePath(QStringLiteral("currver.tmp"));
    settings.UpdateKey = QStringLiteral("a key");
    settings.runningVersion = QStringLiteral("3.0.0.4");
    auto *checker = new UpdateChecker(settings);
    c.fetcher.reset(checker);
    auto read = std::make_shared<bool>(false);
    QObject::connect(checker, &UpdateChecker::OnGetURL, checker, [read] { *read = true; });
    QObject::connect(checker, &UpdateChecker::checkDone, checker,
                     [&c, read] { c.outcome = *read ? QStringLiteral("read") : QStringLiteral("nothing"); });
    checker->check();
}

void startInstallerDownload(Case &c, const QString &address)
{
    auto *download = new UpdateDownload(c.dir->path(), QStringLiteral("a key"));
    c.fetcher.reset(download);
    QObject::connect(download, &UpdateDownload::failed, download, [&c](UpdateDownload::Failure why) {
        c.outcome = why == UpdateDownload::Failure::Transfer ? QStringLiteral("transfer failed") : QStringLiteral("failed otherwise");
    });
    QObject::connect(download, &UpdateDownload::succeeded, download, [&c] { c.outcome = QStringLiteral("succeeded"); });
    download->start(address);
}

struct Client {
    QString name;
    QString file; ///< the file name the address ends in
    Start start;
    QString failure; ///< the outcome every hostility must end in
    /// Streaming to this client's limit would write gigabytes to the disk: the transfer client's
    /// own test proves that a body without a length ends at the limit with flat memory.
    bool streamsUnannounced;
};

QStringList filesUnder(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        out << QDir(folder).relativeFilePath(it.filePath());
    }
    return out;
}

} // namespace

class TestHostileClients : public QObject {
    Q_OBJECT

private slots:
    void everyClientFailsCleanlyAgainstEveryHostility()
    {
        HostileServer server;
        QVERIFY(server.isListening());
        const QList<Client> clients = {
            {QStringLiteral("video"), QStringLiteral("clip.mpg"), startVideo, QStringLiteral("broken"), false},
            {QStringLiteral("videoReference"), QStringLiteral("clip.asx"), startVideo, QStringLiteral("broken"), true},
            {QStringLiteral("themeDownload"), QStringLiteral("Dieren.tvz"), startThemeDownload, ThemeDownload::failedServerText(), true},
            {QStringLiteral("versionCheck"), QStringLiteral("thuisversie_eng.txt"), startVersionCheck, QStringLiteral("nothing"), true},
            {QStringLiteral("installer"), QStringLiteral("setup.exe"), startInstallerDownload, QStringLiteral("transfer failed"), false},
        };

        // The window's thread must keep answering while the transfers run.
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&ticks] { ++ticks; });
        tick.start(100);

        std::vector<std::unique_ptr<Case>> cases;
        for (const Client &client : clients) {
            for (const Hostility hostility : tovalin::test::allHostilities()) {
                if (hostility == Hostility::GigabytesUnannounced && !client.streamsUnannounced)
                    continue;
                auto c = std::make_unique<Case>();
                c->client = client.name;
                c->hostility = hostility;
                client.start(*c, server.address(hostility, client.file));
                cases.push_back(std::move(c));
            }
        }
        QElapsedTimer clock;
        clock.start();
        const auto allEnded = [&cases] {
            for (const auto &c : cases)
                if (c->outcome.isEmpty())
                    return false;
            return true;
        };
        // Far beyond the 30-second silence time-out every client keeps.
        QTRY_VERIFY_WITH_TIMEOUT(allEnded(), 150000);
        tick.stop();
        const qint64 elapsed = clock.elapsed();

        for (const auto &c : cases) {
            const Client &client = *std::find_if(clients.cbegin(), clients.cend(), [&c](const Client &k) { return k.name == c->client; });
            const QString what = c->client + u'/' + hostilityName(c->hostility);
            QVERIFY2(c->outcome == client.failure, qPrintable(what + QStringLiteral(": ") + c->outcome));
            // Nothing stored: no partial video, archive, version file or installer, no temporary file.
            QStringList left = filesUnder(c->dir->path());
            QVERIFY2(left.isEmpty(), qPrintable(what + QStringLiteral(" left ") + left.join(u' ')));
        }
        qInfo("%zu fetches ended in %lld ms; the window's thread ticked %d times", cases.size(), elapsed, ticks);
        // A client that blocked the thread for its whole transfer (30 seconds and more) would
        // leave about one tick.
        QVERIFY(ticks >= 10);
    }
};

QTEST_GUILESS_MAIN(TestHostileClients)
#include "test_hostile_clients.moc"
