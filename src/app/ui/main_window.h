#pragma once
// The main window: the child's navigation bar, the picture-link column, the
// browser page and the other pages, the parents' menu bar and the status bar.
// It shows the models' state and forwards the user's actions; the rules live
// in the guard, users and themes logic.

#include "app/program_state.h"
#include "guard/navigation_model.h"

#include <QLabel>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QProgressBar;
class QStackedWidget;
class QStatusBar;
class QTimer;
class QToolButton;

namespace tovalin {

class Browser;
class NavigationGuard;
class SiteLists;
class SoundPlayer;
struct UserProfile;

/// What the main window needs of the program; created once in main.
struct MainWindowContext {
    ProgramState &state;
    UserProfile &profile;
    SiteLists &lists;
    NavigationModel &nav;
    NavigationGuard &guard;
    SoundPlayer &sound;
};

/// A label that acts as a link: hover colours of the parents' links and a clicked() signal.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);
signals:
    void clicked();
protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
private:
    void setColour(bool hover);
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    /// Heights of the top panel: with the parents' menu open, and without.
    static constexpr int kTopPanelParentsHeight = 177;
    static constexpr int kTopPanelChildHeight = 111;

    /// Builds the window around the visible browser and its view.
    MainWindow(MainWindowContext context, Browser &browser, QWidget *browserView, QWidget *parent = nullptr);

    /// Prepares a navigation the user asked for: stops transfers, fills the page
    /// with the browser panel, opens the click window, empties the refused list.
    void BeginUserNavigation();

    /// Opens or closes the parents' menu bar (and the taller top panel).
    void setParentsMenuOpen(bool open);
    bool parentsMenuOpen() const;
    /// Shows the parents' editing page or the child's navigation page.
    void showParentsPage(bool parentsPage);
    bool parentsPageShown() const;

    /// Opens the help page (in the default browser of the desktop, never inside the child's browser).
    void showHelp();

    /// The exit command: the only way out while key combinations are blocked.
    void quitProgram();

    /// Shows the user's and theme's names in the navigation bar.
    void setUserLabels(const QString &user, const QString &theme);
    /// Applies the user's window settings (print button, exit button, address bar, bars).
    void applyWindowSettings(const UserProfile &profile);

    /// The page control of the browser area (`PageControl1`) and the browser page.
    QStackedWidget *browserPages() const { return m_pageControl1; }
    QWidget *browserPage() const { return m_browserPage; }
    QWidget *timeUpPage() const { return m_timeupPage; }
    QWidget *hiddenBrowserPage() const { return m_hiddenEmbedded; }
    QWidget *browserPanel() const { return m_sizeablePanel; }
    QWidget *linkColumn() const { return m_linkColumn; }
    QWidget *linkArea() const { return m_linkArea; }
    QWidget *themeTab() const { return m_themaTab; }
    QWidget *switchClockStrip() const { return m_switchStrip; }
    QProgressBar *timeClockGauge() const { return m_timeGauge; }
    QStatusBar *statusBar() const { return m_statusBar; }

signals:
    /// A right click while the parents' menu is open: the quick menu is to show.
    void quickMenuRequested(const QPoint &globalPos);
    /// The first-run timer fired: the new-user wizard is to show.
    void firstRunWizardDue();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildMenuBar();
    QWidget *buildTopPanel();
    QWidget *buildNavigationBar();
    QWidget *buildParentsPage();
    QWidget *buildLinkColumn();
    QWidget *buildBrowserArea(QWidget *browserView);
    void wireBrowser();
    void wireIndicator();
    void showIndicator(NavState state);
    void fitBrowserPanel();
    void goToStartPage();
    void playClick();

    MainWindowContext m_ctx;
    Browser &m_browser;
    bool m_shownOnce = false;

    QWidget *m_menuBar = nullptr;       // Panel33
    QWidget *m_topPanel = nullptr;      // Panel9
    QStackedWidget *m_pageControl2 = nullptr;
    QWidget *m_navigatieTab = nullptr;
    QWidget *m_themaTab = nullptr;
    QWidget *m_navButtons = nullptr;    // navigatieknoppen
    QWidget *m_addressPanel = nullptr;
    QWidget *m_themePanel = nullptr;    // categoriepanel
    QWidget *m_userPanel = nullptr;
    QWidget *m_exitPanel = nullptr;
    QWidget *m_navBar = nullptr;        // navigatiebalk
    QLabel *m_imgForbidden = nullptr;   // Image12
    QLabel *m_imgLoading = nullptr;     // Image13
    QLabel *m_imgBroken = nullptr;      // Image9
    QLineEdit *m_edit1 = nullptr;
    QToolButton *m_btnBack = nullptr;   // ImgBtn1
    QToolButton *m_btnForward = nullptr;
    QToolButton *m_btnPrint = nullptr;  // ImgBtn7
    QLabel *m_userLabel = nullptr;
    QLabel *m_themeLabel = nullptr;     // Label3

    // Parents' page.
    QLineEdit *m_adresedit = nullptr;
    QLabel *m_status2 = nullptr;
    QLabel *m_toegestaan2 = nullptr;
    QLabel *m_verboden2 = nullptr;
    QLabel *m_kapot2 = nullptr;
    QLabel *m_popupImage = nullptr;
    QProgressBar *m_gauge2 = nullptr;
    LinkLabel *m_filterSwitch = nullptr; // Label29
    QLabel *m_filterState = nullptr;     // Label39
    LinkLabel *m_acceptBlock = nullptr;  // accepteerblokkeer

    QWidget *m_linkColumn = nullptr;    // Panel2
    QWidget *m_linkArea = nullptr;      // Panel6
    QWidget *m_miniMenu = nullptr;
    QStackedWidget *m_pageControl1 = nullptr;
    QWidget *m_browserPage = nullptr;
    QWidget *m_sizeablePanel = nullptr; // JvSizeablePanel1
    QListWidget *m_refusedList = nullptr; // ListBox1
    QWidget *m_hiddenEmbedded = nullptr;
    QWidget *m_timeupPage = nullptr;
    QWidget *m_selectPage = nullptr;
    QWidget *m_videoPage = nullptr;
    QProgressBar *m_timeGauge = nullptr; // ProgressBar1
    QWidget *m_switchStrip = nullptr;    // Panel15
    QStatusBar *m_statusBar = nullptr;

    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    QTimer *m_vertrager = nullptr;
    QTimer *m_wisseltimer = nullptr;
    QTimer *m_updatetimer = nullptr;
};

} // namespace tovalin
