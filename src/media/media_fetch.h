#pragma once
// What the navigation decision hands over instead of showing: video files,
// stream descriptions and theme archives. VideoFetch (video_fetch.h) fetches
// and plays; the do-nothing fetcher serves the admin command.

#include <QString>

namespace tovalin {

class MediaFetcher {
public:
    virtual ~MediaFetcher() = default;
    /// Fetches a video file and plays it ("wmv", "mov", "asf", "mpeg", "mpg", "avi").
    virtual void fetchVideo(const QString &address, const QString &kind) = 0;
    /// Fetches a stream description ("asx", "wmx", "wvx", "qtl", "qt").
    virtual void fetchReference(const QString &address, const QString &kind) = 0;
    /// Stops and unloads the video player (a navigation to about:blank does this).
    virtual void stopPlayback() {}
    /// The one-shot suppression flag: set while a hand-over is under way.
    bool suppressed = false;
};

class ThemeDownloader {
public:
    virtual ~ThemeDownloader() = default;
    virtual void DownloadTheme(const QString &address) = 0;
};

/// Hands nothing over: the admin command only reports what would be fetched.
class NoMediaFetcher final : public MediaFetcher {
public:
    void fetchVideo(const QString &, const QString &) override {}
    void fetchReference(const QString &, const QString &) override {}
};

class NoThemeDownloader final : public ThemeDownloader {
public:
    void DownloadTheme(const QString &) override {}
};

/// Logs every call in tovalin.themes; downloads nothing.
class LoggingThemeDownloader final : public ThemeDownloader {
public:
    void DownloadTheme(const QString &address) override;
};

} // namespace tovalin
