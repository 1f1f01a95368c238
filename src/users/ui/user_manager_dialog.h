#pragma once
// The user manager `Tgebruikersform` ("Users"): a navigation bar of links on
// the left and eight pages without tabs. It shows the shared profile of the
// active user and forwards every action to UserManager; questions and
// messages are asked here.

#include <QDialog>
#include <functional>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace tovalin {

class IconPicker;
class UserManager;
struct UserProfile;

namespace userslook {
class NavLink;
}

class UserManagerDialog : public QDialog {
    Q_OBJECT
public:
    /// The pages in page-control order (the close checks use the index).
    enum Page { SecurityPage = 0, ThemesPage, ExtraPage, ShortcutPage, SaveAsPage, NewUserPage, OpenPage, DeletePage };

    /// A Yes/No question; true for Yes.
    using Question = std::function<bool(QWidget *parent, const QString &text)>;
    using Message = std::function<void(QWidget *parent, const QString &text)>;

    /// programFolder holds the shortcut icons.
    UserManagerDialog(UserManager &manager, const QString &programFolder, QWidget *parent = nullptr);

    /// The Security page's line under "Block key combinations": which lock is in force here.
    void setLockInForce(const QString &text);

    /// Opens the manager (modal to its parent) on a page.
    void openOn(Page page);
    /// Makes a page current as its navigation link does.
    void showPage(Page page);
    Page currentPage() const;

    /// The manager's Activate: the saved profile of the active user is loaded again, the
    /// available themes refilled, and every control shows the profile.
    void reactivate();

    /// Puts a column beside the Security page's settings (SafeSearch and the category lists);
    /// the manager grows wide enough to show it.
    void addSecurityColumn(QWidget *column);

    /// Replace the boxes (tests answer instead of blocking).
    void setQuestion(Question question) { m_question = std::move(question); }
    void setMessage(Message message) { m_message = std::move(message); }

    /// "Close" and the window's close button: the clock checks, the save question, then the
    /// close takes effect. Returns false when the manager stays open.
    void reject() override;

signals:
    /// "Wizard": the new-user wizard is to show (not modal).
    void wizardRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildNavigation();
    QWidget *buildSecurityPage();
    QWidget *buildThemesPage();
    QWidget *buildExtraPage();
    QWidget *buildShortcutPage();
    QWidget *buildSaveAsPage();
    QWidget *buildNewUserPage();
    QWidget *buildOpenPage();
    QWidget *buildDeletePage();
    QWidget *page(const QString &objectName, const QString &title, QLabel **userLabel = nullptr);
    QCheckBox *settingBox(const QString &text, const QString &objectName, bool UserProfile::*field, QWidget *parent);

    void showSettings();
    void showUserLabels();
    void fillThemeLists();
    void fillUserList(QListWidget *list, QLabel *label, QPushButton *action);
    bool runCloseSteps();

    void addTheme();
    void removeTheme();
    void moveTheme(int step);
    void createUser();
    void saveAs();
    void save();
    void openSelected();
    void startUserBoxClicked();
    void deleteSelected();
    void createShortcut();

    UserManager &m_manager;
    UserProfile &m_profile;
    QString m_programFolder;
    Question m_question;
    Message m_message;

    QStackedWidget *m_pages = nullptr;
    QHBoxLayout *m_securityColumns = nullptr;
    QLabel *m_lockInForce = nullptr;
    QList<QLabel *> m_activeUserLabels; // the settings pages' "Active user: "
    QList<QPair<QCheckBox *, bool UserProfile::*>> m_settingBoxes;
    QLabel *m_status = nullptr;

    QListWidget *m_available = nullptr;
    QListWidget *m_allowed = nullptr;
    QLineEdit *m_startUrl = nullptr;
    QLineEdit *m_timeMinutes = nullptr;   // tijdedit
    QLineEdit *m_switchMinutes = nullptr; // wisseledit
    IconPicker *m_icons = nullptr;

    QLineEdit *m_saveAsName = nullptr;
    QPushButton *m_saveAsButton = nullptr;
    QLabel *m_saveAsUserLabel = nullptr;
    QWidget *m_saveAsResult = nullptr;
    QListWidget *m_saveAsList = nullptr;

    QLineEdit *m_newName = nullptr;
    QCheckBox *m_activateNew = nullptr;
    QPushButton *m_createButton = nullptr;
    QWidget *m_newResult = nullptr;
    QListWidget *m_newList = nullptr;

    QListWidget *m_openList = nullptr;
    QLabel *m_openLabel = nullptr;
    QPushButton *m_openButton = nullptr;
    QCheckBox *m_startUserBox = nullptr;

    QListWidget *m_deleteList = nullptr;
    QLabel *m_deleteLabel = nullptr;
    QPushButton *m_deleteButton = nullptr;
};

} // namespace tovalin
