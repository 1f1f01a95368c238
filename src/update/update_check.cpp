#include "update/update_check.h"

#include "core/ini.h"
#include "platform/transfer.h"
#include "update/version.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcUpdate, "tovalin.update", QtWarningMsg)

namespace tovalin {

VersionFileEntry readVersionFile(const IniDocument &ini)
{
    const QString key = QString::fromLatin1(UpdateChecker::kTitleKey);
    return {ini.stringValue(QStringLiteral("CurrentVersions"), key).trimmed(),
            ini.stringValue(QStringLiteral("DownloadURL"), key).trimmed()};
}

bool offersUpdate(const VersionFileEntry &entry, const QString &running)
{
    // A version that is not digits and points offers nothing, and says nothing.
    return !entry.address.isEmpty() && version::isNewer(running, entry.version);
}

UpdateChecker::UpdateChecker(Settings settings, QObject *parent) : QObject(parent), m_settings(std::move(settings)) {}

UpdateChecker::~UpdateChecker() = default;

void UpdateChecker::check()
{
    if (m_transfer)
        return;
    if (m_settings.UpdateKey.trimmed().isEmpty()) {
        qCDebug(lcUpdate) << "no update key: no check";
        emit checkDone();
        return;
    }
    TransferRequest request;
    request.address = m_settings.URLCurrVerFile;
    request.targetFile = m_settings.TempFile;
    request.maxBytes = kMaxVersionFileBytes;
    // A transfer the parent started may follow the server's redirects (to http and https).
    request.maxRedirects = TransferRequest::kMostRedirects;
    m_transfer = std::make_unique<Transfer>(request);
    connect(m_transfer.get(), &Transfer::finished, this, &UpdateChecker::fetched);
    m_transfer->start();
}

void UpdateChecker::fetched()
{
    const TransferResult result = m_transfer->result();
    m_transfer.release()->deleteLater();
    qCDebug(lcUpdate) << "version file" << transferFailureName(result.failure) << result.error;
    if (!result.ok()) {
        emit checkDone();
        return;
    }
    const std::optional<IniDocument> ini = IniDocument::load(m_settings.TempFile);
    if (!ini) {
        emit checkDone();
        return;
    }
    const VersionFileEntry entry = readVersionFile(*ini);
    emit OnGetURL(entry.version, entry.address);
    if (offersUpdate(entry, m_settings.runningVersion)) {
        qCDebug(lcUpdate) << "offer" << entry.version << entry.address;
        emit OnGetURLNew(entry.version, entry.address);
    }
    emit checkDone();
}

} // namespace tovalin
