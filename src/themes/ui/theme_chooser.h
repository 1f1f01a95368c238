#pragma once
// The theme chooser of the navigation bar (`categoriepanel`): the active
// theme's name `Label3` on the click area `Image2`, the open and close arrows
// `Image14`/`Image15`, and the drop-down `popuppanel` with the list `ListBox2`
// of the themes the active user may use. A pick makes that theme active.

#include "themes/link_panel_layout.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QWidget;

namespace tovalin {

class ProgramState;
class SoundPlayer;
class ThemeModel;

class ThemeChooser : public QObject {
    Q_OBJECT
public:
    /// The active user's allowed themes.
    using AllowedThemes = std::function<QStringList()>;

    /// Builds the click area around `label3` (reparented into it) and the drop-down, a child of `window`.
    ThemeChooser(ThemeModel &model, ProgramState &state, SoundPlayer &sound, QLabel *label3, QWidget *window,
                 AllowedThemes allowedThemes, QObject *parent = nullptr);

    /// `Image2` with `Label3` and the arrows: the caller places it in the navigation bar.
    QWidget *titleArea() const { return m_image2; }
    QWidget *dropDown() const { return m_popupPanel; }
    QListWidget *list() const { return m_list; }
    QLabel *openArrow() const { return m_openArrow; }
    QLabel *closeArrow() const { return m_closeArrow; }

    /// `FillThemeChooser`: lists the allowed themes, shows the titles, picks a default active theme
    /// (nothing is loaded) and sets the arrows.
    void FillThemeChooser();
    QStringList entries() const { return m_entries; }
    bool isOpen() const { return m_view.dropDownOpen; }

    /// A click on `Image2` or `Label3`: opens or closes the drop-down when there is more than one theme.
    void titleClicked();
    /// A click on the open arrow opens the drop-down, whatever the count, without a sound; the close
    /// arrow plays the click and closes it.
    void openArrowClicked();
    void closeArrowClicked();
    /// A click on a theme of the list.
    void pick(const QString &theme);

signals:
    /// The theme tab's title `thematitel` is to show this text.
    void themeTitleChanged(const QString &title);
    /// A pick made this theme active (its links and site lists are loaded).
    void themeActivated(const QString &theme);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void open();
    void close();
    void apply(const linkpanel::ChooserView &view);
    void playClick();

    ThemeModel &m_model;
    ProgramState &m_state;
    SoundPlayer &m_sound;
    QLabel *m_label3;
    QWidget *m_window;
    AllowedThemes m_allowed;
    QPointer<QWidget> m_image2;     // guarded: the program-wide filter may outlive the window
    QLabel *m_openArrow = nullptr;  // Image14
    QLabel *m_closeArrow = nullptr; // Image15
    QPointer<QWidget> m_popupPanel;
    QListWidget *m_list = nullptr;  // ListBox2
    QStringList m_entries;
    linkpanel::ChooserView m_view;
};

} // namespace tovalin
