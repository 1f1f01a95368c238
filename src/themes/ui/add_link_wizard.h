#pragma once
// The add-link wizard on the parents' theme tab: step 1 and 2 (`voegtoetab1`,
// the camera `Image24`), step 3 (`voegtoetab2`, the address), step 4
// (`voegtoetab4`, the hint) and step 5 (`voegtoetab3`, the whitelist entry and
// "Add"), with the capture page's picture `zoekimage` where the parent picks
// the square. Nothing is written before "Add".

#include "themes/bmp_codec.h"

#include <QObject>
#include <QSize>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QWidget;

namespace tovalin {

class ProgramState;
class SelectionPicture;
class SiteLists;
class SoundPlayer;
class ThemeModel;

class AddLinkWizard : public QObject {
    Q_OBJECT
public:
    /// What the wizard needs of the main window.
    struct Hooks {
        std::function<QString()> browserAddress;       ///< the visible browser's location
        std::function<QSize()> linkPanelSize;          ///< breedte × hoogte to record, −1 for a full side
        std::function<bool()> browserPageShowing;      ///< the browser page is the one on show
        std::function<Bitmap()> captureBrowserPage;    ///< what the screen shows over the browser page
        std::function<void()> showSelectPage;          ///< the capture page `SelectPage`
        std::function<void()> showBrowserPage;
        std::function<void()> showNavigatePage;        ///< `Themabewerkentab1` on the theme tab
        std::function<void()> openThemeManager;        ///< modal theme manager; may be empty
        std::function<void(QWidget *parent, const QString &text)> message;
    };

    /// Fills `firstPage` (`voegtoetab1`) and adds the pages of steps 3 to 5 to `pages`; puts
    /// `zoekimage` on `selectPage`.
    AddLinkWizard(ThemeModel &model, SiteLists &lists, ProgramState &state, SoundPlayer &sound, QStackedWidget *pages,
                  QWidget *firstPage, QWidget *selectPage, Hooks hooks, QObject *parent = nullptr);

    QWidget *firstPage() const { return m_page1; }   ///< `voegtoetab1`
    QWidget *addressPage() const { return m_page2; } ///< `voegtoetab2`
    QWidget *hintPage() const { return m_page4; }    ///< `voegtoetab4`
    QWidget *entryPage() const { return m_page3; }   ///< `voegtoetab3`
    SelectionPicture *picture() const { return m_picture; }
    const Bitmap &thumbnail() const { return m_thumbnail; }
    /// How messages show (a message box unless replaced, as tests do).
    void setMessage(std::function<void(QWidget *parent, const QString &text)> message)
    {
        m_hooks.message = std::move(message);
    }

    /// "Add to favorites" opened the wizard: the hint field is emptied.
    void started();
    /// The camera `Image24`.
    void cameraClicked();
    /// A click on `zoekimage` at a point of the browser page.
    void squareChosen(QPoint point);
    /// Step 3 "Continue >".
    void continueFromAddress();
    /// Step 5 one level up.
    void entryLevelUp();
    /// Step 5 "Add".
    void add();

signals:
    /// A link was added to the active theme.
    void linkAdded(const QString &id);

private:
    QWidget *buildFirstPage(QWidget *page);
    QWidget *buildAddressPage();
    QWidget *buildHintPage();
    QWidget *buildEntryPage();
    void showPage(QWidget *page);
    void showMessage(const QString &text);

    ThemeModel &m_model;
    SiteLists &m_lists;
    ProgramState &m_state;
    SoundPlayer &m_sound;
    QStackedWidget *m_pages;
    Hooks m_hooks;

    QWidget *m_page1 = nullptr; // voegtoetab1
    QWidget *m_page2 = nullptr; // voegtoetab2
    QWidget *m_page4 = nullptr; // voegtoetab4
    QWidget *m_page3 = nullptr; // voegtoetab3
    QToolButton *m_camera = nullptr; // Image24
    QLabel *m_preview1 = nullptr;    // selectie1
    QLabel *m_preview2 = nullptr;    // selectie2
    QLabel *m_preview3 = nullptr;    // selectie3
    QLineEdit *m_urlEdit = nullptr;  // URLedit
    QLineEdit *m_hintEdit = nullptr; // HintEdit
    QLineEdit *m_entryEdit = nullptr; // kindvriendelijkedit
    SelectionPicture *m_picture = nullptr; // zoekimage
    Bitmap m_thumbnail;
};

} // namespace tovalin
