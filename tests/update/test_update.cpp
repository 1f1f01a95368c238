// The update: version comparison, the vendor's signature, the version check
// against a local server, and the installer download with its signature.

#include "update/update_check.h"
#include "update/update_download.h"
#include "update/update_signature.h"
#include "update/version.h"
#include "ui/support_http_server.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <sodium.h>

using namespace tovalin;
using tovalin::test::TestHttpServer;

namespace {

struct KeyPair {
    QByteArray publicKey = QByteArray(crypto_sign_PUBLICKEYBYTES, 0);
    QByteArray secretKey = QByteArray(crypto_sign_SECRETKEYBYTES, 0);
    KeyPair() { crypto_sign_keypair(reinterpret_cast<unsigned char *>(publicKey.data()), reinterpret_cast<unsigned char *>(secretKey.data())); }
    QString publicBase64() const { return QString::fromLatin1(publicKey.toBase64()); }
    QByteArray sign(const QByteArray &message) const
    {
        QByteArray signature(crypto_sign_BYTES, 0);
        crypto_sign_detached(reinterpret_cast<unsigned char *>(signature.data()), nullptr,
                             reinterpret_cast<const unsigned char *>(message.constData()), message.size(),
                             reinterpret_cast<const unsigned char *>(secretKey.constData()));
        return signature;
    }
};

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray versionFile(const QString &version, const QString &address)
{
    return QStringLiteral("[CurrentVersions]\r\nTovalin - De Varnebrowser=%1\r\n[DownloadURL]\r\nTovalin - De Varnebrowser=%2\r\n")
        .arg(version, address)
        .toUtf8();
}

} // namespace

Q_DECLARE_METATYPE(tovalin::updatesig::Check)
Q_DECLARE_METATYPE(tovalin::UpdateDownload::Failure)

class TestUpdate : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TestHttpServer m_http;
    KeyPair m_vendor;
    KeyPair m_stranger;
    QByteArray m_installer;

    UpdateChecker::Settings checkSettings(const QString &versionPath) const
    {
        UpdateChecker::Settings s;
        s.URLCurrVerFile = m_http.address(versionPath);
        s.TempFile = m_dir.filePath(QStringLiteral("currver.tmp"));
        s.UpdateKey = m_vendor.publicBase64();
        s.runningVersion = QStringLiteral("3.0.0.4");
        return s;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(sodium_init() >= 0);
        QVERIFY(m_http.isListening());
        m_installer = QByteArray("#!/bin/sh\necho installing\n") + QByteArray(20000, '#');
        m_http.addRoute(QStringLiteral("/dl/setup-3.0.1.deb"), m_installer, "application/octet-stream");
        m_http.addRoute(QStringLiteral("/dl/setup-3.0.1.deb.sig"), m_vendor.sign(m_installer).toBase64(), "text/plain");
        m_http.addRoute(QStringLiteral("/dl/raw.deb"), m_installer, "application/octet-stream");
        m_http.addRoute(QStringLiteral("/dl/raw.deb.sig"), m_vendor.sign(m_installer), "application/octet-stream");
        m_http.addRoute(QStringLiteral("/dl/stranger.deb"), m_installer, "application/octet-stream");
        m_http.addRoute(QStringLiteral("/dl/stranger.deb.sig"), m_stranger.sign(m_installer).toBase64(), "text/plain");
        m_http.addRoute(QStringLiteral("/dl/unsigned.deb"), m_installer, "application/octet-stream");
        QByteArray tampered = m_installer;
        tampered[10] = 'X';
        m_http.addRoute(QStringLiteral("/dl/tampered.deb"), tampered, "application/octet-stream");
        m_http.addRoute(QStringLiteral("/dl/tampered.deb.sig"), m_vendor.sign(m_installer).toBase64(), "text/plain");
    }

    void versionComparison_data()
    {
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<bool>("newer");
        QTest::newRow("nextBuild") << "3.0.0.4" << "3.0.0.5" << true;
        QTest::newRow("sameVersion") << "3.0.0.4" << "3.0.0.4" << false;
        QTest::newRow("olderVersion") << "3.0.0.4" << "3.0.0.3" << false;
        QTest::newRow("shorterButNewer") << "3.0.0.4" << "3.0.1" << true;
        QTest::newRow("partsAreNumbers") << "3.0.0.9" << "3.0.0.10" << true;
        QTest::newRow("leadingZeros") << "3.0.0.4" << "3.0.0.04" << false;
        QTest::newRow("missingPartsAreZero") << "3.0.0.0" << "3.0" << false;
        QTest::newRow("hugePart") << "3.0.0.4" << "3.0.0.123456789012345678901234567890" << true;
        QTest::newRow("letters") << "3.0.0.4" << "3.0.1b" << false;
        QTest::newRow("empty") << "3.0.0.4" << "" << false;
        QTest::newRow("emptyPart") << "3.0.0.4" << "3..1" << false;
        QTest::newRow("trailingPoint") << "3.0.0.4" << "4." << false;
        QTest::newRow("blank") << "3.0.0.4" << "3.0.1 " << false;
    }

    void versionComparison()
    {
        QFETCH(QString, running);
        QFETCH(QString, offered);
        QFETCH(bool, newer);
        QCOMPARE(version::isNewer(running, offered), newer);
    }

    void signature_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("signature");
        QTest::addColumn<QString>("key");
        QTest::addColumn<updatesig::Check>("check");
        const QByteArray file("the installer");
        const QByteArray good = m_vendor.sign(file);
        QTest::newRow("rawSignature") << file << good << m_vendor.publicBase64() << updatesig::Check::Valid;
        QTest::newRow("base64WithLineEnd") << file << good.toBase64() + "\r\n" << m_vendor.publicBase64() << updatesig::Check::Valid;
        QTest::newRow("missing") << file << QByteArray() << m_vendor.publicBase64() << updatesig::Check::Missing;
        QTest::newRow("notASignature") << file << QByteArray("<html>not found</html>") << m_vendor.publicBase64()
                                       << updatesig::Check::Missing;
        QTest::newRow("wrongKey") << file << m_stranger.sign(file) << m_vendor.publicBase64() << updatesig::Check::Invalid;
        QTest::newRow("tamperedFile") << QByteArray("the installeR") << good << m_vendor.publicBase64() << updatesig::Check::Invalid;
        QTest::newRow("noKey") << file << good << QString() << updatesig::Check::NoKey;
        QTest::newRow("keyNotBase64") << file << good << QStringLiteral("not a key!") << updatesig::Check::BadKey;
        QTest::newRow("emptyFile") << QByteArray() << m_vendor.sign(QByteArray()) << m_vendor.publicBase64() << updatesig::Check::Valid;
    }

    void signature()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, signature);
        QFETCH(QString, key);
        QFETCH(updatesig::Check, check);
        const QString path = m_dir.filePath(QStringLiteral("signed.bin"));
        QVERIFY(writeFile(path, file));
        QCOMPARE(int(updatesig::verifyFile(path, signature, key)), int(check));
    }

    void checkOffersOnlyANewerVersion_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("withKey");
        QTest::addColumn<bool>("fetched");
        QTest::addColumn<bool>("offered");
        const QString address = QStringLiteral("http://www.tovalin.example/dl/setup.deb");
        QTest::newRow("newer") << versionFile("3.0.1", address) << true << true << true;
        QTest::newRow("same") << versionFile("3.0.0.4", address) << true << true << false;
        QTest::newRow("olderByDigitsButNewerByParts") << versionFile("3.0.0.10", address) << true << true << true;
        QTest::newRow("notAVersion") << versionFile("3.1 beta", address) << true << true << false;
        QTest::newRow("withoutTheTitleKey") << QByteArray("[CurrentVersions]\r\nOther=9.9\r\n") << true << true << false;
        QTest::newRow("withoutAnAddress") << versionFile("3.0.1", QString()) << true << true << false;
        QTest::newRow("noVendorKeyNoCheck") << versionFile("3.0.1", address) << false << false << false;
    }

    void checkOffersOnlyANewerVersion()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, withKey);
        QFETCH(bool, fetched);
        QFETCH(bool, offered);
        m_http.addRoute(QStringLiteral("/thuisversie_eng.txt"), file, "text/plain");
        m_http.clearRequests();
        UpdateChecker::Settings settings = checkSettings(QStringLiteral("/thuisversie_eng.txt"));
        if (!withKey)
            settings.UpdateKey.clear();
        UpdateChecker checker(settings);
        QSignalSpy done(&checker, &UpdateChecker::checkDone);
        QSignalSpy offer(&checker, &UpdateChecker::OnGetURLNew);
        checker.check();
        QVERIFY(done.count() == 1 || done.wait(10000));
        QCOMPARE(offer.count(), offered ? 1 : 0);
        QCOMPARE(m_http.requestCount(QStringLiteral("/thuisversie_eng.txt")), fetched ? 1 : 0);
        if (fetched)
            QCOMPARE(QFile(settings.TempFile).size(), qint64(file.size()));
    }

    void unreachableVersionFileSaysNothing()
    {
        UpdateChecker checker(checkSettings(QStringLiteral("/missing.txt")));
        QSignalSpy done(&checker, &UpdateChecker::checkDone);
        QSignalSpy any(&checker, &UpdateChecker::OnGetURL);
        checker.check();
        QVERIFY(done.wait(10000));
        QVERIFY(any.isEmpty());
    }

    void download_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<UpdateDownload::Failure>("failure");
        QTest::newRow("signedBase64") << "/dl/setup-3.0.1.deb" << true << UpdateDownload::Failure::None;
        QTest::newRow("signedRaw") << "/dl/raw.deb" << true << UpdateDownload::Failure::None;
        QTest::newRow("signedByAStranger") << "/dl/stranger.deb" << false << UpdateDownload::Failure::Signature;
        QTest::newRow("noSignature") << "/dl/unsigned.deb" << false << UpdateDownload::Failure::Signature;
        QTest::newRow("tamperedOnTheWay") << "/dl/tampered.deb" << false << UpdateDownload::Failure::Signature;
        QTest::newRow("missingInstaller") << "/dl/gone.deb" << false << UpdateDownload::Failure::Transfer;
        QTest::newRow("noFileName") << "/dl/" << false << UpdateDownload::Failure::NoFileName;
    }

    void download()
    {
        QFETCH(QString, path);
        QFETCH(bool, kept);
        QFETCH(UpdateDownload::Failure, failure);
        QTemporaryDir downloads;
        UpdateDownload download(downloads.path(), m_vendor.publicBase64());
        QSignalSpy succeeded(&download, &UpdateDownload::succeeded);
        QSignalSpy failed(&download, &UpdateDownload::failed);
        download.start(m_http.address(path));
        QTRY_VERIFY_WITH_TIMEOUT(!succeeded.isEmpty() || !failed.isEmpty(), 10000);
        if (kept) {
            QCOMPARE(succeeded.count(), 1);
            const QString file = succeeded.first().first().toString();
            QCOMPARE(QFileInfo(file).dir().path(), downloads.path());
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), m_installer);
        } else {
            QCOMPARE(failed.count(), 1);
            QCOMPARE(failed.first().first().value<UpdateDownload::Failure>(), failure);
            QCOMPARE(QDir(downloads.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        }
    }

    void installerStart()
    {
        // A package goes to the desktop's installer, never run by the program itself.
        QStringList opened;
        const QString deb = m_dir.filePath(QStringLiteral("tovalin.DEB"));
        QVERIFY(writeFile(deb, "package"));
        QVERIFY(launchInstaller(deb, [&](const QString &p) { opened.append(p); return true; }));
        QCOMPARE(opened, QStringList{deb});

        // A program is made executable and started with the installer's switches.
        const QString marker = m_dir.filePath(QStringLiteral("ran.txt"));
        const QString program = m_dir.filePath(QStringLiteral("setup.run"));
        QVERIFY(writeFile(program, QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(marker).toUtf8()));
        QVERIFY(launchInstaller(program, [&](const QString &p) { opened.append(p); return true; }));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker) && QFileInfo(marker).size() > 0, 10000);
        QFile ran(marker);
        QVERIFY(ran.open(QIODevice::ReadOnly));
        QCOMPARE(ran.readAll().trimmed(), QByteArray("/SP- /SILENT /NOICONS"));
        QCOMPARE(opened.size(), 1);

        QVERIFY(!launchInstaller(m_dir.filePath(QStringLiteral("nothing-here")), {}));
    }
};

QTEST_GUILESS_MAIN(TestUpdate)
#include "test_update.moc"
