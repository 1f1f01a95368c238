#pragma once
// The users windows, assembled and wired to the main window: the user manager
// (parents' menu "Users", the quick menu's "User" and "User manager") and the
// new-user wizard (the manager's "Wizard", and by itself on a first start).

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace tovalin {

class DesktopShell;
class MainWindow;
class NewUserSteps;
class NewUserWizard;
class ParentsSide;
class ProgramState;
class UserManager;
class UserManagerDialog;
class UserSession;
class UserStore;
struct UserProfile;

class UsersSide : public QObject {
    Q_OBJECT
public:
    struct Context {
        ProgramState &state;
        UserProfile &profile;
        UserStore &store;
        UserSession &session;
        MainWindow &window;
        ParentsSide &parents;
        /// The program the desktop launchers start.
        QString executable;
        /// Where launchers go and how they are marked; null: the real desktop.
        DesktopShell *desktop = nullptr;
    };

    explicit UsersSide(Context context, QObject *parent = nullptr);
    ~UsersSide() override;

    UserManager &manager() { return *m_manager; }
    /// The windows, built on first use.
    UserManagerDialog &managerDialog();
    NewUserWizard &wizard();
    /// Runs set-up on the manager's window once it is built (at once if it is already there),
    /// so a start-up that never opens it does not build it.
    void whenManagerDialogBuilt(std::function<void(UserManagerDialog &)> setUp);

private:
    void buildWindows();
    void wizardFinished();

    Context m_ctx;
    std::unique_ptr<DesktopShell> m_ownDesktop;
    std::unique_ptr<UserManager> m_manager;
    std::unique_ptr<NewUserSteps> m_steps;
    // Windows: children of the main window, deleted with it.
    UserManagerDialog *m_managerDialog = nullptr;
    NewUserWizard *m_wizard = nullptr;
    std::vector<std::function<void(UserManagerDialog &)>> m_dialogSetUps;
};

} // namespace tovalin
