#pragma once
// The link editor `bewerktab1` on the parents' theme tab: the selected link's
// picture `bewerkplaatje`, its address `bewerkedit` and hint `Bewerkhint`,
// "Save" (`Klaarbutton`, shown once something was edited), "Remove"
// (`XiButton8`), "Up" (`omhoog`) and "Down" (`Omlaag`). A link click fills it.

#include <QObject>
#include <QSize>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tovalin {

class ProgramState;
class SiteLists;
class ThemeModel;

class LinkEditorPage : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<QSize()> linkPanelSize; ///< breedte × hoogte to record, −1 for a full side
        std::function<int()> columnHeight;    ///< the link column `Panel6`'s height
    };

    /// Fills `page` (`bewerktab1`).
    LinkEditorPage(ThemeModel &model, SiteLists &lists, ProgramState &state, QWidget *page, Hooks hooks,
                   QObject *parent = nullptr);

    /// A link click on slot n: picture, address and hint of the link; "Save" hidden.
    void showClickedLink(int slot);
    /// `SelectLink` (n): picture and address of the link.
    void showSelectedLink(int slot);

    void save();
    void remove();
    void up();
    void down();

    QLineEdit *addressEdit() const { return m_address; }
    QLineEdit *hintEdit() const { return m_hint; }
    QPushButton *saveButton() const { return m_save; }
    QLabel *picture() const { return m_picture; }

private:
    void clearFields();
    void edited();

    ThemeModel &m_model;
    SiteLists &m_lists;
    ProgramState &m_state;
    Hooks m_hooks;
    QLabel *m_picture = nullptr;  // bewerkplaatje
    QLineEdit *m_address = nullptr; // bewerkedit
    QLineEdit *m_hint = nullptr;  // Bewerkhint
    QPushButton *m_save = nullptr; // Klaarbutton
};

} // namespace tovalin
