#include "activity/ui/count_badge.h"

#include <QEvent>

namespace tovalin {

namespace {
constexpr int kSize = 20;
}

CountBadge::CountBadge(QWidget *button) : QLabel(button)
{
    setObjectName(QStringLiteral("openRequestCount"));
    setAlignment(Qt::AlignCenter);
    setMinimumSize(kSize, kSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(12);
    setFont(f);
    setStyleSheet(QStringLiteral("QLabel { background: rgb(220, 40, 40); color: white; border: 2px solid white;"
                                 " border-radius: %1px; padding: 0px 3px; }")
                      .arg(kSize / 2));
    button->installEventFilter(this);
    hide();
}

void CountBadge::setCount(int count, bool shown)
{
    m_count = count;
    if (!shown || count <= 0) {
        hide(); // measured and placed when it shows: most starts have nothing to count
        return;
    }
    setText(count > 99 ? QStringLiteral("99+") : QString::number(count));
    adjustSize();
    place();
    show();
    raise();
}

bool CountBadge::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        place();
    return QLabel::eventFilter(watched, event);
}

void CountBadge::place()
{
    if (QWidget *button = parentWidget())
        move(button->width() - width(), 0);
}

} // namespace tovalin
