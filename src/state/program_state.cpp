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
    ClickPending = true;
    m_geklikt.start();
}

void ProgramState::closeClickWindow()
{
    ClickPending = false;
    m_geklikt.stop();
}

} // namespace tovalin
