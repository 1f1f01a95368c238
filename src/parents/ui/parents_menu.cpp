#include "parents/ui/parents_menu.h"

#include "parents/menu_lock.h"
#include "parents/start_page.h"
#include "parents/ui/password_dialogs.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace tovalin {

namespace {

bool askWarning(QWidget *parent, const QString &text)
{
    return QMessageBox::warning(parent, QStringLiteral("Tovalin"), text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::Yes)
        == QMessageBox::Yes;
}

} // namespace

ParentsMenu::ParentsMenu(MenuLock &lock, ProgramState &state, UserProfile &profile, ParentsMenuHost host,
                         UpdateTimerStarter *updateTimer, QWidget *dialogParent, QObject *parent)
    : QObject(parent)
    , m_lock(lock)
    , m_state(state)
    , m_profile(profile)
    , m_host(std::move(host))
    , m_update(updateTimer)
    , m_dialogParent(dialogParent)
    , m_question(askWarning)
    , m_message(showParentsMessage)
{
    m_create = new CreatePasswordDialog(m_lock, dialogParent);
    m_lockDialog = new LockMenuDialog(m_lock, dialogParent);
    m_change = new ChangePasswordDialog(m_lock, dialogParent);
    connect(m_lockDialog, &LockMenuDialog::changePasswordRequested, m_change, &QDialog::open);
    connect(&m_lock, &MenuLock::lockStateApplied, this, &ParentsMenu::applyLockState);
}

ParentsMenu::~ParentsMenu()
{
    // With a parent window the dialogs are its children and go with it (it may go first).
    if (!m_dialogParent) {
        delete m_create;
        delete m_lockDialog;
        delete m_change;
    }
}

QString ParentsMenu::lockMenuText()
{
    return QCoreApplication::translate("ParentsMenu", "Lock menu");
}

void ParentsMenu::setMessage(Message message)
{
    m_message = message;
    for (PasswordDialogBase *d : {static_cast<PasswordDialogBase *>(m_create),
                                  static_cast<PasswordDialogBase *>(m_lockDialog),
                                  static_cast<PasswordDialogBase *>(m_change)})
        d->setMessageSink(message);
}

void ParentsMenu::menuButtonClicked()
{
    switch (m_lock.menuButtonAction()) {
    case MenuLock::MenuButtonAction::ShowCreateDialog:
        m_create->open();
        break;
    case MenuLock::MenuButtonAction::ShowLockDialog:
        m_lockDialog->open();
        break;
    case MenuLock::MenuButtonAction::OpenMenu:
        if (m_host.setMenuOpen)
            m_host.setMenuOpen(true);
        if (m_host.releaseDesktop)
            m_host.releaseDesktop();
        menuOpened();
        break;
    }
}

void ParentsMenu::openLockLinkDialog()
{
    if (m_lock.lockLinkAction() == MenuLock::MenuButtonAction::ShowLockDialog)
        m_lockDialog->open();
    else
        m_create->open();
}

void ParentsMenu::lockLinkClicked()
{
    openLockLinkDialog();
}

void ParentsMenu::menuClosed()
{
    if (m_lock.locked())
        return;
    if (m_question(m_dialogParent, MenuLock::notLockedWarning()))
        openLockLinkDialog();
}

void ParentsMenu::createHomepage()
{
    const StartPageResult result =
        MakeStartPage(m_state, m_profile, m_host.location ? m_host.location() : QString());
    m_message(m_dialogParent, result.message);
}

void ParentsMenu::setLockedFromProfile(bool blokmenu)
{
    m_lock.setLockedFromProfile(blokmenu);
    if (m_lock.locked()) {
        if (m_host.setMenuOpen)
            m_host.setMenuOpen(false);
    } else if (m_host.setLockLinkText) {
        m_host.setLockLinkText(lockMenuText());
    }
}

void ParentsMenu::menuOpened()
{
    m_update.menuOpened();
}

void ParentsMenu::applyCurrentLockState()
{
    applyLockState(m_lock.locked());
}

void ParentsMenu::passwordStepsAfterWizard(bool blokmenu)
{
    if (m_lock.store().exists()) {
        lockStepAfterWizard(blokmenu);
        return;
    }
    connect(
        m_create, &QDialog::finished, this, [this, blokmenu] { lockStepAfterWizard(blokmenu); },
        Qt::SingleShotConnection);
    m_create->open();
}

void ParentsMenu::lockStepAfterWizard(bool blokmenu)
{
    if (!m_lock.store().exists()) {
        if (m_question(m_dialogParent, MenuLock::notLockedWarning()))
            m_create->open();
        return;
    }
    setLockedFromProfile(blokmenu);
    if (m_lock.locked())
        return;
    if (m_question(m_dialogParent, MenuLock::notLockedWarning()))
        m_lockDialog->open();
}

void ParentsMenu::applyLockState(bool locked)
{
    if (locked) {
        if (m_host.setMenuOpen)
            m_host.setMenuOpen(false);
        return;
    }
    if (m_host.setLockLinkText)
        m_host.setLockLinkText(lockMenuText());
    if (m_host.setMenuOpen)
        m_host.setMenuOpen(true);
    if (m_host.releaseDesktop)
        m_host.releaseDesktop();
    menuOpened();
}

} // namespace tovalin
