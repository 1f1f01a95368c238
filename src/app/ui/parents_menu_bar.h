#pragma once
// The parents' menu bar `Panel33` above the top panel: its links (theme's, users, clocks,
// help, home page, lock, exit) and its close button. Hidden until the parents' menu opens.

#include <QWidget>

class QToolButton;

namespace tovalin {

class LinkLabel;

class ParentsMenuBar : public QWidget {
    Q_OBJECT
public:
    explicit ParentsMenuBar(QWidget *parent = nullptr);

    /// A link by its name (`Label45` … `Label51`, `Label44`); null for another name.
    LinkLabel *link(const QString &objectName) const;
    /// `Image49`.
    QToolButton *closeButton() const { return m_close; }

signals:
    /// "Theme's": the parents' page is to show.
    void themesClicked();
    void helpClicked();
    /// "Exit Tovalin".
    void exitClicked();
    /// The close button: the menu is to close.
    void closeClicked();

private:
    QToolButton *m_close = nullptr;
};

} // namespace tovalin
