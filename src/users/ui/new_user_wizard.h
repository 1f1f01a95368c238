#pragma once
// The new-user wizard `Tstartscherm`: seven pages without tabs that a parent
// walks with "Next >>" and "<< Back": welcome (first start only), name, age,
// shortcut, another user, start user, done. A "Close" link in the title band
// ends it at any step without activating anyone.

#include "users/shortcut_icons.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace tovalin {

class IconPicker;
class NewUserSteps;

class NewUserWizard : public QDialog {
    Q_OBJECT
public:
    enum Page { WelcomePage = 0, NamePage, AgePage, ShortcutPage, AnotherUserPage, StartUserPage, DonePage };
    using Message = std::function<void(QWidget *parent, const QString &text)>;

    NewUserWizard(NewUserSteps &steps, const QString &programFolder, QWidget *parent = nullptr);

    /// The first start: caption "Welcome at the Tovalin!", the Welcome page, modal.
    void showFirstStart();
    /// From the user manager: caption "Wizard add user", a reset Name page, not modal; it
    /// stays over the manager (its window), which the parent can still use.
    void showFromManager(QWidget *manager);

    Page currentPage() const;
    void setMessage(Message message) { m_message = std::move(message); }

signals:
    /// "Finish": the user (maybe none) has been activated; the password steps are to follow.
    void finishedWithUser(const QString &name);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildTitleBand();
    QWidget *page(const QString &objectName);
    QWidget *buildWelcomePage();
    QWidget *buildNamePage();
    QWidget *buildAgePage();
    QWidget *buildShortcutPage();
    QWidget *buildAnotherUserPage();
    QWidget *buildStartUserPage();
    QWidget *buildDonePage();
    QPushButton *button(const QString &text, const QString &objectName, QWidget *parent);

    void goTo(Page page);
    void resetNamePage();
    void nameNext();
    void shortcutNext();
    void startUserChosen(const QString &name);
    void startUserNext();
    void finish();

    NewUserSteps &m_steps;
    QString m_programFolder;
    Message m_message;

    QLabel *m_title = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_name = nullptr;          // Edit1
    QPushButton *m_nameNext = nullptr;
    QLabel *m_ageHeading = nullptr;
    QSpinBox *m_age = nullptr;            // SpinEdit1
    QLabel *m_shortcutHeading = nullptr;
    QCheckBox *m_shortcut = nullptr;      // CheckBox1
    QWidget *m_iconPanel = nullptr;
    IconPicker *m_icons = nullptr;
    QLabel *m_addedLabel = nullptr;
    QComboBox *m_startUser = nullptr;     // ComboBox1
    QLabel *m_startExplain1 = nullptr;
    QLabel *m_startExplain2 = nullptr;
};

} // namespace tovalin
