#include "update/update_download.h"

#include "media/video_names.h"
#include "platform/transfer.h"
#include "update/update_signature.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>

Q_DECLARE_LOGGING_CATEGORY(lcUpdate)

namespace tovalin {

QStringList UpdateDownload::installerArguments()
{
    return {QStringLiteral("/SP-"), QStringLiteral("/SILENT"), QStringLiteral("/NOICONS")};
}

UpdateDownload::UpdateDownload(QString downloadsFolder, QString updateKey, QObject *parent)
    : QObject(parent)
    , m_folder(std::move(downloadsFolder))
    , m_key(std::move(updateKey))
{
}

UpdateDownload::~UpdateDownload() = default;

void UpdateDownload::start(const QString &address)
{
    if (m_transfer)
        return;
    m_address = address;
    const QString name = videonames::installerFileName(address);
    if (name.isEmpty()) {
        fail(Failure::NoFileName);
        return;
    }
    m_path = QDir(m_folder).filePath(name);
    TransferRequest request;
    request.address = address;
    request.targetFile = m_path;
    request.maxBytes = kMaxInstallerBytes;
    // A transfer the parent started may follow the server's redirects (to http and https).
    request.maxRedirects = TransferRequest::kMostRedirects;
    m_transfer = std::make_unique<Transfer>(request);
    connect(m_transfer.get(), &Transfer::sizeAnnounced, this, [this](qint64 total) { emit progressStarted(std::max<qint64>(0, total)); });
    connect(m_transfer.get(), &Transfer::progressed, this, [this](qint64 received, qint64) { emit progressed(received); });
    connect(m_transfer.get(), &Transfer::finished, this, &UpdateDownload::installerFetched);
    m_transfer->start();
}

void UpdateDownload::cancel()
{
    if (m_transfer)
        m_transfer->cancel();
}

void UpdateDownload::installerFetched()
{
    const TransferResult result = m_transfer->result();
    m_transfer.release()->deleteLater();
    qCDebug(lcUpdate) << "installer" << transferFailureName(result.failure) << result.error;
    if (!result.ok()) {
        fail(result.failure == TransferFailure::Cancelled ? Failure::Cancelled : Failure::Transfer);
        return;
    }
    TransferRequest request;
    request.address = m_address + QStringLiteral(".sig");
    request.maxBytes = kMaxSignatureBytes;
    // A transfer the parent started may follow the server's redirects (to http and https).
    request.maxRedirects = TransferRequest::kMostRedirects;
    m_transfer = std::make_unique<Transfer>(request);
    connect(m_transfer.get(), &Transfer::finished, this, &UpdateDownload::signatureFetched);
    m_transfer->start();
}

void UpdateDownload::signatureFetched()
{
    const TransferResult result = m_transfer->result();
    m_transfer.release()->deleteLater();
    if (result.failure == TransferFailure::Cancelled) {
        fail(Failure::Cancelled);
        return;
    }
    // A missing signature is a bad one: the file goes.
    const updatesig::Check check = updatesig::verifyFile(m_path, result.ok() ? result.body : QByteArray(), m_key);
    qCDebug(lcUpdate) << "signature" << int(check) << transferFailureName(result.failure);
    if (check != updatesig::Check::Valid) {
        fail(Failure::Signature);
        return;
    }
    emit succeeded(m_path);
}

void UpdateDownload::fail(Failure why)
{
    // An installer that is not the vendor's is not kept. A transfer that failed never
    // replaced the file, so an older one of that name stays.
    if (why == Failure::Signature && !m_path.isEmpty())
        QFile::remove(m_path);
    m_path.clear();
    emit failed(why);
}

bool launchInstaller(const QString &path, const std::function<bool(const QString &)> &openWithDesktop)
{
    if (path.endsWith(QStringLiteral(".deb"), Qt::CaseInsensitive))
        return openWithDesktop && openWithDesktop(path);
    QFile file(path);
    if (!file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser))
        return false;
    return QProcess::startDetached(path, UpdateDownload::installerArguments(), QFileInfo(path).absolutePath());
}

} // namespace tovalin
