#pragma once
// The decision taken before every navigation of the visible browser, and the
// handlers that follow a navigation (complete, error, download complete).
//
// The same code answers the browser and the admin command `tovalinctl check`.

#include "platform/browser.h"
#include "platform/head_probe.h"
#include "state/program_state.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace tovalin {

class Browser;
class MediaFetcher;
class NavigationModel;
class SiteLists;
class ThemeDownloader;
struct UserProfile;

/// Why a navigation was refused (the first step that refused it), or what it became.
enum class Verdict {
    Allowed,
    RefusedWhitelist,
    RefusedBlacklist,
    RefusedCategory,  ///< a category list of the user refuses it (Decision::category names it)
    RefusedTimeUp,
    RefusedDocument,
    RefusedRealMedia,
    RefusedVideo,     ///< a video type the user does not allow
    RefusedScheme,    ///< an address the engine does not show (mailto, ftp, ...): never shown, never handed on
    Video,            ///< a video type the user allows: fetched, not shown
    Reference,        ///< a stream description handed to the reference fetch
    Awaiting,         ///< cancelled while the HEAD answer is awaited; issued again when it comes
    ThemeArchive,     ///< a theme archive handed to the theme download (the parents' page is open)
};

/// "allowed", "refused:whitelist", ... as the admin command prints them.
QString verdictName(Verdict verdict);

struct Decision {
    bool cancel = false;
    Verdict verdict = Verdict::Allowed; ///< the first refusing step, or the hand-over made
    QString category;                   ///< RefusedCategory: the category's name as in the archive
};

/// Where a navigation comes from, as the browser tells it.
struct NavigationRequest {
    bool mainFrame = true;
    NavigationKind kind = NavigationKind::Typed;
};

class NavigationGuard : public QObject {
    Q_OBJECT
public:
    /// The time clock's gauge position, 0 to 1000; above 999 the surfing time is used up.
    using ClockPosition = std::function<int()>;
    /// Whether the parents' editing page is shown instead of the child's navigation page.
    using ParentsPageOpen = std::function<bool()>;

    struct Services {
        HeadProbe *head = nullptr;
        MediaFetcher *media = nullptr;
        ThemeDownloader *themes = nullptr;
        ClockPosition clockPosition;
        ParentsPageOpen parentsPageOpen;
        /// Ask the HEAD request in the background (HeadProbe::startHead) so the window never
        /// waits for a server; off, the decision asks and waits (the admin command).
        bool headInBackground = false;
    };

    NavigationGuard(ProgramState &state, SiteLists &lists, const UserProfile &profile,
                    NavigationModel &model, Services services, QObject *parent = nullptr);

    /// The browser whose download options the decision sets and whose location the handlers read.
    void setBrowser(Browser *browser) { m_browser = browser; }
    /// Sets the browser and answers its translate-URL and before-navigate questions and its
    /// navigate-complete, document-complete, navigate-error and download-complete events.
    void attachTo(Browser &browser);

    /// The before-navigate decision; returns whether to cancel and why. With the filter off the
    /// verdict still names the first refusing step, but cancel is false. An address the lists or
    /// the time limit refuse is never handed to the video or reference fetch while the filter is on.
    /// An address the engine does not show (engineShowsAddress) is always cancelled, filter or not;
    /// it may still be handed to the video or reference fetch.
    /// A pending click (ClickPending) opens a new sequence when this navigation is the one it waits
    /// for (opensSequence).
    Decision beforeNavigate(const QString &address, NavigationRequest request = {});

    /// Whether the program's own fetch for the child (video, stream description, HEAD request)
    /// may follow a redirect to this address: the lists and the time limit judge it as they judge
    /// a navigation (with the filter off, as a navigation, everything goes), and only http and
    /// https lead anywhere. Nothing is shown, listed or sounded.
    bool mayFollowRedirect(const QString &address) const;

    /// True when a navigation of this kind takes up the pending click: any navigation within the
    /// click window, the next main-frame navigation after a host command, the next main-frame link
    /// click or form sent after a click inside the page.
    static bool opensSequence(const ProgramState &state, NavigationRequest request);

    /// Translate-URL bookkeeping: runs before before-navigate for links and scripts.
    void translateUrl(const QString &address);

    void navigateComplete(FrameId frame);
    void documentComplete(FrameId frame);
    void navigateError();
    void downloadComplete();

    /// The parents' filter switch (`Label29`, `Label39`); returns the new FilterOn.
    bool toggleFilter();
    /// The child's navigation page is shown again: FilterOn := true (the captions follow).
    void childPageShown() { switchFilterOn(); }
    /// FilterOn := true; filterChanged when it was off.
    void switchFilterOn();
    /// `Label29`: "Turn filter off" or "Turn filter on", from FilterOn (the one state of the switch).
    QString filterLabelCaption() const;
    /// `Label39`: "Filter on" or "Filter off", from FilterOn.
    QString filterStateCaption() const;

    /// While the video page shows, a navigation error leaves the indicator alone.
    void setVideoPageShown(bool shown) { m_videoPageShown = shown; }
    bool videoPageShown() const { return m_videoPageShown; }

    /// The extensions whose address gets a HEAD request before the decision.
    static const QStringList &probedExtensions();
    /// True when the first occurrence of the extension in the lower-cased address ends at its last character.
    static bool endsWithExtension(const QString &lowerAddress, const QString &extension);
    /// A HEAD answer of at most this many bytes is a stream description, not a video.
    static constexpr qint64 kSmallAnswerBytes = 200;

    /// The time clock is used up when its gauge is above 999.
    static constexpr int kClockFull = 1000;

    /// The address whose HEAD answer is awaited, empty when none is.
    QString awaitedAddress() const { return m_awaited ? m_awaited->address : QString(); }

signals:
    /// Every before-navigate decision, as returned (the activity report and the Ask button follow it).
    void navigationDecided(const QString &address, bool mainFrame, tovalin::Decision decision);
    /// The HEAD answer for an awaited address came and its navigation was decided again.
    void awaitedAnswerUsed(const QString &address, tovalin::Decision decision);
    /// The browser is going to "about:blank": the browser page is to be shown and the player stopped.
    void aboutBlankReached();
    /// Document-complete of the top frame: `Label30` "Block popup" shows exactly when the page was a pop-up.
    void popupPageCompleted(bool wasPopup);
    /// Document-complete hides the parents' "Add to whitelist" / "Add to blacklist".
    void addCommandsHidden();
    /// The quick menu's active-site label is to show this location.
    void activeSiteChanged(const QString &location);
    /// Progress gauge `Gauge2` (0..100).
    void progressGaugeSet(int percent);
    /// `popupimage` shows exactly while the page comes from a pop-up.
    void popupMarkerShown(bool shown);
    /// FilterOn changed: the captions of `Label29` and `Label39` follow it.
    void filterCaptionsChanged();

private:
    /// The lists' verdict on an address: RefusedWhitelist, RefusedBlacklist, RefusedCategory
    /// (with the category's name) or Allowed.
    struct ListsVerdict {
        Verdict verdict = Verdict::Allowed;
        QString category;
    };
    ListsVerdict listsVerdict(const QString &address) const;
    void headAnswered(const QString &address, const HeadAnswer &answer);

    // The steps of beforeNavigate, in the order they run. Each reads and adds to the decision
    // in progress (Pass); the two that may end it early return the decision they took.
    struct Pass;
    void takeKnownAnswer(Pass &pass);
    void openSequence(const Pass &pass);
    void recordAddress(const Pass &pass);
    void setDownloadOptions();
    std::optional<Decision> takeThemeArchive(const Pass &pass);
    void judgeByLists(Pass &pass);
    void judgeByTime(Pass &pass);
    void judgeDocuments(Pass &pass) const;
    void judgeRealMedia(Pass &pass) const;
    std::optional<Decision> askHead(Pass &pass);
    void handOverVideo(Pass &pass);
    void handOverReference(Pass &pass);
    void fetchForPlayer(Pass &pass, Verdict what, const QString &kind);
    void applyFilterSwitch(Pass &pass);
    void refuseSchemesNotShown(Pass &pass);
    Decision decided(Pass &pass);

    // A navigation cancelled while its HEAD answer is on its way.
    struct Awaited {
        QString address;
        NavigationRequest request;
        std::unique_ptr<QObject> probe;
    };
    // The answer for a navigation issued again: its second decision uses it instead of asking.
    struct KnownAnswer {
        QString address;
        HeadAnswer answer;
    };

    ProgramState &m_state;
    SiteLists &m_lists;
    const UserProfile &m_profile;
    NavigationModel &m_model;
    Services m_services;
    Browser *m_browser = nullptr;
    bool m_videoPageShown = false;
    std::optional<Awaited> m_awaited;
    std::optional<KnownAnswer> m_known;
};

} // namespace tovalin
