#pragma once
// The main window: the child's navigation bar, the picture-link column, the
// browser page and the other pages, the parents' menu bar and the status bar.
// It shows the models' state and forwards the user's actions; the rules live
// in the guard, users and themes logic.

#include "state/program_state.h"
#include "app/ui/sizeable_panel.h"
#include "guard/navigation_model.h"

#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QHBoxLayout;
class QLineEdit;
class QPrinter;
class QListWidget;
class QProgressBar;
class QStackedWidget;
class QStatusBar;
class QTimer;
class QToolButton;

namespace tovalin {

class Browser;
class LinkPanel;
class NavigationGuard;
class PopupGuard;
class ThemeChooser;
class ThemeModel;
class ThemeTab;
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
    /// How the link shows the mouse over it: the hover colour, or an underline.
    enum class Hover { Colour, Underline };
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr, Hover hover = Hover::Colour);
signals:
    void clicked();
protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
private:
    void setColour(bool hover);
    Hover m_hover;
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    /// Heights of the top panel: with the parents' menu open, and without.
    static constexpr int kTopPanelParentsHeight = 177;
    static constexpr int kTopPanelChildHeight = 111;

    /// Builds the window around the visible browser and its view.
    MainWindow(MainWindowContext context, Browser &browser, QWidget *browserView, QWidget *parent = nullptr);
    ~MainWindow() override;

    // --- Picture links, theme chooser, theme tab ---------------------------
    /// Builds the picture-link slots in `Panel6` and the theme chooser over the theme model;
    /// `allowedThemes` gives the active user's allowed themes. Called once, after construction.
    void setUpThemes(ThemeModel &model, std::function<QStringList()> allowedThemes);
    LinkPanel *linkPanel() const { return m_linkPanel; }
    ThemeChooser *themeChooser() const { return m_themeChooser; }
    ThemeTab *themeTabPages() const { return m_themeTabPages; }
    /// `FillThemeChooser`.
    void fillThemeChooser();

    // --- Pop-ups ------------------------------------------------------------
    /// Shows `Label30` and its icon `Image34` as the pop-up guard says and forwards their clicks.
    void attachPopupGuard(PopupGuard &popups);
    /// The browser panel takes this size through its resize rule; a negative side stays as it is.
    void resizeBrowserPanel(int width, int height);
    SizeablePanel *sizeableBrowserPanel() const { return m_sizeablePanel; }

    /// `ImgBtn7`: prints the page on show after the print dialog (which the parent may cancel).
    void printPage();

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
    QWidget *videoPage() const { return m_videoPage; }
    QWidget *browserPanel() const { return m_sizeablePanel; }
    QWidget *linkColumn() const { return m_linkColumn; }
    QWidget *linkArea() const { return m_linkArea; }
    QWidget *themeTab() const { return m_themaTab; }
    QWidget *switchClockStrip() const { return m_switchStrip; }
    QProgressBar *timeClockGauge() const { return m_timeGauge; }
    QStatusBar *statusBar() const { return m_statusBar; }

    // The parents' controls.
    /// The parents' address field `adresedit` and the child's address field `Edit1`.
    QLineEdit *parentsAddressEdit() const { return m_adresedit; }
    QLineEdit *childAddressEdit() const { return m_edit1; }
    /// `accepteerblokkeer` on the parents' page.
    LinkLabel *acceptBlockLink() const { return m_acceptBlock; }
    /// Puts a widget in the child's bar right after the forbidden sign (the Ask button).
    void addBesideIndicator(QWidget *widget);
    /// The parents' menu buttons: `Image1` in the child's bar and `Image16` in the mini menu.
    QList<QToolButton *> parentsMenuButtons() const;
    /// Puts a widget right after `adresedit` in its row (the parents' list commands).
    void addToParentsAddressRow(QWidget *widget);
    /// A link of the parents' menu bar by its name (`Label47`, `Label48`, `Label51`, ...).
    LinkLabel *menuBarLink(const QString &objectName) const;
    /// The menu bar's close button `Image49` (it hides the bar itself).
    QToolButton *menuBarCloseButton() const { return m_menuClose; }
    /// The foreign-window guard's timer `Timer1` and the update check's `updatetimer`.
    QTimer *foreignWindowTimer() const { return m_timer1; }
    QTimer *updateTimer() const { return m_updatetimer; }

signals:
    /// A parents' menu button (`Image1` in the navigation bar, `Image16` in the mini menu) was pressed.
    void parentsButtonClicked();
    /// A right click while the parents' menu is open: the quick menu is to show.
    void quickMenuRequested(const QPoint &globalPos);
    /// The first-run timer fired: the new-user wizard is to show.
    void firstRunWizardDue();
    /// Back was pressed while the video page showed: the player is to stop.
    void videoPlaybackStopRequested();
    /// A link click or a user navigation (BeginUserNavigation) begins: a running video transfer is to be cancelled.
    void transfersCancelRequested();
    /// The parents' menu bar has opened or closed (the desktop lock follows it).
    void parentsMenuOpenChanged(bool open);
    /// The window closes for good and the program ends (the watchdog and the desktop lock go first).
    void programEnding();
    /// The parents left the theme page: the user's window settings apply again, the clocks
    /// started or stopped by them as at activation.
    void userWindowSettingsDue();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
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
    void themeTabShown();
    void themeTabHidden();
    void showLinkAddress(int slot);
    void sizePanelForLink(int hoogte, int breedte);

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
    SizeablePanel *m_sizeablePanel = nullptr; // JvSizeablePanel1
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

    // Parents' controls.
    QHBoxLayout *m_parentsAddressRow = nullptr;
    QToolButton *m_menuClose = nullptr;  // Image49

    // Picture links, chooser, theme tab, pop-ups and print.
    ThemeModel *m_themes = nullptr;
    LinkPanel *m_linkPanel = nullptr;
    ThemeChooser *m_themeChooser = nullptr;
    ThemeTab *m_themeTabPages = nullptr;
    QToolButton *m_scrollUp = nullptr;   // ImgBtn8
    QToolButton *m_scrollDown = nullptr; // ImgBtn9
    QWidget *m_terug2 = nullptr;
    QWidget *m_vooruit2 = nullptr;
    LinkLabel *m_label30 = nullptr;
    QLabel *m_image34 = nullptr;
    PopupGuard *m_popups = nullptr;
    bool m_popupAskedOnThisPage = false;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace tovalin
