#include "parents/quick_menu.h"

#include "guard/navigation_model.h"

#include <QCoreApplication>

namespace tovalin {

QuickMenuModel::QuickMenuModel(BlockAccept &commands, const ProgramState &state, UserProfile &profile, QObject *parent)
    : QAbstractListModel(parent), m_commands(commands), m_state(state), m_profile(profile),
      m_activeSite(QCoreApplication::translate("QuickMenuModel", "No site loaded"))
{
    connect(&m_commands.navigation(), &NavigationModel::historyChanged, this, &QuickMenuModel::onHistoryChanged);
    connect(&m_commands, &BlockAccept::listsEdited, this, &QuickMenuModel::repaint);
}

int QuickMenuModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_commands.navigation().addressHistory().size());
}

QVariant QuickMenuModel::data(const QModelIndex &index, int role) const
{
    const QStringList &items = m_commands.navigation().addressHistory();
    if (!index.isValid() || index.row() < 0 || index.row() >= items.size())
        return {};
    if (role == Qt::DisplayRole)
        return items.at(index.row());
    if (role == PassesRole)
        return m_commands.passes(items.at(index.row()));
    return {};
}

QString QuickMenuModel::selectedAddress() const
{
    const QStringList &items = m_commands.navigation().addressHistory();
    return m_selected >= 0 && m_selected < items.size() ? items.at(m_selected) : QString();
}

void QuickMenuModel::select(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    m_selected = row;
    m_everSelected = true;
    emit selectionChanged(row);
    emit linkStateChanged();
}

QuickMenuModel::LinkState QuickMenuModel::linkState() const
{
    if (!m_everSelected)
        return LinkState::Hidden;
    if (m_selected < 0)
        return LinkState::Block;
    return m_commands.passes(selectedAddress()) ? LinkState::Block : LinkState::Allow;
}

QString QuickMenuModel::linkCaption() const
{
    switch (linkState()) {
    case LinkState::Hidden: return {};
    case LinkState::Block: return AcceptListModel::blockText();
    case LinkState::Allow: return AcceptListModel::allowText();
    }
    return {};
}

void QuickMenuModel::chooseSelected()
{
    NavigationModel &navigation = m_commands.navigation();
    navigation.clearRefused();
    if (m_selected < 0)
        return;
    const QString address = selectedAddress();
    if (!m_commands.passes(address)) {
        navigation.SetNavState(NavState::Forbidden);
    } else if (m_commands.browser().location() != address) {
        m_commands.browser().navigate(address);
    }
    emit linkStateChanged();
}

ListEditResult QuickMenuModel::blockOrAllow()
{
    if (!m_everSelected || m_selected < 0)
        return {};
    const QString address = selectedAddress();
    if (linkState() == LinkState::Block)
        return m_commands.blockAddress(address, BlockAccept::AfterBlock::GoBack);
    return m_commands.allowAddress(address, BlockAccept::AfterAllow::SetReady);
}

StartPageResult QuickMenuModel::makeHomepage()
{
    return MakeStartPage(m_state, m_profile, m_commands.browser().location());
}

void QuickMenuModel::setActiveSite(const QString &location)
{
    if (location == m_activeSite)
        return;
    m_activeSite = location;
    emit activeSiteChanged(location);
}

void QuickMenuModel::onHistoryChanged()
{
    // The history only grows at the top: the selected address moves down with it.
    beginResetModel();
    const bool hadSelection = m_selected >= 0;
    endResetModel();
    if (hadSelection)
        ++m_selected;
    if (m_selected >= rowCount())
        m_selected = rowCount() - 1;
    emit selectionChanged(m_selected);
}

void QuickMenuModel::repaint()
{
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), {PassesRole});
    emit linkStateChanged();
}

} // namespace tovalin
