#pragma once
// The number of open requests on a corner of the padlock, while the parents'
// menu is locked: a number only, never an address.

#include <QLabel>

namespace tovalin {

class CountBadge : public QLabel {
    Q_OBJECT
public:
    /// Sits on the top right corner of the button it is given.
    explicit CountBadge(QWidget *button);

    /// Shows count when shown is true and count is above 0.
    void setCount(int count, bool shown);
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    int m_count = 0;
};

} // namespace tovalin
