#pragma once
// The sizeable browser panel `JvSizeablePanel1` on the browser page: it fills
// the page, or takes the size a link, a pop-up or the parent's drag asks for,
// bounded by the page and by 80 × 60 at the least, centred on the page.

#include <QWidget>

class QSizeGrip;

namespace tovalin {

class SizeablePanel : public QWidget {
    Q_OBJECT
public:
    /// A panel on `page` (its parent), filling it.
    explicit SizeablePanel(QWidget *page);

    /// The resize rule: the size is bounded by the page and by 80 × 60, and the panel is centred.
    /// A size smaller than the page in either direction makes the panel stop filling the page.
    void requestSize(QSize size);
    /// Makes the panel as large as the page again (double click, every user navigation).
    void fillPage();
    /// True while the panel takes the page's whole size.
    bool fillsPage() const { return m_fillsPage; }
    /// The space left below the panel after the last resize.
    int PanelGap() const { return m_gap; }

    /// The page changed size: the panel follows it.
    void pageResized();

signals:
    /// The user double-clicked the panel's border or grip (after the panel filled the page again).
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSize pageSize() const;
    void placeGrip();

    QWidget *m_grip = nullptr;
    bool m_fillsPage = true;
    int m_gap = 0;
    bool m_dragging = false;
    QPoint m_dragStart;
    QSize m_sizeAtDragStart;
};

} // namespace tovalin
