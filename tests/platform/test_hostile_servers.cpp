// Every network client against a server that misbehaves on purpose: each ends within its
// time-out with the failure it names, leaves no partial file, and keeps its memory flat.

#include "platform/curl_head_probe.h"
#include "platform/transfer.h"
#include "support/hostile_server.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(tovalin::TransferFailure)
Q_DECLARE_METATYPE(tovalin::test::Hostility)

using namespace tovalin;
using tovalin::test::Hostility;
using tovalin::test::HostileServer;

namespace {

// The resident memory of this process, in bytes.
qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

TransferResult runToEnd(const TransferRequest &request)
{
    Transfer transfer(request);
    QSignalSpy finished(&transfer, &Transfer::finished);
    transfer.start();
    // Far beyond any client's own time-out: reaching it means the client never ended.
    if (!finished.wait(120000))
        return {};
    return transfer.result();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class TestHostileServers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
    }

    // The transfer client behind every download: videos, theme archives, the version file and
    // the installer all end the way it does.
    void transferIntoAFile_data()
    {
        QTest::addColumn<Hostility>("hostility");
        QTest::addColumn<TransferFailure>("failure");
        QTest::addColumn<int>("maxRedirects"); // libcurl follows these itself (a transfer the parent started)
        QTest::newRow("silent") << Hostility::Silent << TransferFailure::TimedOut << 0;
        QTest::newRow("headersThenSilent") << Hostility::HeadersThenSilent << TransferFailure::TimedOut << 0;
        QTest::newRow("halfThenClose") << Hostility::HalfThenClose << TransferFailure::Incomplete << 0;
        QTest::newRow("longerThanAnnounced") << Hostility::LongerThanAnnounced << TransferFailure::LongerThanAnnounced << 0;
        QTest::newRow("redirectForever") << Hostility::RedirectForever << TransferFailure::TooManyRedirects << int(TransferRequest::kMostRedirects);
        // The child's fetch follows no redirect nobody judged; its body is never stored.
        QTest::newRow("redirectOfAChildsFetch") << Hostility::RedirectForever << TransferFailure::Redirected << 0;
        QTest::newRow("gigabytes") << Hostility::Gigabytes << TransferFailure::TooLarge << 0;
        QTest::newRow("gigabytesUnannounced") << Hostility::GigabytesUnannounced << TransferFailure::TooLarge << 0;
        QTest::newRow("trickle") << Hostility::Trickle << TransferFailure::TimedOut << 0;
        QTest::newRow("drip") << Hostility::Drip << TransferFailure::TimedOut << 0;
        QTest::newRow("trickleHeaders") << Hostility::TrickleHeaders << TransferFailure::TimedOut << 0;
        QTest::newRow("garbage") << Hostility::Garbage << TransferFailure::Other << 0;
    }

    void transferIntoAFile()
    {
        QFETCH(Hostility, hostility);
        QFETCH(TransferFailure, failure);
        QFETCH(int, maxRedirects);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("clip.wmv"));
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        TransferRequest request;
        request.address = m_server.address(hostility, QStringLiteral("clip.wmv"));
        request.targetFile = target;
        request.silenceTimeoutSeconds = 2;
        request.maxBytes = 8 * 1024 * 1024;
        request.maxRedirects = maxRedirects;
        const TransferResult result = runToEnd(request);
        QCOMPARE(transferFailureName(result.failure), transferFailureName(failure));
        // The older file of that name is untouched, and nothing else is left behind.
        QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("clip.wmv")});
        QFile kept(target);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old"));
    }

    void gigabytesKeepMemoryFlat()
    {
        // Into a file: the body streams through, whatever its length, until the limit.
        QTemporaryDir dir;
        TransferRequest request;
        request.address = m_server.address(Hostility::GigabytesUnannounced, QStringLiteral("big.mpg"));
        request.targetFile = dir.filePath(QStringLiteral("big.mpg"));
        request.maxBytes = 200 * 1024 * 1024;
        const qint64 before = residentBytes();
        TransferResult result = runToEnd(request);
        const qint64 afterFile = residentBytes();
        QCOMPARE(transferFailureName(result.failure), transferFailureName(TransferFailure::TooLarge));
        QVERIFY(result.received > 100 * 1024 * 1024);
        QVERIFY2(afterFile - before < 32 * 1024 * 1024,
                 qPrintable(QStringLiteral("resident memory grew by %1 MB for a body of %2 MB")
                                .arg((afterFile - before) >> 20).arg(result.received >> 20)));
        QCOMPARE(filesIn(dir.path()), QStringList());

        // Into memory: held to the memory limit, and given back.
        request.targetFile.clear();
        request.maxBytes = -1;
        result = runToEnd(request);
        QCOMPARE(transferFailureName(result.failure), transferFailureName(TransferFailure::TooLarge));
        QVERIFY(result.received <= TransferRequest::kMemoryLimit);
        result = {};
        QVERIFY2(residentBytes() - before < TransferRequest::kMemoryLimit + 32 * 1024 * 1024,
                 qPrintable(QStringLiteral("resident memory grew by %1 MB").arg((residentBytes() - before) >> 20)));
    }

    // The guard's HEAD request blocks the window, so it must end within its own time-out
    // whatever the server does; what arrives in time is its answer.
    void headProbe_data()
    {
        QTest::addColumn<Hostility>("hostility");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<qint64>("length");
        QTest::newRow("silent") << Hostility::Silent << false << qint64(-1);
        QTest::newRow("headersThenSilent") << Hostility::HeadersThenSilent << true << HostileServer::kAnnouncedBytes;
        QTest::newRow("halfThenClose") << Hostility::HalfThenClose << true << HostileServer::kAnnouncedBytes;
        QTest::newRow("longerThanAnnounced") << Hostility::LongerThanAnnounced << true << HostileServer::kAnnouncedBytes;
        QTest::newRow("redirectForever") << Hostility::RedirectForever << false << qint64(-1);
        QTest::newRow("gigabytes") << Hostility::Gigabytes << true << HostileServer::kGigabytes;
        QTest::newRow("gigabytesUnannounced") << Hostility::GigabytesUnannounced << true << qint64(-1);
        QTest::newRow("trickle") << Hostility::Trickle << true << HostileServer::kAnnouncedBytes;
        QTest::newRow("drip") << Hostility::Drip << true << HostileServer::kAnnouncedBytes;
        QTest::newRow("trickleHeaders") << Hostility::TrickleHeaders << false << qint64(-1);
        QTest::newRow("garbage") << Hostility::Garbage << false << qint64(-1);
    }

    void headProbe()
    {
        QFETCH(Hostility, hostility);
        QFETCH(bool, answers);
        QFETCH(qint64, length);
        CurlHeadProbe probe;
        QElapsedTimer clock;
        clock.start();
        const HeadAnswer answer = probe.head(m_server.address(hostility, QStringLiteral("clip.wmv")));
        // Twice its time-out at most, so a probe that ignored it would show.
        QVERIFY2(clock.elapsed() < 2 * CurlHeadProbe::kTimeoutMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(answer.ok, answers);
        QCOMPARE(answer.contentLength, length);
    }

private:
    HostileServer m_server;
};

QTEST_GUILESS_MAIN(TestHostileServers)
#include "test_hostile_servers.moc"
