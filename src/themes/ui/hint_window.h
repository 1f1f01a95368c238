#pragma once
// The hint window `hintform` (`Thintform`): a borderless strip beside a
// picture link that shows the link's hint in blue bold letters on yellow.

#include <QWidget>

class QLabel;

namespace tovalin {

class HintWindow : public QWidget {
    Q_OBJECT
public:
    explicit HintWindow(QWidget *parent = nullptr);

    /// Shows the text with the window's top-left at a screen position; the width follows the text.
    void showHint(const QString &text, QPoint screenTopLeft);
    QString text() const;
    /// The label's font: Tahoma (or the nearest sans-serif), 15 pixels, bold.
    static QFont hintFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_label = nullptr;
};

} // namespace tovalin
