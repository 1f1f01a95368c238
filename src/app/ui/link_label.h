#pragma once
// A label that acts as a link: the parents' menu bar, the parents' page and the theme tab use it.

#include <QLabel>

namespace tovalin {

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

} // namespace tovalin
