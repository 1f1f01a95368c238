#pragma once
// Videos, downloads and the update, assembled and wired to the main window:
// the video page and its players, the download request that takes every
// download from the browser, the video fetch's progress and states, and the
// update offer that the update timer starts.

#include <QObject>
#include <functional>
#include <memory>

namespace tovalin {

class Browser;
class DownloadRequest;
class HeadProbe;
class MainWindow;
class NavigationGuard;
class NavigationModel;
class ProgramState;
class SiteLists;
class UpdateOffer;
class VideoFetch;
class VideoPage;
struct UserProfile;

class MediaSide : public QObject {
    Q_OBJECT
public:
    struct Context {
        ProgramState &state;
        UserProfile &profile;
        SiteLists &lists;
        NavigationModel &nav;
        NavigationGuard &guard;
        Browser &browser;
        MainWindow &window;
        HeadProbe *head;
        VideoFetch &fetch;
    };

    explicit MediaSide(Context context, QObject *parent = nullptr);
    ~MediaSide() override;

    /// The video page, built the first time it is asked for.
    VideoPage &videoPage();
    DownloadRequest &downloadRequest() { return *m_download; }
    UpdateOffer &updateOffer() { return *m_update; }
    /// How a stored stream description reaches the desktop's player; tests replace it.
    void setReferenceOpener(std::function<void(const QString &path)> opener) { m_openReference = std::move(opener); }

private:
    bool videoPageShown() const;
    void leaveVideoPage();
    void stopPlayback();

    Context m_ctx;
    VideoPage *m_page = nullptr;
    std::unique_ptr<DownloadRequest> m_download;
    std::unique_ptr<UpdateOffer> m_update;
    std::function<void(const QString &)> m_openReference;
};

} // namespace tovalin
