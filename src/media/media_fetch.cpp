#include "media/media_fetch.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcThemeDownload, "tovalin.themes", QtWarningMsg)

namespace tovalin {

void LoggingThemeDownloader::DownloadTheme(const QString &address)
{
    qCDebug(lcThemeDownload) << "download theme" << address;
}

} // namespace tovalin
