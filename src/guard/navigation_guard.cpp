#include "guard/navigation_guard.h"

#include "core/text.h"
#include "guard/address_match.h"
#include "guard/guard_log.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "media/media_fetch.h"
#include "platform/browser.h"
#include "platform/head_probe.h"
#include "users/user_profile.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>

Q_LOGGING_CATEGORY(tovalin::lcGuard, "tovalin.guard", QtWarningMsg)

namespace tovalin {

QString verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Allowed: return QStringLiteral("allowed");
    case Verdict::RefusedWhitelist: return QStringLiteral("refused:whitelist");
    case Verdict::RefusedBlacklist: return QStringLiteral("refused:blacklist");
    case Verdict::RefusedCategory: return QStringLiteral("refused:category");
    case Verdict::RefusedTimeUp: return QStringLiteral("refused:timeup");
    case Verdict::RefusedDocument: return QStringLiteral("refused:document");
    case Verdict::RefusedRealMedia: return QStringLiteral("refused:realmedia");
    case Verdict::RefusedVideo: return QStringLiteral("refused:video");
    case Verdict::RefusedScheme: return QStringLiteral("refused:scheme");
    case Verdict::Video: return QStringLiteral("video");
    case Verdict::Reference: return QStringLiteral("reference");
    case Verdict::Awaiting: return QStringLiteral("awaiting");
    case Verdict::ThemeArchive: return QStringLiteral("theme-archive");
    }
    return {};
}

namespace {

QString turnFilterOffText() { return QCoreApplication::translate("NavigationGuard", "Turn filter off"); }
QString turnFilterOnText() { return QCoreApplication::translate("NavigationGuard", "Turn filter on"); }
QString filterOnText() { return QCoreApplication::translate("NavigationGuard", "Filter on"); }
QString filterOffText() { return QCoreApplication::translate("NavigationGuard", "Filter off"); }

struct Extension {
    QLatin1StringView ext;
    bool UserProfile::*setting;
};

const Extension kDocuments[] = {
    {QLatin1StringView(".ppt"), &UserProfile::Blokppt}, {QLatin1StringView(".doc"), &UserProfile::Blokdoc},
    {QLatin1StringView(".pdf"), &UserProfile::Blokpdf}, {QLatin1StringView(".txt"), &UserProfile::Bloktxt},
    {QLatin1StringView(".xls"), &UserProfile::Blokxls},
};

const QLatin1StringView kRealMedia[] = {
    QLatin1StringView(".ram"), QLatin1StringView(".rmm"), QLatin1StringView(".rax"), QLatin1StringView(".rmx"),
    QLatin1StringView(".rmj"), QLatin1StringView(".rms"), QLatin1StringView(".ra"),  QLatin1StringView(".rv"),
    QLatin1StringView(".rm"),  QLatin1StringView(".rvx"),
};

const Extension kVideos[] = {
    {QLatin1StringView(".wmv"), &UserProfile::Toonwmv},   {QLatin1StringView(".mov"), &UserProfile::Toonmov},
    {QLatin1StringView(".asf"), &UserProfile::Toonasf},   {QLatin1StringView(".mpeg"), &UserProfile::Toonmpeg},
    {QLatin1StringView(".mpg"), &UserProfile::Toonmpg},   {QLatin1StringView(".avi"), &UserProfile::Toonavi},
};

// True when the first occurrence of ext in the address ends at its last character. The end is
// looked at first: most addresses end otherwise, and need no search.
template<typename Ext>
bool endsWith(const QString &lower, const Ext &ext)
{
    return lower.endsWith(ext) && lower.indexOf(ext) == lower.size() - ext.size();
}

// The Windows Media content types of a small answer and the kind of reference each becomes.
QString windowsMediaKind(const QString &contentType)
{
    if (contentType == u"video/x-ms-asf" || contentType == u"video/x-ms-asx")
        return QStringLiteral("asx");
    if (contentType == u"video/x-ms-wvx")
        return QStringLiteral("wvx");
    if (contentType == u"video/x-ms-wmv" || contentType == u"video/x-ms-wm" || contentType == u"video/x-ms-wmx")
        return QStringLiteral("wmx");
    return {};
}

} // namespace

const QStringList &NavigationGuard::probedExtensions()
{
    static const QStringList list{
        QStringLiteral(".wmv"), QStringLiteral(".mov"), QStringLiteral(".asf"), QStringLiteral(".mpeg"),
        QStringLiteral(".mpg"), QStringLiteral(".avi"), QStringLiteral(".asx"), QStringLiteral(".wmx"),
        QStringLiteral(".wvx"), QStringLiteral(".wm"),  QStringLiteral(".qtl"), QStringLiteral(".qt"),
    };
    return list;
}

bool NavigationGuard::endsWithExtension(const QString &lowerAddress, const QString &extension)
{
    return endsWith(lowerAddress, extension);
}

NavigationGuard::NavigationGuard(ProgramState &state, SiteLists &lists, const UserProfile &profile,
                                 NavigationModel &model, Services services, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_lists(lists)
    , m_profile(profile)
    , m_model(model)
    , m_services(std::move(services))
{
    connect(&m_state, &ProgramState::filterChanged, this, &NavigationGuard::filterCaptionsChanged);
}

void NavigationGuard::attachTo(Browser &browser)
{
    m_browser = &browser;
    m_model.setBrowser(&browser);
    // The browser may outlive the guard at shutdown; a dead guard cancels nothing.
    const QPointer<NavigationGuard> self(this);
    browser.setTranslateUrlHandler([self](const QString &address) {
        if (self)
            self->translateUrl(address);
    });
    browser.setBeforeNavigateHandler([self](const QString &address, FrameId frame, NavigationKind kind) {
        return self ? self->beforeNavigate(address, {frame == Browser::kMainFrame, kind}).cancel : false;
    });
    connect(&browser, &Browser::navigateComplete, this, [this](FrameId frame, const QString &) { navigateComplete(frame); });
    connect(&browser, &Browser::documentComplete, this, [this](FrameId frame, const QString &) { documentComplete(frame); });
    connect(&browser, &Browser::navigateError, this, [this](const QString &) { navigateError(); });
    connect(&browser, &Browser::downloadCompleted, this, &NavigationGuard::downloadComplete);
}

bool NavigationGuard::opensSequence(const ProgramState &state, NavigationRequest request)
{
    if (!state.ClickPending)
        return false;
    switch (state.clickSource()) {
    case ClickSource::Window:
        return true;
    case ClickSource::Host:
        return request.mainFrame;
    case ClickSource::Page:
        return request.mainFrame
            && (request.kind == NavigationKind::LinkClick || request.kind == NavigationKind::FormSubmit);
    }
    return false;
}

// One before-navigate decision on its way through the steps: what the steps found so far.
struct NavigationGuard::Pass {
    Pass(const QString &a, NavigationRequest r) : address(a), request(r) {}

    const QString &address;
    NavigationRequest request;
    QString lower;                         // the address in small letters, for its extension
    bool cancel = false;
    bool signShown = false;
    Verdict firstRefusal = Verdict::Allowed;
    Verdict handOver = Verdict::Allowed;
    QString category;                      // the category list that refused it
    std::optional<KnownAnswer> known;      // the HEAD answer a navigation issued again comes with
    bool resumed = false;
    bool mayHandOver = true;
    bool small = false;                    // the HEAD answer was a stream description's
    QString contentType;

    void refuse(Verdict why, const char *step)
    {
        cancel = true;
        if (firstRefusal == Verdict::Allowed)
            firstRefusal = why;
        qCDebug(lcGuard) << "  refused by" << step << verdictName(why);
    }
};

Decision NavigationGuard::beforeNavigate(const QString &address, NavigationRequest request)
{
    qCDebug(lcGuard) << "before navigate" << address << (request.mainFrame ? "main frame" : "frame")
                     << int(request.kind);
    Pass pass{address, request};
    takeKnownAnswer(pass);
    openSequence(pass);
    recordAddress(pass);
    emit popupMarkerShown(m_state.PopupShown);
    setDownloadOptions();
    pass.lower = address.toLower();
    if (std::optional<Decision> theme = takeThemeArchive(pass))
        return *theme;
    judgeByLists(pass);
    judgeByTime(pass);
    judgeDocuments(pass);
    judgeRealMedia(pass);
    // Something the child may not see never reaches the player through the back door:
    // an address the lists or the time limit refused is not handed over. With the filter
    // off nothing is refused, so the hand-over goes ahead.
    pass.mayHandOver = !pass.cancel || !m_state.FilterOn;
    if (std::optional<Decision> awaiting = askHead(pass))
        return *awaiting;
    handOverVideo(pass);
    handOverReference(pass);
    applyFilterSwitch(pass);
    refuseSchemesNotShown(pass);
    return decided(pass);
}

void NavigationGuard::takeKnownAnswer(Pass &pass)
{
    // The navigation issued again once its HEAD answer came: the bookkeeping and the sign of
    // its first decision stand, only the decision is taken again, with the answer known.
    if (m_known && m_known->address == pass.address)
        pass.known = std::exchange(m_known, std::nullopt);
    pass.resumed = pass.known.has_value();
    // Any other navigation of the page supersedes one whose answer is still awaited.
    if (!pass.resumed && m_awaited && pass.request.mainFrame) {
        qCDebug(lcGuard) << "  superseded the awaited" << m_awaited->address;
        m_awaited.reset();
    }
    if (!pass.resumed && pass.request.mainFrame)
        m_known.reset();
}

void NavigationGuard::openSequence(const Pass &pass)
{
    // The navigation a click or a host command waits for opens a new sequence.
    if (opensSequence(m_state, pass.request)) {
        m_model.beginSequence();
        m_model.SetNavState(NavState::Loading);
        emit progressGaugeSet(0);
    }
}

void NavigationGuard::recordAddress(const Pass &pass)
{
    // Web addresses, secure ones included, enter the history and the navigation list.
    if (!pass.resumed)
        m_model.recordAddress(pass.address);
}

void NavigationGuard::setDownloadOptions()
{
    // Scripts stay allowed; the silent option keeps the engine's own dialogs away.
    if (!m_browser)
        return;
    DownloadControls options = m_browser->downloadControl();
    options.setFlag(DownloadControl::NoScripts, false);
    options.setFlag(DownloadControl::Silent, m_profile.Geendialoog);
    m_browser->setDownloadControl(options);
    m_browser->setSilent(m_profile.Geendialoog);
}

std::optional<Decision> NavigationGuard::takeThemeArchive(const Pass &pass)
{
    // A theme archive while the parents' page is open goes to the theme download, which asks
    // the parent; it is no refused download, so no sign blinks and no sound plays, and the
    // engine never starts a download of its own. It is taken before the lists.
    if (!(m_services.parentsPageOpen && m_services.parentsPageOpen() && endsWith(pass.lower, QLatin1StringView(".tvz"))))
        return std::nullopt;
    if (m_services.themes)
        m_services.themes->DownloadTheme(pass.address);
    m_model.SetNavState(NavState::Ready);
    qCDebug(lcGuard) << "  theme download";
    Decision decision;
    decision.cancel = true;
    decision.verdict = Verdict::ThemeArchive;
    return decision;
}

void NavigationGuard::judgeByLists(Pass &pass)
{
    // Only these refusals enter the refused list that the accept command offers. A category
    // list refuses like the blacklist, unless the parent allowed the site (its whitelist, its
    // start page): "Allow blocked site" then lifts a category refusal too.
    ListsVerdict lists = listsVerdict(pass.address);
    if (lists.verdict != Verdict::Allowed)
        pass.refuse(lists.verdict, lists.verdict == Verdict::RefusedWhitelist   ? "whitelist"
                                   : lists.verdict == Verdict::RefusedBlacklist ? "blacklist"
                                                                                : "category list");
    pass.category = std::move(lists.category);
    if (pass.cancel) {
        if (!pass.resumed) {
            m_model.addRefused(pass.address);
            m_model.SetNavState(NavState::Forbidden);
        }
        pass.signShown = true;
    }
}

void NavigationGuard::judgeByTime(Pass &pass)
{
    // "about:blank" is how the program leaves the video page.
    if (m_services.clockPosition && m_services.clockPosition() >= kClockFull) {
        pass.refuse(Verdict::RefusedTimeUp, "time limit");
    } else if (pass.address == u"about:blank") {
        if (m_services.media)
            m_services.media->stopPlayback();
        emit aboutBlankReached();
    }
}

void NavigationGuard::judgeDocuments(Pass &pass) const
{
    for (const Extension &doc : kDocuments) {
        if (m_profile.*doc.setting && endsWith(pass.lower, doc.ext))
            pass.refuse(Verdict::RefusedDocument, "document type");
    }
}

void NavigationGuard::judgeRealMedia(Pass &pass) const
{
    if (m_profile.Toonrealmedia)
        return;
    for (const QLatin1StringView ext : kRealMedia) {
        if (endsWith(pass.lower, ext)) {
            pass.refuse(Verdict::RefusedRealMedia, "realmedia");
            return;
        }
    }
}

std::optional<Decision> NavigationGuard::askHead(Pass &pass)
{
    // A tiny answer for a video address is a stream description, not the video itself.
    // An address that is refused and cannot be handed over is not asked either: the answer
    // would change nothing, and the window would wait on a site the child may not reach.
    // Nor is one whose answer can lead nowhere: a video of a kind the user does not allow,
    // while no stream description is allowed, is refused whatever the server says, and must
    // not be asked for at all.
    const QStringList &probed = probedExtensions();
    if (std::none_of(probed.cbegin(), probed.cend(), [&](const QString &ext) { return endsWithExtension(pass.lower, ext); }))
        return std::nullopt;
    bool answerMatters = m_profile.ToonWindowsMedia || m_profile.ToonQuickTime;
    for (const Extension &video : kVideos) {
        if (m_profile.*video.setting && endsWith(pass.lower, video.ext))
            answerMatters = true;
    }
    if (!pass.mayHandOver || !answerMatters || !m_services.head)
        return std::nullopt;
    HeadAnswer answer;
    if (pass.known) {
        answer = pass.known->answer;
    } else if (m_services.headInBackground) {
        // The window never waits for a server: the navigation is cancelled now and issued
        // again when the answer comes (headAnswered), decided then with the answer known.
        const QPointer<NavigationGuard> self(this);
        const QString &address = pass.address;
        std::unique_ptr<QObject> probe = m_services.head->startHead(address, [self, address](const HeadAnswer &a) {
            if (self)
                self->headAnswered(address, a);
        });
        if (probe) {
            m_awaited = Awaited{address, pass.request, std::move(probe)};
            qCDebug(lcGuard) << "  awaiting the head answer";
            Decision decision;
            decision.cancel = true;
            decision.verdict = Verdict::Awaiting;
            emit navigationDecided(address, pass.request.mainFrame, decision);
            return decision;
        }
        answer = m_services.head->head(address);
    } else {
        answer = m_services.head->head(pass.address);
    }
    // A failed request, or one without a length, says nothing about the size: such
    // an answer is a video file by its extension, never a description.
    if (answer.ok) {
        pass.contentType = answer.contentType;
        pass.small = answer.contentLength >= 0 && answer.contentLength <= kSmallAnswerBytes;
    }
    qCDebug(lcGuard) << "  head" << (answer.ok ? "ok" : "failed") << answer.contentLength << pass.contentType
                     << (pass.small ? "small" : "not small");
    return std::nullopt;
}

void NavigationGuard::handOverVideo(Pass &pass)
{
    MediaFetcher *media = m_services.media;
    if (media)
        media->suppressed = false;
    // Video files never play inside the browser.
    if (pass.small)
        return;
    for (const Extension &video : kVideos) {
        if (!endsWith(pass.lower, video.ext))
            continue;
        if (!(m_profile.*video.setting)) {
            // A video kind the user does not allow shows the forbidden sign, as a download of
            // it would; an address refused before this step keeps what that step showed.
            if (pass.firstRefusal == Verdict::Allowed && m_state.FilterOn)
                m_model.SetNavState(NavState::Forbidden2);
            pass.refuse(Verdict::RefusedVideo, "video type");
            continue;
        }
        fetchForPlayer(pass, Verdict::Video, QString(video.ext).mid(1));
    }
}

void NavigationGuard::handOverReference(Pass &pass)
{
    // Stream descriptions. One hand-over per navigation: an address that is both Windows
    // Media and QuickTime by its type and name is fetched once, not twice.
    if (!pass.small)
        return;
    QString kind;
    if (m_profile.ToonWindowsMedia)
        kind = windowsMediaKind(pass.contentType);
    if (kind.isEmpty() && m_profile.ToonQuickTime) {
        if (endsWith(pass.lower, QLatin1StringView(".qtl")))
            kind = QStringLiteral("qtl");
        else if (pass.contentType == u"video/quicktime")
            kind = QStringLiteral("qt");
    }
    if (!kind.isEmpty())
        fetchForPlayer(pass, Verdict::Reference, kind);
}

void NavigationGuard::fetchForPlayer(Pass &pass, Verdict what, const QString &kind)
{
    // The browser never loads it; the program's own fetch does, unless a refusal forbids it.
    pass.cancel = true;
    MediaFetcher *media = m_services.media;
    if (!pass.mayHandOver || !media) {
        qCDebug(lcGuard) << "  not fetched:" << verdictName(what) << "of a refused address";
        return;
    }
    media->suppressed = true;
    if (what == Verdict::Video)
        media->fetchVideo(pass.address, kind);
    else
        media->fetchReference(pass.address, kind);
    pass.handOver = what;
    qCDebug(lcGuard) << "  fetch" << verdictName(what) << kind;
}

void NavigationGuard::applyFilterSwitch(Pass &pass)
{
    // The filter switch overrules every refusal; the hand-overs made stay made.
    const MediaFetcher *media = m_services.media;
    if (!m_state.FilterOn) {
        pass.cancel = false;
    } else if (pass.cancel && !(media && media->suppressed) && !m_model.refusedList().isEmpty()) {
        m_model.SetNavState(NavState::Forbidden);
        pass.signShown = true;
    }
}

void NavigationGuard::refuseSchemesNotShown(Pass &pass)
{
    // The engine shows its own schemes only; any other address would leave the program for
    // the desktop. It is refused whatever the filter says (a video may have been handed over).
    // A web address of the common form is one the engine shows.
    WebAddressView web;
    if (readWebAddress(pass.address, web) || m_lists.engineShows(pass.address))
        return;
    pass.cancel = true;
    if (pass.firstRefusal == Verdict::Allowed && pass.handOver == Verdict::Allowed)
        pass.firstRefusal = Verdict::RefusedScheme;
    if (!pass.signShown && pass.handOver == Verdict::Allowed && pass.request.mainFrame)
        m_model.SetNavState(NavState::Forbidden2);
    qCDebug(lcGuard) << "  refused: not an address the engine shows";
}

Decision NavigationGuard::decided(Pass &pass)
{
    Decision decision;
    decision.cancel = pass.cancel;
    decision.verdict = pass.firstRefusal != Verdict::Allowed ? pass.firstRefusal : pass.handOver;
    if (decision.verdict == Verdict::RefusedCategory)
        decision.category = std::move(pass.category);
    qCDebug(lcGuard) << "  verdict" << verdictName(decision.verdict) << (pass.cancel ? "cancel" : "go on")
                     << (m_state.FilterOn ? "" : "(filter off)");
    if (pass.resumed)
        emit awaitedAnswerUsed(pass.address, decision);
    emit navigationDecided(pass.address, pass.request.mainFrame, decision);
    return decision;
}

NavigationGuard::ListsVerdict NavigationGuard::listsVerdict(const QString &address) const
{
    if (m_lists.IsNotWhitelisted(address))
        return {Verdict::RefusedWhitelist, {}};
    if (m_lists.IsBlacklisted(address))
        return {Verdict::RefusedBlacklist, {}};
    if (QString category = m_lists.refusingCategory(address); !category.isEmpty())
        return {Verdict::RefusedCategory, std::move(category)};
    return {Verdict::Allowed, {}};
}

bool NavigationGuard::mayFollowRedirect(const QString &address) const
{
    const QString scheme = schemeOf(normalizedAddress(address));
    if (scheme != u"http" && scheme != u"https")
        return false;
    if (!m_state.FilterOn)
        return true;
    const Verdict lists = listsVerdict(address).verdict;
    const bool timeUp = m_services.clockPosition && m_services.clockPosition() >= kClockFull;
    qCDebug(lcGuard) << "redirect of a fetch to" << address << verdictName(lists) << (timeUp ? "time up" : "");
    return lists == Verdict::Allowed && !timeUp;
}

void NavigationGuard::headAnswered(const QString &address, const HeadAnswer &answer)
{
    if (!m_awaited || m_awaited->address != address)
        return;
    // The request object is the one telling: it goes once its signal has returned.
    Awaited awaited = std::move(*m_awaited);
    m_awaited.reset();
    awaited.probe.release()->deleteLater();
    qCDebug(lcGuard) << "head answer for" << address << (answer.ok ? "ok" : "failed");
    m_known = KnownAnswer{address, answer};
    if (awaited.request.mainFrame && m_browser) {
        // Through the browser again, so the guard decides it as any navigation; an allowed
        // address then loads as it would have at once.
        m_browser->navigate(address);
        return;
    }
    // A frame cannot be sent anywhere again: its hand-overs are made here, and an address
    // the browser would have shown in the frame stays cancelled.
    beforeNavigate(address, awaited.request);
}

void NavigationGuard::translateUrl(const QString &address)
{
    m_state.LastURL = address;
    // A new sequence, but the loading state waits for before-navigate. A host command or a
    // click inside the page waits for its own navigation's before-navigate instead.
    if (m_state.ClickPending && m_state.clickSource() == ClickSource::Window)
        m_model.beginSequence();
    m_model.recordAddress(address);
    // The pre-test only shows the sign early; before-navigate does the refusing.
    if (listsVerdict(address).verdict != Verdict::Allowed) {
        qCDebug(lcGuard) << "translate: would refuse" << address;
        m_model.SetNavState(NavState::Forbidden);
    }
}

void NavigationGuard::navigateComplete(FrameId frame)
{
    if (m_state.TopFrame == 0)
        m_state.TopFrame = frame;
}

void NavigationGuard::documentComplete(FrameId frame)
{
    // Frames complete on their own; only the top document ends the sequence.
    if (frame == 0 || frame != m_state.TopFrame)
        return;
    m_state.PageComplete = true;
    // Refused frames or embedded pages of an allowed page: the sign blinks once more.
    if (!m_model.refusedList().isEmpty())
        m_model.SetNavState(NavState::Forbidden);
    emit progressGaugeSet(100);
    emit popupPageCompleted(m_state.PopupShown);
    emit addCommandsHidden();
    m_model.SetNavState(NavState::Ready);
    m_model.showBrowserLocation();
    if (m_state.PopupShown && m_browser)
        m_browser->hideDocumentScrollBars();
    m_state.PopupShown = false;
    emit activeSiteChanged(m_browser ? m_browser->location() : QString());
    m_state.TopFrame = 0;
}

void NavigationGuard::navigateError()
{
    if (!m_videoPageShown)
        m_model.SetNavState(NavState::Broken);
}

void NavigationGuard::downloadComplete()
{
    emit activeSiteChanged(m_browser ? m_browser->location() : QString());
}

bool NavigationGuard::toggleFilter()
{
    const bool on = !m_state.FilterOn;
    m_state.FilterOn = on;
    qCDebug(lcGuard) << "filter" << (on ? "on" : "off");
    emit m_state.filterChanged(on);
    return on;
}

void NavigationGuard::switchFilterOn()
{
    if (m_state.FilterOn)
        return;
    m_state.FilterOn = true;
    qCDebug(lcGuard) << "filter on again";
    emit m_state.filterChanged(true);
}

QString NavigationGuard::filterLabelCaption() const
{
    return m_state.FilterOn ? turnFilterOffText() : turnFilterOnText();
}

QString NavigationGuard::filterStateCaption() const
{
    return m_state.FilterOn ? filterOnText() : filterOffText();
}

} // namespace tovalin
