#include "state/program_state.h"

namespace tovalin {

ProgramState::ProgramState(QObject *parent)
    : QObject(parent)
{
    m_geklikt.setObjectName(QStringLiteral("geklikt"));
    m_geklikt.setSingleShot(true);
    m_geklikt.setInterval(kClickWindowMs);
    connect(&m_geklikt, &QTimer::timeout, this, [this] { ClickPending = false; });
}

void ProgramState::setActiveUser(const QString &name)
{
    if (m_activeUser == name)
        return;
    m_activeUser = name;
    emit activeUserChanged(name);
}

void ProgramState::setActiveTheme(const QString &name)
{
    if (m_activeTheme == name)
        return;
    m_activeTheme = name;
    emit activeThemeChanged(name);
}

void ProgramState::openClickWindow()
{
    // The press that leads to a host command or a page click comes first; what it leads to
    // decides which navigation opens the sequence.
    if (ClickPending && m_clickSource != ClickSource::Window)
        return;
    ClickPending = true;
    m_clickSource = ClickSource::Window;
    m_geklikt.start(kClickWindowMs);
}

void ProgramState::openHostNavigation()
{
    ClickPending = true;
    m_clickSource = ClickSource::Host;
    m_geklikt.stop();
}

void ProgramState::openPageClick()
{
    ClickPending = true;
    m_clickSource = ClickSource::Page;
    m_geklikt.start(kPageClickWaitMs);
}

void ProgramState::closeClickWindow()
{
    ClickPending = false;
    m_clickSource = ClickSource::Window;
    m_geklikt.stop();
}

} // namespace tovalin
