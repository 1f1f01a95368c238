#pragma once
// The download request: every download the browser would start is taken from
// it (the engine writes nothing and shows nothing) and decided here. A video of
// a kind the user allows is fetched and played, a stream description of an
// allowed kind goes to the desktop's player, and everything else is dropped
// with the forbidden sign ("forbidden2"); no file is ever written for it.

#include <QObject>
#include <QString>

namespace tovalin {

class Browser;
class HeadProbe;
class MediaFetcher;
class NavigationModel;
class SiteLists;
struct UserProfile;

enum class DownloadOutcome {
    Refused,   ///< the lists refuse the address: "forbidden", and it joins the refused list
    Dropped,   ///< the HEAD request failed: nothing fetched ("broken")
    Forbidden, ///< a kind the user does not allow, or no video at all: "forbidden2"
    Video,     ///< handed to fetch video
    Reference, ///< handed to fetch reference
    Suppressed,///< the guard has just handed this navigation over itself: dropped without a word
};

class DownloadRequest : public QObject {
    Q_OBJECT
public:
    DownloadRequest(SiteLists &lists, NavigationModel &model, const UserProfile &profile, HeadProbe *head,
                    MediaFetcher *media, QObject *parent = nullptr);

    /// Answers the browser's download requests from now on.
    void attachTo(Browser &browser);

    /// `TovalinDownloadMgr1URLstring`: decides one download of the browser.
    DownloadOutcome TovalinDownloadMgr1URLstring(const QString &address);

    /// The HEAD answer at or below this many bytes is a stream description.
    static constexpr qint64 kSmallAnswerBytes = 200;

private:
    SiteLists &m_lists;
    NavigationModel &m_model;
    const UserProfile &m_profile;
    HeadProbe *m_head;
    MediaFetcher *m_media;
};

} // namespace tovalin
