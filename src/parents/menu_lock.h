#pragma once
// The menu-locked flag and the three password dialogs' rules: create a
// password (`Twachtwoord1`), lock or unlock the menu (`Tblokmenu`) and change
// the password (`TVeranderen`).
//
// Every confirmation that succeeds flips the flag once and asks the main
// window to apply the new state (hide the parents' menu when locked; show it,
// release the desktop lock and stop the foreign-window guard when unlocked).
// The dialogs show the returned messages, in order, each in an information box.

#include "parents/password_store.h"

#include <QObject>
#include <QStringList>

namespace tovalin {

class MenuLock : public QObject {
    Q_OBJECT
public:
    /// What a parents' menu button (`Image1`, `Image16`) leads to.
    enum class MenuButtonAction { ShowCreateDialog, ShowLockDialog, OpenMenu };

    /// The outcome of a dialog's OK.
    struct Confirmation {
        /// The password was accepted: the flag flipped, the dialog empties its entries and closes.
        bool accepted = false;
        /// The texts to show, in this order (wrong password, mismatch, file errors).
        QStringList messages;
    };

    explicit MenuLock(PasswordStore store, QObject *parent = nullptr);

    const PasswordStore &store() const { return m_store; }

    bool locked() const { return m_locked; }
    /// Sets the flag from the user's "Lock menu on startup" (`Blokmenu`), at activation and at the
    /// end of the new-user wizard; applies nothing.
    void setLockedFromProfile(bool blokmenu);

    /// Image1Click: no password file → create dialog; locked → lock dialog; otherwise open the menu.
    MenuButtonAction menuButtonAction() const;
    /// The "Lock menu" link and the close warning's Yes: the lock dialog, or the create dialog without a password.
    MenuButtonAction lockLinkAction() const;

    /// `Tblokmenu`'s caption: "Unlock menu?" while locked, "Lock menu?" otherwise.
    QString lockDialogCaption() const;

    /// `Twachtwoord1` OK with the new and repeated password.
    Confirmation createPassword(const QString &password, const QString &repeat);
    /// `Tblokmenu` OK with the typed password.
    Confirmation lockOrUnlock(const QString &typed);
    /// `TVeranderen` OK with the old, new and repeated password.
    Confirmation changePassword(const QString &oldPassword, const QString &newPassword, const QString &repeat);

    /// Shown when the parents' menu closes while unlocked (Yes opens lockLinkAction()).
    static QString notLockedWarning();

    static QString incompleteText();
    static QString differentPasswordsText();
    /// The lock dialog's text (six blanks each side).
    static QString wrongPasswordLockText();
    /// The change dialog's text (five blanks each side).
    static QString wrongPasswordChangeText();

signals:
    /// The flag changed (from a confirmation or from a profile).
    void lockedChanged(bool locked);
    /// A confirmation flipped the flag: the main window applies the lock state now.
    void lockStateApplied(bool locked);

private:
    void flip();

    PasswordStore m_store;
    bool m_locked = true;
};

} // namespace tovalin
