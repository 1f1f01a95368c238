#include "parents/menu_lock.h"

#include <QCoreApplication>

namespace tovalin {

namespace {

QString saveFailedText(const WriteResult &result)
{
    return QCoreApplication::translate("MenuLock", "The password could not be saved: %1").arg(result.error);
}

} // namespace

MenuLock::MenuLock(PasswordStore store, QObject *parent) : QObject(parent), m_store(std::move(store)) {}

QString MenuLock::incompleteText()
{
    return QCoreApplication::translate("MenuLock", "You did not complete all fields");
}

QString MenuLock::differentPasswordsText()
{
    return QCoreApplication::translate("MenuLock", "You entered two different new passwords");
}

QString MenuLock::wrongPasswordLockText()
{
    return QCoreApplication::translate("MenuLock", "      Wrong password!      ");
}

QString MenuLock::wrongPasswordChangeText()
{
    return QCoreApplication::translate("MenuLock", "     Wrong password!     ");
}

QString MenuLock::notLockedWarning()
{
    return QCoreApplication::translate("MenuLock", "Attention: The ") + QCoreApplication::translate("MenuLock", "parents menu") + QCoreApplication::translate("MenuLock", " is not locked!") + QLatin1Char('\r')
           + QCoreApplication::translate("MenuLock", "Do you want to lock it now?");
}

void MenuLock::setLockedFromProfile(bool blokmenu)
{
    if (blokmenu == m_locked)
        return;
    m_locked = blokmenu;
    emit lockedChanged(m_locked);
}

MenuLock::MenuButtonAction MenuLock::menuButtonAction() const
{
    if (!m_store.exists())
        return MenuButtonAction::ShowCreateDialog;
    return m_locked ? MenuButtonAction::ShowLockDialog : MenuButtonAction::OpenMenu;
}

MenuLock::MenuButtonAction MenuLock::lockLinkAction() const
{
    return m_store.exists() ? MenuButtonAction::ShowLockDialog : MenuButtonAction::ShowCreateDialog;
}

QString MenuLock::lockDialogCaption() const
{
    return m_locked ? QCoreApplication::translate("MenuLock", "Unlock menu?") : QCoreApplication::translate("MenuLock", "Lock menu?");
}

void MenuLock::flip()
{
    m_locked = !m_locked;
    emit lockedChanged(m_locked);
    emit lockStateApplied(m_locked);
}

MenuLock::Confirmation MenuLock::createPassword(const QString &password, const QString &repeat)
{
    if (password.isEmpty() || repeat.isEmpty())
        return {false, {incompleteText()}};
    if (password != repeat)
        return {false, {differentPasswordsText()}};
    // The file is written before the flag flips, so a failed write neither changes the lock nor
    // claims a password that was never stored.
    const WriteResult written = m_store.store(password);
    if (!written.ok)
        return {false, {saveFailedText(written)}};
    flip();
    return {true, {}};
}

MenuLock::Confirmation MenuLock::lockOrUnlock(const QString &typed)
{
    const PasswordStore::Check check = m_store.verify(typed);
    if (check.status == PasswordStore::Status::Mismatch)
        return {false, {wrongPasswordLockText()}};
    if (!check.matched())
        return {false, {check.error}};
    flip();
    return {true, {}};
}

MenuLock::Confirmation MenuLock::changePassword(const QString &oldPassword, const QString &newPassword,
                                                const QString &repeat)
{
    // The stored password is read first: a file that cannot be read is reported before the fields.
    const QString fileError = m_store.fileError();
    if (!fileError.isEmpty())
        return {false, {fileError}};
    if (newPassword.isEmpty())
        return {false, {incompleteText()}};

    QStringList messages;
    const PasswordStore::Check check = m_store.verify(oldPassword);
    if (check.status == PasswordStore::Status::Mismatch)
        messages.append(wrongPasswordChangeText());
    else if (!check.matched())
        return {false, {check.error}};
    if (newPassword != repeat)
        messages.append(differentPasswordsText());
    if (!messages.isEmpty())
        return {false, messages};

    const WriteResult written = m_store.store(newPassword);
    if (!written.ok)
        return {false, {saveFailedText(written)}};
    flip();
    return {true, {}};
}

} // namespace tovalin
