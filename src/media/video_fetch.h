#pragma once
// Fetch video and fetch reference: what the navigation decision and the
// download request hand over. Videos go to the video folder under the name
// their address gives and are then played on the video page; a stream
// description goes there as "temp.<kind>" and is opened by the desktop's own
// player. Transfers run on a worker thread (platform/transfer.h); this object
// lives on the window's thread and tells the windows what to show by signals.

#include "media/media_fetch.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

namespace tovalin {

class ProgramState;
class Transfer;
struct TransferResult;

/// What a fetch shows on the navigation indicator.
enum class FetchStatus { Ready, Loading, Broken };

class VideoFetch : public QObject, public MediaFetcher {
    Q_OBJECT
public:
    /// A video larger than this is refused.
    static constexpr qint64 kMaxVideoBytes = qint64(2) * 1024 * 1024 * 1024;
    /// Stream descriptions are a few lines; a larger answer is not one.
    static constexpr qint64 kMaxReferenceBytes = 1024 * 1024;

    explicit VideoFetch(const ProgramState &state, QObject *parent = nullptr);
    ~VideoFetch() override;

    /// Fetch video: shows the video page, then stores the video (or finds it stored) and offers it for playback.
    void fetchVideo(const QString &address, const QString &kind) override;
    /// Fetch reference: stores the description as "temp.<kind>" and offers it to the desktop's player.
    void fetchReference(const QString &address, const QString &kind) override;
    /// The browser went to "about:blank": the player is to stop.
    void stopPlayback() override;

    /// The abort flag: every new navigation from the main window and quitting set it. A running
    /// transfer ends at once, its partial file is deleted, and nothing is played or opened.
    void abort();
    bool aborted() const { return m_aborted; }
    /// The ".mov" flag of the last direct video fetch: which player plays it.
    bool movFlag() const { return m_mov; }
    /// A transfer is running.
    bool busy() const;

    /// More request headers for a fetch of an address ("Name: value" each), as the browser
    /// would send them (its YouTube-Restrict); asked at the start of every fetch.
    using HeaderSource = std::function<QList<QByteArray>(const QString &address)>;
    void setHeaderSource(HeaderSource source) { m_headers = std::move(source); }
    /// Decides whether a redirect of a fetch may be followed (the guard's navigation decision).
    /// Without one no redirect is followed; either way a refused one ends the fetch as "broken".
    void setRedirectJudge(std::function<bool(const QString &address)> judge) { m_redirectJudge = std::move(judge); }

    /// The stored video of that name and kind (names compared without regard to case); empty when none.
    static QString findStoredVideo(const QString &videoFolder, const QString &name, const QString &kind);

signals:
    void statusChanged(tovalin::FetchStatus status);
    /// The video page is to show (a direct video fetch begins).
    void videoPageRequested();
    /// `Label5`: the title of the video being fetched.
    void titleChanged(const QString &title);
    /// The placeholder picture `Image19` is to hide: a video is about to play.
    void placeholderHidden();
    /// `Gauge1`: a transfer began (maximum 0: unknown), moved, ended.
    void progressStarted(qint64 maximum);
    void progressed(qint64 value);
    void progressEnded();
    /// A video is stored and may play, when the video page still shows.
    void videoReady(const QString &path, bool mov);
    /// A stream description is stored: the desktop's player is to open it.
    void referenceReady(const QString &path);
    /// The player is to stop and unload, and `Gauge1` to hide.
    void playbackStopRequested();

private:
    enum class Target { Video, Reference };
    void startTransfer(const QString &address, const QString &path, Target target);
    void transferFinished(Transfer *transfer, const QString &path, Target target);
    void cancelRunning();

    const ProgramState &m_state;
    HeaderSource m_headers;
    std::function<bool(const QString &address)> m_redirectJudge;
    std::unique_ptr<Transfer> m_transfer;
    bool m_aborted = false;
    bool m_mov = false;
};

} // namespace tovalin
