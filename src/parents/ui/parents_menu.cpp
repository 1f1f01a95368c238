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
    // The password dialogs are built the first time one is opened.
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
        if (d)
            d->setMessageSink(message);
}

CreatePasswordDialog *ParentsMenu::createDialog()
{
    if (!m_create) {
        m_create = new CreatePasswordDialog(m_lock, m_dialogParent);
        m_create->setMessageSink(m_message);
    }
    return m_create;
}

LockMenuDialog *ParentsMenu::lockDialog()
{
    if (!m_lockDialog) {
        m_lockDialog = new LockMenuDialog(m_lock, m_dialogParent);
        m_lockDialog->setMessageSink(m_message);
        connect(m_lockDialog, &LockMenuDialog::changePasswordRequested, this, [this] { changeDialog()->open(); });
    }
    return m_lockDialog;
}

ChangePasswordDialog *ParentsMenu::changeDialog()
{
    if (!m_change) {
        m_change = new ChangePasswordDialog(m_lock, m_dialogParent);
        m_change->setMessageSink(m_message);
    }
    return m_change;
}

void ParentsMenu::menuButtonClicked()
{
    switch (m_lock.menuButtonAction()) {
    case MenuLock::MenuButtonAction::ShowCreateDialog:
        createDialog()->open();
        break;
    case MenuLock::MenuButtonAction::ShowLockDialog:
        lockDialog()->open();
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
        lockDialog()->open();
    else
        createDialog()->open();
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
        createDialog(), &QDialog::finished, this, [this, blokmenu] { lockStepAfterWizard(blokmenu); },
        Qt::SingleShotConnection);
    createDialog()->open();
}

void ParentsMenu::lockStepAfterWizard(bool blokmenu)
{
    if (!m_lock.store().exists()) {
        if (m_question(m_dialogParent, MenuLock::notLockedWarning()))
            createDialog()->open();
        return;
    }
    setLockedFromProfile(blokmenu);
    if (m_lock.locked())
        return;
    if (m_question(m_dialogParent, MenuLock::notLockedWarning()))
        lockDialog()->open();
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
