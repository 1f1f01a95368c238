#pragma once
// `Talgemeenthemaform`, "Edit theme's: general": the parents' dialog for all themes at once.
// New, Open and Delete a theme; import one from the vendor's theme page or from a .tvz file,
// under its own name or a new one. The import itself is theme_import's, run off the window's
// thread; the dialog asks the questions and shows the outcome.

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace tovalin {

class NewNameDialog;
class ProgramState;

class ThemeManagerDialog : public QDialog {
    Q_OBJECT
public:
    /// What the dialog asks of the rest of the program.
    struct Hooks {
        /// ActiveTheme = name, LoadTheme (to top), LoadSiteLists, FillThemeChooser, SelectLink(1).
        std::function<void(const QString &name)> activateTheme;
        /// After a delete: ActiveTheme = name (the first theme left, or "Geen thema aanwezig"),
        /// SelectedLink 1, LoadTheme (to top), LoadSiteLists, FillThemeChooser.
        std::function<void(const QString &name)> switchTheme;
        /// "Internet": the main browser opens the vendor's theme page at the page's full size.
        std::function<void()> openThemePage;
    };

    ThemeManagerDialog(ProgramState &state, Hooks hooks, QWidget *parent = nullptr);

    /// Opens the dialog modally on its open page (as every opening does).
    void runModal();
    /// `ImportArchive` for a chosen file: asks what the name rules need, imports, activates when
    /// ticked. True when a theme was imported.
    bool importArchive(const QString &archivePath);
    /// Refreshes the open and delete pages' lists (a download changed the themes).
    void refreshLists();
    /// The tick "Activate the imported theme" (`directcheck`), kept between uses.
    bool activateImported() const;
    /// The new-name dialog, shared with the theme download.
    NewNameDialog *newNameDialog() const { return m_newName; }

    // Pages and controls, for the windows' tests.
    QWidget *newPage() const { return m_newPage; }       ///< `nieuwthema`
    QWidget *openPage() const { return m_openPage; }     ///< `openentab`
    QWidget *deletePage() const { return m_deletePage; } ///< `verwijderentab`
    QWidget *importPage() const { return m_importPage; } ///< `importerentab`
    QWidget *currentPage() const;

    /// The file dialog "Local..." opens: a Qt dialog, so tests and every desktop see the same one.
    static constexpr const char *kFileDialogName = "importfiledialog";

private:
    QWidget *buildMenu();
    QWidget *buildNewPage();
    QWidget *buildListPage(const char *objectName, const QString &title, const char *listName,
                           const char *labelName, const QString &buttonText, const char *buttonName,
                           QListWidget **list, QLabel **label);
    QWidget *buildImportPage();
    void showPage(QWidget *page);
    void fillList(QListWidget *list, QLabel *label);
    void createTheme();
    void openTheme();
    void deleteTheme();
    void internet();
    void localImport();
    /// Runs the import on a worker while the dialog keeps painting; the import's own result.
    bool runImport(const QString &archivePath, const QString &archiveTheme, const QString &target);

    ProgramState &m_state;
    Hooks m_hooks;
    NewNameDialog *m_newName = nullptr;
    QStackedWidget *m_pages = nullptr;
    QWidget *m_newPage = nullptr;
    QWidget *m_openPage = nullptr;
    QWidget *m_deletePage = nullptr;
    QWidget *m_importPage = nullptr;
    QLineEdit *m_newEdit = nullptr;     // nieuwthemaedit
    QWidget *m_savedPanel = nullptr;    // "The new theme has been saved as"
    QLabel *m_savedName = nullptr;
    QListWidget *m_openList = nullptr;  // ListBox4
    QLabel *m_openLabel = nullptr;
    QListWidget *m_deleteList = nullptr; // ListBox1
    QLabel *m_deleteLabel = nullptr;
    QCheckBox *m_activate = nullptr;    // directcheck
};

} // namespace tovalin
