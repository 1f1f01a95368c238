#include "guard/navigation_model.h"

#include "state/program_state.h"
#include "core/text.h"
#include "guard/guard_log.h"
#include "platform/browser.h"
#include "platform/sound.h"

#include <QCoreApplication>

namespace tovalin {

QString navStateName(NavState state)
{
    switch (state) {
    case NavState::Ready: return QStringLiteral("ready");
    case NavState::Loading: return QStringLiteral("loading");
    case NavState::Forbidden: return QStringLiteral("forbidden");
    case NavState::Forbidden2: return QStringLiteral("forbidden2");
    case NavState::Broken: return QStringLiteral("broken");
    }
    return {};
}

NavigationModel::NavigationModel(ProgramState &state, SoundPlayer &sound, QObject *parent)
    : QObject(parent)
    , m_program(state)
    , m_sound(sound)
    , m_acceptBlockCaption(blockActiveSiteText())
{
    m_knipperverboden.setObjectName(QStringLiteral("knipperverboden"));
    m_knipperverboden.setInterval(kBlinkIntervalMs);
    connect(&m_knipperverboden, &QTimer::timeout, this, &NavigationModel::onBlinkTick);
}

QString NavigationModel::blockActiveSiteText()
{
    return QCoreApplication::translate("NavigationModel", "Block active site");
}

QString NavigationModel::allowBlockedSiteText()
{
    return QCoreApplication::translate("NavigationModel", "Allow blocked site");
}

void NavigationModel::SetNavState(NavState state)
{
    qCDebug(lcGuard) << "nav state" << navStateName(state);
    m_state = state;
    m_blinkCount = 0;
    switch (state) {
    case NavState::Ready:
        m_knipperverboden.stop();
        setForbiddenVisible(false);
        setCaption(blockActiveSiteText());
        break;
    case NavState::Loading:
        m_knipperverboden.stop();
        setForbiddenVisible(false);
        break;
    case NavState::Forbidden:
    case NavState::Forbidden2:
        if (state == NavState::Forbidden)
            setCaption(m_refused.isEmpty() ? blockActiveSiteText() : allowBlockedSiteText());
        setForbiddenVisible(true);
        // A repeated refusal restarts the three blinks from the beginning.
        m_knipperverboden.start();
        showBrowserLocation();
        m_sound.play(m_program.soundPath(QStringLiteral("verboden.wav")));
        break;
    case NavState::Broken:
        m_knipperverboden.stop();
        setForbiddenVisible(false);
        showBrowserLocation();
        break;
    }
    emit navStateChanged(state);
}

void NavigationModel::onBlinkTick()
{
    ++m_blinkCount;
    setForbiddenVisible(!m_forbiddenVisible);
    if (m_blinkCount >= kBlinkToggles)
        m_knipperverboden.stop();
}

void NavigationModel::setForbiddenVisible(bool visible)
{
    if (m_forbiddenVisible == visible)
        return;
    m_forbiddenVisible = visible;
    emit forbiddenVisibleChanged(visible);
}

void NavigationModel::setCaption(const QString &caption)
{
    if (m_acceptBlockCaption == caption)
        return;
    m_acceptBlockCaption = caption;
    emit acceptBlockCaptionChanged(caption);
}

void NavigationModel::showBrowserLocation()
{
    if (m_browser)
        emit addressDisplaysSet(m_browser->location());
}

void NavigationModel::addRefused(const QString &address)
{
    if (m_refused.contains(address))
        return;
    m_refused.append(address);
    emit refusedListChanged();
}

void NavigationModel::clearRefused()
{
    if (m_refused.isEmpty())
        return;
    m_refused.clear();
    emit refusedListChanged();
}

void NavigationModel::addToNavlijst(const QString &address)
{
    if (m_navlijst.contains(address, Qt::CaseInsensitive))
        return;
    m_navlijst.prepend(address);
    emit navlijstChanged();
}

void NavigationModel::clearNavlijst()
{
    if (m_navlijst.isEmpty())
        return;
    m_navlijst.clear();
    emit navlijstChanged();
}

void NavigationModel::addToHistory(const QString &address)
{
    if (!m_history.isEmpty() && m_history.constFirst() == address)
        return;
    m_history.prepend(address);
    if (m_history.size() > kMaxHistory)
        m_history.resize(kMaxHistory);
    emit historyChanged();
}

void NavigationModel::beginSequence()
{
    m_program.closeClickWindow();
    m_program.PageComplete = false;
    clearNavlijst();
    clearRefused();
}

void NavigationModel::recordAddress(const QString &address)
{
    if (!isWebAddress(address))
        return;
    addToHistory(address);
    addToNavlijst(address);
}

} // namespace tovalin
