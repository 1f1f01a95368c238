#pragma once
// The picture-link column `Panel2` left of the browser: the parents' mini menu (while the
// child's bar is hidden), the scroll buttons and the link area `Panel6`, whose 200 slots
// the link panel fills from the active theme.

#include <QWidget>

class QToolButton;

namespace tovalin {

class Browser;
class LinkPanel;
class ProgramState;
class SoundPlayer;
class ThemeModel;
struct UserProfile;

class PicturePanel : public QWidget {
    Q_OBJECT
public:
    explicit PicturePanel(QWidget *parent = nullptr);

    /// Makes the link panel over the theme model in `Panel6`, with the scroll buttons. Once.
    LinkPanel *showThemes(ThemeModel &model, ProgramState &state, const UserProfile &profile, SoundPlayer &sound,
                          Browser &browser);
    LinkPanel *linkPanel() const { return m_linkPanel; }
    /// `Panel6`.
    QWidget *linkArea() const { return m_linkArea; }
    /// `Image16`: the parents' menu button of the mini menu.
    QToolButton *parentsButton() const { return m_parentsButton; }
    /// `minimenu`: shown while the child's bar is hidden.
    void setMiniMenuVisible(bool visible);

signals:
    /// `Image16`, the parents' menu button of the mini menu.
    void parentsButtonClicked();

private:
    QWidget *m_miniMenu = nullptr;
    QWidget *m_linkArea = nullptr;
    QToolButton *m_parentsButton = nullptr; // Image16
    QToolButton *m_scrollUp = nullptr;   // ImgBtn8
    QToolButton *m_scrollDown = nullptr; // ImgBtn9
    LinkPanel *m_linkPanel = nullptr;
};

} // namespace tovalin
