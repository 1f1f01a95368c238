#pragma once
// The quick menu `Tpopper`: the recent-address list `URLlist` with the
// guard's verdicts, the active-site text, the "Block"/"Allow" link and the
// "Homepage" entry. The window itself only shows this model.

#include "guard/block_accept.h"
#include "parents/start_page.h"

#include <QAbstractListModel>

namespace tovalin {

class ProgramState;
struct UserProfile;

class QuickMenuModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { PassesRole = Qt::UserRole + 1 };
    /// The link `Label22`: hidden until an address is first selected, then following the selected
    /// address's verdict ("Block" when it passes, "Allow" when it is refused).
    enum class LinkState { Hidden, Block, Allow };

    QuickMenuModel(BlockAccept &commands, const ProgramState &state, UserProfile &profile, QObject *parent = nullptr);

    /// Rows: the navigation model's address history, newest first.
    int rowCount(const QModelIndex &parent = {}) const override;
    /// DisplayRole: the address; PassesRole: true when neither refusal test refuses it (green), else red.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    int selectedRow() const { return m_selected; }
    QString selectedAddress() const;
    /// Selects a row (the list's own selection).
    void select(int row);
    /// Selects the newest address: after each completed document and on every show.
    void selectFirst() { select(0); }

    LinkState linkState() const;
    /// "Block" or "Allow"; empty while hidden.
    QString linkCaption() const;

    /// `URLlistClick`: empties the refused list; a refused selection sets "forbidden" and is not
    /// opened; an allowed one is opened unless the browser shows it already.
    void chooseSelected();
    /// `Label22Click`: blocks (and goes back) or allows (and opens) the selected address.
    ListEditResult blockOrAllow();
    /// `Label8Click`: the page shown becomes the active user's start page.
    StartPageResult makeHomepage();

    /// `Label19`: the browser's location, "No site loaded" before the first document.
    const QString &activeSite() const { return m_activeSite; }
    void setActiveSite(const QString &location);

signals:
    void selectionChanged(int row);
    void linkStateChanged();
    void activeSiteChanged(const QString &text);

private:
    void onHistoryChanged();
    void repaint();

    BlockAccept &m_commands;
    const ProgramState &m_state;
    UserProfile &m_profile;
    int m_selected = -1;
    bool m_everSelected = false;
    QString m_activeSite;
};

} // namespace tovalin
