#include "activity/activity_recorder.h"

#include "state/program_state.h"
#include "users/user_store.h"

namespace tovalin {

ActivityRecorder::ActivityRecorder(const ProgramState &state, ActivityLog &log, RequestStore &requests, Clock clock,
                                   QObject *parent)
    : QObject(parent), m_state(state), m_log(log), m_requests(requests), m_clock(std::move(clock))
{
    if (!m_clock)
        m_clock = [] { return QDateTime::currentDateTime(); };
    m_surfUser = m_state.activeUser();
    m_surfTheme = m_state.activeTheme();
}

bool ActivityRecorder::hasUser() const
{
    return UserStore::isUsableName(m_state.activeUser());
}

QString ActivityRecorder::refusalReason(Verdict verdict)
{
    const QString name = verdictName(verdict);
    const QLatin1StringView prefix("refused:");
    return name.startsWith(prefix) ? name.mid(prefix.size()) : QString();
}

bool ActivityRecorder::askable(const QString &reason)
{
    return reason == u"whitelist" || reason == u"blacklist" || reason == u"category";
}

void ActivityRecorder::navigationDecided(const QString &address, bool mainFrame, Decision decision)
{
    const QString reason = decision.cancel ? refusalReason(decision.verdict) : QString();
    if (hasUser()) {
        if (!reason.isEmpty())
            m_log.refused(m_state.activeUser(), m_state.activeTheme(), address, reason, now());
        else if (decision.verdict == Verdict::Video || decision.verdict == Verdict::Reference)
            m_log.videoPlayed(m_state.activeUser(), m_state.activeTheme(), address, now());
    }
    if (!mainFrame)
        return;
    // Every navigation of the page ends the offer; a refusal by the lists makes a new one. The
    // same address refused again after the child asked keeps the "sent" state.
    if (hasUser() && askable(reason)) {
        if (m_askState == AskState::Sent && m_askAddress == address)
            return;
        m_askAddress = address;
        m_askReason = reason;
        m_askTheme = m_state.activeTheme();
        m_askedId = 0;
        setAskState(AskState::Offered);
        return;
    }
    m_askAddress.clear();
    setAskState(AskState::Hidden);
}

void ActivityRecorder::pageCompleted(const QString &address)
{
    if (hasUser() && !address.isEmpty())
        m_log.pageVisited(m_state.activeUser(), m_state.activeTheme(), address, now());
}

void ActivityRecorder::surfed(int seconds)
{
    if (UserStore::isUsableName(m_surfUser) && seconds > 0)
        m_log.surfed(m_surfUser, m_surfTheme, seconds, now());
    followSurfer();
}

void ActivityRecorder::followSurfer()
{
    m_surfUser = m_state.activeUser();
    m_surfTheme = m_state.activeTheme();
}

void ActivityRecorder::ask()
{
    if (m_askState == AskState::Hidden || m_askAddress.isEmpty() || !hasUser())
        return;
    Request request;
    request.user = m_state.activeUser();
    request.theme = m_askTheme;
    request.address = m_askAddress;
    request.reason = m_askReason;
    request.asked = now();
    const RequestStore::Added added = m_requests.add(request);
    if (!added.written.ok) {
        setAskState(AskState::Failed);
        return;
    }
    m_askedId = added.id;
    if (added.isNew) {
        request.id = added.id;
        m_log.requested(request);
        emit requestsChanged();
    }
    setAskState(AskState::Sent);
}

void ActivityRecorder::requestAnswered(int id)
{
    m_requests.reload();
    if (const std::optional<Request> r = m_requests.find(id))
        m_log.answered(*r);
    emit requestsChanged();
}

void ActivityRecorder::setAskState(AskState state)
{
    if (state == m_askState)
        return;
    m_askState = state;
    emit askStateChanged(state);
}

} // namespace tovalin
