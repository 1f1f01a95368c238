#pragma once
// The installer download: the installer goes to the `downloads` folder under
// the name its address gives, its detached signature is fetched from the same
// address + ".sig", and the file is kept only when the signature holds.
// Then the installer is started: a ".deb" package is handed to the desktop's
// package installer (never installed behind the parent's back), any other file
// is run with " /SP- /SILENT /NOICONS".

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace tovalin {

class Transfer;

class UpdateDownload : public QObject {
    Q_OBJECT
public:
    /// An installer larger than this is not one.
    static constexpr qint64 kMaxInstallerBytes = qint64(1) * 1024 * 1024 * 1024;
    /// A detached signature is 64 bytes, or about 90 characters of base64.
    static constexpr qint64 kMaxSignatureBytes = 4096;
    /// The arguments an installer that is a program is started with.
    static QStringList installerArguments();

    enum class Failure { None, NoFileName, Transfer, Signature, Cancelled };

    UpdateDownload(QString downloadsFolder, QString updateKey, QObject *parent = nullptr);
    ~UpdateDownload() override;

    /// Downloads the installer at `address` and checks its signature; succeeded() or failed() follows.
    void start(const QString &address);
    /// Ends a running download; its file is not kept. failed(Cancelled) follows.
    void cancel();
    bool busy() const { return m_transfer != nullptr; }

signals:
    void progressStarted(qint64 maximum);
    void progressed(qint64 value);
    /// The installer is stored and signed by the vendor.
    void succeeded(const QString &path);
    void failed(tovalin::UpdateDownload::Failure why);

private:
    void installerFetched();
    void signatureFetched();
    void fail(Failure why);

    QString m_folder;
    QString m_key;
    QString m_address;
    QString m_path;
    std::unique_ptr<Transfer> m_transfer;
};

/// How an installer is started: a ".deb" is opened by the desktop (`openWithDesktop`), anything else
/// is made executable and started as a program of its own. Returns whether it started.
bool launchInstaller(const QString &path, const std::function<bool(const QString &)> &openWithDesktop);

} // namespace tovalin
