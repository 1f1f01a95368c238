#pragma once
// The child's bar `navigatietab` on the top panel: the indicator signs, the navigation
// buttons, the address field, print, the theme and user names, the parents' menu button
// and exit. It shows what it is told and says which button was pressed; the main window
// decides what a press does.

#include "guard/navigation_model.h"
#include "platform/browser.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace tovalin {

struct UserProfile;

class ChildBar : public QWidget {
    Q_OBJECT
public:
    explicit ChildBar(QWidget *parent = nullptr);

    /// `Edit1`: the address the child may type.
    QLineEdit *addressEdit() const { return m_edit1; }
    /// `categoriepanel`: the theme caption and name (the theme chooser adds its title area).
    QWidget *themePanel() const { return m_themePanel; }
    /// `Label3`: the active theme's name.
    QLabel *themeLabel() const { return m_themeLabel; }

    /// `Image1`: the parents' menu button.
    QToolButton *parentsButton() const { return m_parentsButton; }
    /// Puts a widget right after the indicator signs (the Ask button).
    void addBesideIndicator(QWidget *widget);

    void setUserLabels(const QString &user, const QString &theme);
    /// The bar's part of the user's window settings: print, exit, address field, the bar
    /// itself, navigation buttons, theme and user names.
    void applyWindowSettings(const UserProfile &profile);
    /// One sign at a time: forbidden (while it may show), loading or broken.
    void showIndicator(NavState state, bool forbiddenVisible);
    void setForbiddenVisible(bool visible);
    /// Back or forward enabled as the browser can go there.
    void setCommandEnabled(BrowserCommand command, bool enabled);

signals:
    void backClicked();
    void forwardClicked();
    void stopClicked();
    void refreshClicked();
    void homeClicked();
    /// Go, or Enter in the address field.
    void goClicked();
    void printClicked();
    void parentsButtonClicked();
    void exitClicked();

private:
    QWidget *m_navButtons = nullptr;    // navigatieknoppen
    QWidget *m_addressPanel = nullptr;
    QWidget *m_themePanel = nullptr;    // categoriepanel
    QWidget *m_userPanel = nullptr;     // gebruikerpanel
    QWidget *m_exitPanel = nullptr;     // sluitpanel
    QWidget *m_navBar = nullptr;        // navigatiebalk
    QLabel *m_imgForbidden = nullptr;   // Image12
    QLabel *m_imgLoading = nullptr;     // Image13
    QLabel *m_imgBroken = nullptr;      // Image9
    QLineEdit *m_edit1 = nullptr;
    QToolButton *m_btnBack = nullptr;   // ImgBtn1
    QToolButton *m_btnForward = nullptr; // ImgBtn2
    QToolButton *m_btnPrint = nullptr;  // ImgBtn7
    QLabel *m_userLabel = nullptr;      // gebruikerlabel
    QLabel *m_themeLabel = nullptr;     // Label3
    QToolButton *m_parentsButton = nullptr; // Image1
};

} // namespace tovalin
