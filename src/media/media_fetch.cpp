#include "media/media_fetch.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMedia, "tovalin.media", QtWarningMsg)
Q_LOGGING_CATEGORY(lcThemeDownload, "tovalin.themes", QtWarningMsg)

namespace tovalin {

void LoggingMediaFetcher::fetchVideo(const QString &address, const QString &kind)
{
    qCDebug(lcMedia) << "fetch video" << kind << address;
}

void LoggingMediaFetcher::fetchReference(const QString &address, const QString &kind)
{
    qCDebug(lcMedia) << "fetch reference" << kind << address;
}

void LoggingThemeDownloader::DownloadTheme(const QString &address)
{
    qCDebug(lcThemeDownload) << "download theme" << address;
}

} // namespace tovalin
