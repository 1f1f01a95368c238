// The transfer client against a local HTTP server, a scripted raw server that
// misbehaves on purpose, and a local anonymous FTP server.

#include "platform/curl_head_probe.h"
#include "platform/transfer.h"
#include "ui/support_http_server.h"
#include "ui/support_raw_server.h"
#include "ui/support_server_thread.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(tovalin::TransferFailure)

using namespace tovalin;
using tovalin::test::RawServer;
using tovalin::test::TestHttpServer;

namespace {

QByteArray randomBytes(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (char &c : data)
        c = char(QRandomGenerator::global()->bounded(256));
    return data;
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// Starts the transfer and waits for its end; the local servers keep answering meanwhile.
TransferResult runToEnd(Transfer &transfer, int waitMs = 20000)
{
    QSignalSpy finished(&transfer, &Transfer::finished);
    transfer.start();
    if (!finished.wait(waitMs))
        return {};
    return transfer.result();
}

TransferResult runToEnd(const TransferRequest &request)
{
    Transfer transfer(request);
    return runToEnd(transfer);
}

} // namespace

class TestTransfer : public QObject {
    Q_OBJECT

private slots:
    // Every test starts with an empty folder of its own.
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void initTestCase()
    {
        QVERIFY(m_http.isListening());
        m_body = randomBytes(300 * 1024);
        m_http.addRoute(QStringLiteral("/clip.mpg"), m_body, "video/mpeg");
        m_http.addRoute(QStringLiteral("/small.asx"), "<asx/>", "video/x-ms-asf");
        for (int i = 1; i <= 6; ++i)
            m_http.addRedirect(QStringLiteral("/r%1").arg(i), i == 1 ? QStringLiteral("/clip.mpg") : QStringLiteral("/r%1").arg(i - 1));
    }

    void getIntoFileWithProgress()
    {
        TransferRequest request;
        request.address = m_http.address(QStringLiteral("/clip.mpg"));
        request.targetFile = m_dir->filePath(QStringLiteral("clip.mpg"));
        Transfer transfer(request);
        QSignalSpy announced(&transfer, &Transfer::sizeAnnounced);
        QSignalSpy progress(&transfer, &Transfer::progressed);
        const TransferResult result = runToEnd(transfer);
        QVERIFY2(result.ok(), qPrintable(transferFailureName(result.failure) + u' ' + result.error));
        QCOMPARE(result.status, 200);
        QCOMPARE(result.contentType, QStringLiteral("video/mpeg"));
        QCOMPARE(result.contentLength, qint64(m_body.size()));
        QVERIFY(result.body.isEmpty());
        QCOMPARE(fileContents(request.targetFile), m_body);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.first().first().toLongLong(), qint64(m_body.size()));
        QVERIFY(!progress.isEmpty());
        qint64 last = 0;
        for (const QList<QVariant> &step : progress) {
            QVERIFY(step.at(0).toLongLong() >= last);
            last = step.at(0).toLongLong();
        }
        QCOMPARE(last, qint64(m_body.size()));
    }

    void getIntoMemoryAndHead()
    {
        TransferRequest request;
        request.address = m_http.address(QStringLiteral("/r5")); // a parent's transfer follows five redirects
        request.maxRedirects = TransferRequest::kMostRedirects;
        TransferResult result = runToEnd(request);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.body, m_body);

        request.address = m_http.address(QStringLiteral("/small.asx"));
        request.method = TransferMethod::Head;
        result = runToEnd(request);
        QVERIFY(result.ok());
        QCOMPARE(result.contentType, QStringLiteral("video/x-ms-asf"));
        QCOMPARE(result.contentLength, qint64(6));
        QVERIFY(result.body.isEmpty());
    }

    void headProbeBlocksOnTheCallingThread()
    {
        // The guard's probe waits on the main thread, so this server answers from its own.
        tovalin::test::ServerThread server;
        QVERIFY(server.isListening());
        server.addRoute(QStringLiteral("/small.asx"), "<asx/>", "video/x-ms-asx");
        server.addRedirect(QStringLiteral("/moved.wmv"), QStringLiteral("/small.asx"));
        CurlHeadProbe probe;
        HeadAnswer answer = probe.head(server.address(QStringLiteral("/small.asx")));
        QVERIFY(answer.ok);
        QCOMPARE(answer.contentType, QStringLiteral("video/x-ms-asx"));
        QCOMPARE(answer.contentLength, qint64(6));
        // Where a redirect leads is asked only when the judge allows going there; else the
        // redirect is no answer at all.
        answer = probe.head(server.address(QStringLiteral("/moved.wmv")));
        QVERIFY(!answer.ok);
        QCOMPARE(server.requestCount(QStringLiteral("/small.asx")), 1);
        QStringList judged;
        probe.setRedirectJudge([&](const QString &address) {
            judged << address;
            return judged.size() == 2; // refuses the first time, allows the second
        });
        QVERIFY(!probe.head(server.address(QStringLiteral("/moved.wmv"))).ok);
        QCOMPARE(server.requestCount(QStringLiteral("/small.asx")), 1);
        answer = probe.head(server.address(QStringLiteral("/moved.wmv")));
        QVERIFY(answer.ok);
        QCOMPARE(answer.contentType, QStringLiteral("video/x-ms-asx"));
        QCOMPARE(judged, QStringList(2, server.address(QStringLiteral("/small.asx"))));
        answer = probe.head(QStringLiteral("gopher://127.0.0.1/x.wmv"));
        QVERIFY(!answer.ok);
    }

    void failuresLeaveTheOldFileAlone_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<bool>("folderMissing");
        QTest::addColumn<TransferFailure>("failure");
        QTest::newRow("notFound") << m_http.address(QStringLiteral("/missing.mpg")) << qint64(-1) << false
                                  << TransferFailure::ServerError;
        QTest::newRow("sixRedirects") << m_http.address(QStringLiteral("/r6")) << qint64(-1) << false
                                      << TransferFailure::TooManyRedirects;
        QTest::newRow("announcedTooLarge") << m_http.address(QStringLiteral("/clip.mpg")) << qint64(1000) << false
                                           << TransferFailure::TooLarge;
        QTest::newRow("notAWebAddress") << QStringLiteral("file:///etc/hostname") << qint64(-1) << false
                                        << TransferFailure::BadAddress;
        QTest::newRow("targetFolderMissing") << m_http.address(QStringLiteral("/clip.mpg")) << qint64(-1) << true
                                             << TransferFailure::File;
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        const quint16 port = closed.serverPort();
        closed.close();
        QTest::newRow("connectionRefused") << QStringLiteral("http://127.0.0.1:%1/clip.mpg").arg(port) << qint64(-1)
                                           << false << TransferFailure::Connect;
    }

    void failuresLeaveTheOldFileAlone()
    {
        QFETCH(QString, address);
        QFETCH(qint64, maxBytes);
        QFETCH(bool, folderMissing);
        QFETCH(TransferFailure, failure);
        const QString target = folderMissing ? m_dir->filePath(QStringLiteral("no/such/folder/clip.mpg"))
                                             : m_dir->filePath(QStringLiteral("old.mpg"));
        if (!folderMissing)
            QVERIFY(writeFile(target, "old"));
        TransferRequest request;
        request.address = address;
        request.targetFile = target;
        request.maxBytes = maxBytes;
        request.maxRedirects = TransferRequest::kMostRedirects;
        const TransferResult result = runToEnd(request);
        QCOMPARE(transferFailureName(result.failure), transferFailureName(failure));
        if (folderMissing)
            QVERIFY(!QFile::exists(target));
        else
            QCOMPARE(fileContents(target), QByteArray("old"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), folderMissing ? QStringList() : QStringList{QStringLiteral("old.mpg")});
    }

    void serversThatLieAboutTheLength()
    {
        // Longer than announced: caught although curl would have stopped at the length.
        RawServer longer("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n" + QByteArray(100, 'x'), RawServer::After::Close);
        TransferRequest request;
        request.address = longer.address(QStringLiteral("/a.mpg"));
        request.targetFile = m_dir->filePath(QStringLiteral("a.mpg"));
        TransferResult result = runToEnd(request);
        QCOMPARE(transferFailureName(result.failure), transferFailureName(TransferFailure::LongerThanAnnounced));
        QVERIFY(!QFile::exists(request.targetFile));

        RawServer shorter("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n" + QByteArray(10, 'x'), RawServer::After::Close);
        request.address = shorter.address(QStringLiteral("/a.mpg"));
        result = runToEnd(request);
        QCOMPARE(transferFailureName(result.failure), transferFailureName(TransferFailure::Incomplete));
        QVERIFY(!QFile::exists(request.targetFile));

        // A server that keeps the connection open after the whole body still gives the file.
        RawServer open("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n" + QByteArray(10, 'x'), RawServer::After::StayOpen);
        request.address = open.address(QStringLiteral("/a.mpg"));
        result = runToEnd(request);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(fileContents(request.targetFile), QByteArray(10, 'x'));
    }

    void cancelEndsTheTransferAndDropsThePartialFile()
    {
        // Headers and part of the body, then nothing: the transfer hangs until cancelled.
        RawServer stall("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + QByteArray(5000, 'x'), RawServer::After::StayOpen);
        TransferRequest request;
        request.address = stall.address(QStringLiteral("/clip.mpg"));
        request.targetFile = m_dir->filePath(QStringLiteral("partial.mpg"));
        Transfer transfer(request);
        QSignalSpy progress(&transfer, &Transfer::progressed);
        QSignalSpy finished(&transfer, &Transfer::finished);
        transfer.start();
        QVERIFY(progress.wait(10000));
        QVERIFY(transfer.isRunning());
        transfer.cancel();
        QVERIFY(finished.wait(5000));
        QCOMPARE(transferFailureName(transfer.result().failure), transferFailureName(TransferFailure::Cancelled));
        QVERIFY(!QFile::exists(request.targetFile));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());

        // Destroying a running transfer cancels it too, and leaves nothing behind.
        {
            Transfer doomed(request);
            QSignalSpy started(&doomed, &Transfer::progressed);
            doomed.start();
            QVERIFY(started.wait(10000));
        }
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
    }

    void aSilentServerTimesOut()
    {
        RawServer silent(QByteArray(), RawServer::After::StayOpen);
        TransferRequest request;
        request.address = silent.address(QStringLiteral("/clip.mpg"));
        request.silenceTimeoutSeconds = 1;
        const TransferResult result = runToEnd(request);
        QCOMPARE(transferFailureName(result.failure), transferFailureName(TransferFailure::TimedOut));
    }

    void anonymousFtpWithSizeQuery()
    {
        QTemporaryDir root;
        const QByteArray clip = randomBytes(200 * 1024);
        QVERIFY(writeFile(root.filePath(QStringLiteral("Clip.mpg")), clip));
        QVERIFY(writeFile(root.filePath(QStringLiteral("lies.mpg")), QByteArray(5000, 'y')));
        // The server answers the size query of lies.mpg with 100 while it sends 5000 bytes.
        QProcess server;
        server.setProgram(python());
        server.setArguments({QStringLiteral(TOVALIN_TEST_DATA "/ftp_server.py"), root.path(), QStringLiteral("lies.mpg=100")});
        server.start();
        if (!server.waitForStarted(5000))
            QSKIP("python3 cannot be started");
        if (!server.waitForReadyRead(10000)) {
            server.kill();
            server.waitForFinished();
            QFAIL(qPrintable(QStringLiteral("the FTP server did not start (is python3-pyftpdlib installed?): ")
                             + QString::fromUtf8(server.readAllStandardError())));
        }
        const QString base = QStringLiteral("ftp://127.0.0.1:%1/").arg(QString::fromLatin1(server.readLine().trimmed()));

        TransferRequest request;
        request.address = base + QStringLiteral("Clip.mpg"); // letter case kept: the server's names are case-sensitive
        request.targetFile = m_dir->filePath(QStringLiteral("clip.mpg"));
        Transfer transfer(request);
        QSignalSpy announced(&transfer, &Transfer::sizeAnnounced);
        TransferResult result = runToEnd(transfer);
        QVERIFY2(result.ok(), qPrintable(transferFailureName(result.failure) + u' ' + result.error));
        QCOMPARE(fileContents(request.targetFile), clip);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.first().first().toLongLong(), qint64(clip.size()));

        request.method = TransferMethod::Head;
        request.targetFile.clear();
        result = runToEnd(request);
        QVERIFY(result.ok());
        QCOMPARE(result.contentLength, qint64(clip.size()));

        request.method = TransferMethod::Get;
        request.targetFile = m_dir->filePath(QStringLiteral("lies.mpg"));
        request.address = base + QStringLiteral("lies.mpg");
        result = runToEnd(request);
        QCOMPARE(transferFailureName(result.failure), transferFailureName(TransferFailure::LongerThanAnnounced));
        QVERIFY(!QFile::exists(request.targetFile));

        request.address = base + QStringLiteral("missing.mpg");
        result = runToEnd(request);
        QCOMPARE(transferFailureName(result.failure), transferFailureName(TransferFailure::ServerError));
        QVERIFY(!QFile::exists(request.targetFile));

        request.address = base + QStringLiteral("Clip.mpg");
        request.maxBytes = 1000;
        result = runToEnd(request);
        QCOMPARE(transferFailureName(result.failure), transferFailureName(TransferFailure::TooLarge));

        server.kill();
        server.waitForFinished();
    }

private:
    // Debian's own interpreter, which has the FTP server module; a user's own python3 may not.
    static QString python()
    {
        return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    TestHttpServer m_http;
    QByteArray m_body;
};

QTEST_GUILESS_MAIN(TestTransfer)
#include "test_transfer.moc"
