#pragma once
// The quick menu `Tpopper` ("Shortcut menu"): a small borderless window that
// stays on top, called up by a right click while the parents' menu is open.
// It shows QuickMenuModel and forwards the parent's choices.

#include <QFrame>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;

namespace tovalin {

class QuickMenuModel;

/// One entry of the quick menu: a caption with a smaller sub-caption; highlighted under the mouse.
class QuickMenuEntry : public QFrame {
    Q_OBJECT
public:
    QuickMenuEntry(const QString &caption, const QString &subCaption, const QColor &restBackground,
                   QWidget *parent = nullptr);
    QLabel *captionLabel() const { return m_caption; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setHighlighted(bool on);
    QLabel *m_caption = nullptr;
    QLabel *m_sub = nullptr;
    QColor m_rest;
};

class QuickMenuWindow : public QWidget {
    Q_OBJECT
public:
    /// Entries that open windows made elsewhere; hidden until an opener is given.
    enum class WindowEntry { User, Theme, UserManager, ThemeManager };
    using Message = std::function<void(QWidget *parent, const QString &text)>;

    /// The label `Label19` fits its text into this many pixels.
    static constexpr int kActiveSiteWidth = 375;

    QuickMenuWindow(QuickMenuModel &model, QWidget *mainWindow, QWidget *parent = nullptr);

    /// Shows the menu (centred on the main window the first time) and selects the newest address.
    void showMenu();

    /// "Clocks" opens the clocks dialog through this.
    void setClocksOpener(std::function<void()> open) { m_openClocks = std::move(open); }
    /// "Help" opens the help file through this.
    void setHelpOpener(std::function<void()> open) { m_openHelp = std::move(open); }
    /// Shows an entry and gives it its action (the quick menu closes first).
    void setWindowEntry(WindowEntry entry, std::function<void()> open);
    void setMessage(Message message) { m_message = std::move(message); }

    /// Label19's text for a location: elided at its end to fit kActiveSiteWidth in the label's font.
    QString fittedActiveSite(const QString &location) const;

    /// Moves the window's top-left corner to topLeft, kept inside the available screen.
    void moveClamped(const QPoint &topLeft);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    /// Escape closes the menu, as "Close" does.
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showActiveSite(const QString &location);
    void updateLink();
    void chooseRow(int row);
    void blockOrAllow();
    void makeHomepage();

    QuickMenuModel &m_model;
    QWidget *m_mainWindow = nullptr;
    bool m_shownOnce = false;
    QPoint m_dragOffset;
    QComboBox *m_urlList = nullptr;   // URLlist
    QLabel *m_activeSite = nullptr;   // Label19
    QWidget *m_linkRow = nullptr;
    QLabel *m_blockIcon = nullptr;    // img16
    QLabel *m_allowIcon = nullptr;    // imgal
    QuickMenuEntry *m_blockAllow = nullptr; // Label22
    QuickMenuEntry *m_user = nullptr, *m_theme = nullptr, *m_userManager = nullptr, *m_themeManager = nullptr;
    std::function<void()> m_openClocks;
    std::function<void()> m_openHelp;
    std::function<void()> m_openUser, m_openTheme, m_openUserManager, m_openThemeManager;
    Message m_message;
    QString m_location;
};

} // namespace tovalin
