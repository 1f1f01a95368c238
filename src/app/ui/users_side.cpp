#include "app/ui/users_side.h"

#include "app/ui/main_window.h"
#include "app/ui/parents_side.h"
#include "parents/ui/parents_menu.h"
#include "parents/ui/quick_menu_window.h"
#include "state/program_state.h"
#include "themes/theme_files.h"
#include "users/desktop_launcher.h"
#include "users/new_user_steps.h"
#include "users/ui/new_user_wizard.h"
#include "users/ui/user_manager_dialog.h"
#include "users/user_manager.h"
#include "users/user_profile.h"

namespace tovalin {

UsersSide::UsersSide(Context context, QObject *parent)
    : QObject(parent)
    , m_ctx(std::move(context))
{
    DesktopShell *desktop = m_ctx.desktop;
    if (!desktop) {
        m_ownDesktop = std::make_unique<SystemDesktopShell>();
        desktop = m_ownDesktop.get();
    }
    m_manager = std::make_unique<UserManager>(m_ctx.state, m_ctx.profile, m_ctx.store, m_ctx.session, *desktop,
                                              m_ctx.executable);
    m_steps = std::make_unique<NewUserSteps>(m_ctx.state, m_ctx.store, m_ctx.session, *desktop, m_ctx.executable);
    m_steps->setThemeInstaller([&state = m_ctx.state](const QStringList &themes) {
        installStarterThemes(state.starterThemesFolder(), state.themesFolder(), themes);
    });

    // The manager and the wizard are built when first opened: a child's start-up needs neither.
    MainWindow &w = m_ctx.window;
    auto openManager = [this] { managerDialog().openOn(managerDialog().currentPage()); };
    if (LinkLabel *users = w.menuBarLink(QStringLiteral("Label46")))
        connect(users, &LinkLabel::clicked, this, openManager);
    m_ctx.parents.setQuickMenuEntry(QuickMenuWindow::WindowEntry::UserManager, openManager);
    m_ctx.parents.setQuickMenuEntry(QuickMenuWindow::WindowEntry::User,
                                    [this] { managerDialog().openOn(UserManagerDialog::OpenPage); });
    connect(&w, &MainWindow::firstRunWizardDue, this, [this] { wizard().showFirstStart(); });
}

void UsersSide::buildWindows()
{
    if (m_managerDialog)
        return;
    MainWindow &w = m_ctx.window;
    m_managerDialog = new UserManagerDialog(*m_manager, m_ctx.state.ProgramFolder, &w);
    m_wizard = new NewUserWizard(*m_steps, m_ctx.state.ProgramFolder, &w);
    connect(m_managerDialog, &UserManagerDialog::wizardRequested, m_wizard,
            [this] { m_wizard->showFromManager(m_managerDialog); });
    connect(m_wizard, &NewUserWizard::finishedWithUser, this, &UsersSide::wizardFinished);
    // Back from the wizard, the manager shows what the wizard made.
    connect(m_wizard, &QDialog::finished, m_managerDialog, [this] {
        if (m_managerDialog->isVisible())
            m_managerDialog->reactivate();
    });
    for (const auto &setUp : std::exchange(m_dialogSetUps, {}))
        setUp(*m_managerDialog);
}

void UsersSide::whenManagerDialogBuilt(std::function<void(UserManagerDialog &)> setUp)
{
    if (m_managerDialog)
        setUp(*m_managerDialog);
    else
        m_dialogSetUps.push_back(std::move(setUp));
}

UserManagerDialog &UsersSide::managerDialog()
{
    buildWindows();
    return *m_managerDialog;
}

NewUserWizard &UsersSide::wizard()
{
    buildWindows();
    return *m_wizard;
}

UsersSide::~UsersSide() = default;

void UsersSide::wizardFinished()
{
    m_ctx.parents.parentsMenu().passwordStepsAfterWizard(m_ctx.profile.Blokmenu);
}

} // namespace tovalin
