#include "guard/download_request.h"

#include "guard/guard_log.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "media/media_fetch.h"
#include "media/video_names.h"
#include "platform/browser.h"
#include "platform/head_probe.h"
#include "users/user_profile.h"

namespace tovalin {

namespace {

struct VideoKind {
    QLatin1StringView ext;
    bool UserProfile::*setting;
};

const VideoKind kVideoKinds[] = {
    {QLatin1StringView(".wmv"), &UserProfile::Toonwmv},   {QLatin1StringView(".mov"), &UserProfile::Toonmov},
    {QLatin1StringView(".asf"), &UserProfile::Toonasf},   {QLatin1StringView(".mpeg"), &UserProfile::Toonmpeg},
    {QLatin1StringView(".mpg"), &UserProfile::Toonmpg},   {QLatin1StringView(".avi"), &UserProfile::Toonavi},
};

// The kind of Windows Media description a small answer's content type names; empty for none.
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

DownloadRequest::DownloadRequest(SiteLists &lists, NavigationModel &model, const UserProfile &profile, HeadProbe *head,
                                 MediaFetcher *media, QObject *parent)
    : QObject(parent)
    , m_lists(lists)
    , m_model(model)
    , m_profile(profile)
    , m_head(head)
    , m_media(media)
{
}

void DownloadRequest::attachTo(Browser &browser)
{
    connect(&browser, &Browser::fileDownloadRequested, this,
            [this](const QString &address) { TovalinDownloadMgr1URLstring(address); });
}

DownloadOutcome DownloadRequest::TovalinDownloadMgr1URLstring(const QString &address)
{
    qCDebug(lcGuard) << "download request" << address;
    // The guard has just taken this navigation over itself (a video it fetches): the
    // engine's own download of it is dropped once, silently.
    if (m_media && m_media->suppressed) {
        m_media->suppressed = false;
        qCDebug(lcGuard) << "  suppressed";
        return DownloadOutcome::Suppressed;
    }

    // 1. The lists' two refusal tests.
    if (m_lists.IsNotWhitelisted(address) || m_lists.IsBlacklisted(address)) {
        // Listed first, so the parents' accept command offers it at once.
        m_model.addRefused(address);
        m_model.SetNavState(NavState::Forbidden);
        qCDebug(lcGuard) << "  refused by the lists";
        return DownloadOutcome::Refused;
    }

    // 2. What the server says it is, asked only when an answer can lead to something the user
    // allows: a download nothing can come of is dropped without asking its server again.
    const QString lower = address.toLower();
    bool answerMatters = m_profile.ToonWindowsMedia || m_profile.ToonQuickTime;
    for (const VideoKind &kind : kVideoKinds) {
        if (m_profile.*kind.setting && videonames::endsWithExtension(lower, kind.ext))
            answerMatters = true;
    }
    if (!answerMatters) {
        m_model.SetNavState(NavState::Forbidden2);
        qCDebug(lcGuard) << "  no kind the user allows: dropped unasked";
        return DownloadOutcome::Forbidden;
    }
    m_model.SetNavState(NavState::Loading);
    const HeadAnswer answer = m_head ? m_head->head(address) : HeadAnswer{};
    if (!answer.ok) {
        // Nothing is fetched; the indicator says the server did not answer rather than loading on.
        m_model.SetNavState(NavState::Broken);
        qCDebug(lcGuard) << "  head failed: dropped";
        return DownloadOutcome::Dropped;
    }
    const bool small = answer.contentLength >= 0 && answer.contentLength <= kSmallAnswerBytes;

    // 3. A video file by its ending.
    bool fetched = false;
    bool shownForbidden = false;
    DownloadOutcome outcome = DownloadOutcome::Forbidden;
    if (!small) {
        for (const VideoKind &kind : kVideoKinds) {
            if (!videonames::endsWithExtension(lower, kind.ext))
                continue;
            if (m_profile.*kind.setting && m_media) {
                m_media->fetchVideo(address, QString(kind.ext).mid(1));
                fetched = true;
                outcome = DownloadOutcome::Video;
            } else {
                m_model.SetNavState(NavState::Forbidden2);
                shownForbidden = true;
            }
        }
    }

    // 4. A stream description by its type or name.
    if (small && m_media) {
        QString kind;
        if (m_profile.ToonWindowsMedia)
            kind = windowsMediaKind(answer.contentType);
        if (kind.isEmpty() && m_profile.ToonQuickTime) {
            if (videonames::endsWithExtension(lower, QStringLiteral(".qtl")))
                kind = QStringLiteral("qtl");
            else if (answer.contentType == u"video/quicktime")
                kind = QStringLiteral("qt");
        }
        if (!kind.isEmpty()) {
            m_media->fetchReference(address, kind);
            fetched = true;
            outcome = DownloadOutcome::Reference;
        }
    }

    // 5. Everything else is dropped without a trace; the sign shows (and sounds) once.
    if (!fetched && !shownForbidden)
        m_model.SetNavState(NavState::Forbidden2);
    qCDebug(lcGuard) << "  outcome" << int(outcome) << answer.contentType << answer.contentLength;
    return outcome;
}

} // namespace tovalin
