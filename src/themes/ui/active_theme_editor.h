#pragma once
// The active theme editor `Taktiefthemaform` ("Edit active theme"): a left menu
// and seven pages: save as, delete, add theme, the whitelist, blacklist and
// pop-up list, and export. The three list boxes are views on the one set of
// site lists the guard reads; every change on them is saved at once.

#include "guard/site_lists.h"

#include <QDialog>
#include <QSize>
#include <array>
#include <functional>

class QLabel;
class QModelIndex;
class QLineEdit;
class QListView;
class QListWidget;
class QProcess;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace tovalin {

class ProgramState;
class ThemeModel;

class ActiveThemeEditor : public QDialog {
    Q_OBJECT
public:
    enum class Page { SaveAs, Delete, AddTheme, Whitelist, Blacklist, Popup, Export };

    /// The outcome of writing a theme archive: empty when it worked, else why it did not.
    using ArchiveWriter = std::function<QString(const QString &theme, const QString &archivePath)>;

    struct Hooks {
        std::function<void(const QString &address)> showInBrowser; ///< the main browser navigates
        std::function<void()> fillThemeChooser;                    ///< `FillThemeChooser`
        std::function<void(int link)> selectLink;                  ///< `SelectLink`
        std::function<void()> stopForeignWindowGuard;              ///< the mail program's window may come up
        std::function<void(QWidget *parent, const QString &text)> inform;
        std::function<bool(QWidget *parent, const QString &question)> ask; ///< yes → true
        /// The save dialog of "Local...": the chosen path, or empty when cancelled.
        std::function<QString(QWidget *parent, const QString &title, const QString &suggestedPath)> exportPath;
        /// Writes a theme archive; without one, export is not offered.
        ArchiveWriter writeArchive;
        /// The vendor's web host, named in the e-mail.
        QString vendorHost;
        /// A note the list pages show beside an entry ("today only"), empty for none.
        std::function<QString(SiteList which, const QString &entry)> entryNote;
    };

    ActiveThemeEditor(ThemeModel &model, SiteLists &lists, ProgramState &state, Hooks hooks,
                      QWidget *parent = nullptr);
    ~ActiveThemeEditor() override;

    /// Shows the dialog (modal) on a page, centred on its parent.
    void openOn(Page page);
    /// Brings a page to the front as its menu entry does.
    void showPage(Page page);
    QWidget *page(Page page) const;

    /// The hooks, for replacing the message boxes and dialogs (tests do).
    Hooks &hooks() { return m_hooks; }

    /// Whether e-mail can be sent (`xdg-email` was found when the dialog was made).
    bool emailAvailable() const { return !m_xdgEmail.isEmpty(); }

    // The actions of the pages, as their buttons do them.
    void saveAs();
    void deleteTheme();
    void addPickedTheme();
    void exportLocal();
    void exportEmail();

private:
    struct ListPage {
        SiteList which = SiteList::White;
        QWidget *page = nullptr;
        QListView *view = nullptr;
        QLineEdit *field = nullptr;
        QPushButton *add = nullptr;
        QPushButton *change = nullptr;
        QPushButton *remove = nullptr;
        QToolButton *levelUp = nullptr;
        QPushButton *show = nullptr; ///< whitelist only
        QLabel *warning = nullptr;   ///< whitelist only: the entry in the field matches more than a site
    };

    QWidget *buildMenu();
    QWidget *buildSaveAsPage();
    QWidget *buildDeletePage();
    QWidget *buildAddThemePage();
    QWidget *buildExportPage();
    void buildListPage(ListPage &lp, const char *pageName, const QString &title, const char *listName,
                       const char *fieldName, const std::array<const char *, 5> &buttonNames);
    QWidget *pageFrame(const char *objectName, const QString &title);

    void pageShown(Page page);
    void listPageShown(ListPage &lp);
    void listEntryClicked(ListPage &lp, const QModelIndex &index);
    void listFieldEdited(ListPage &lp);
    void listAdd(ListPage &lp);
    void listChange(ListPage &lp);
    void listDelete(ListPage &lp);
    void listLevelUp(ListPage &lp);
    void listShowInBrowser(ListPage &lp);
    int selectedRow(const ListPage &lp) const;
    QString writeArchiveOrSay(const QString &path);
    void inform(const QString &text);
    bool eventFilter(QObject *watched, QEvent *event) override;

    ThemeModel &m_model;
    SiteLists &m_lists;
    ProgramState &m_state;
    Hooks m_hooks;
    QString m_xdgEmail;

    QStackedWidget *m_pages = nullptr;
    std::array<QWidget *, 7> m_pageWidgets{};
    std::array<QLabel *, 7> m_activeLabels{};
    std::array<ListPage, 3> m_listPages;

    QLineEdit *m_saveName = nullptr;     // URLedit
    QPushButton *m_saveButton = nullptr; // Opslaan
    QWidget *m_savedPanel = nullptr;
    QListWidget *m_savedList = nullptr;  // ListBox5
    QListWidget *m_themeList = nullptr;  // ListBox1
    QLabel *m_pickLabel = nullptr;
    QPushButton *m_addTheme = nullptr;
    QPushButton *m_menuEmail = nullptr;
    QPushButton *m_menuLocal = nullptr;
    QPushButton *m_pageEmail = nullptr;
    QPushButton *m_pageLocal = nullptr;
    QProcess *m_mail = nullptr;
};

} // namespace tovalin
