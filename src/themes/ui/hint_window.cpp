#include "themes/ui/hint_window.h"

#include "themes/link_panel_layout.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

namespace tovalin {

namespace {

QColor colour(linkpanel::Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

const QColor kHintYellow(255, 255, 0);

} // namespace

HintWindow::HintWindow(QWidget *parent)
    // A tool tip's window: no frame, never takes the focus from the page, and
    // stays above the main window without showing in a task bar.
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("hintform"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedHeight(linkpanel::kHintHeight);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Hint"));
    m_label->setFont(hintFont());
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::WindowText, colour(linkpanel::kHintBorder));
    m_label->setPalette(pal);
    m_label->move(linkpanel::kHintLabelLeft, 0);
    m_label->setFixedHeight(linkpanel::kHintHeight);
    m_label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
}

QFont HintWindow::hintFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Sans Serif")});
    font.setPixelSize(15);
    font.setBold(true);
    return font;
}

void HintWindow::showHint(const QString &text, QPoint screenTopLeft)
{
    m_label->setText(text);
    const int textWidth = QFontMetrics(m_label->font()).horizontalAdvance(text);
    m_label->setFixedWidth(textWidth + 2);
    setFixedWidth(textWidth + linkpanel::kHintTextPadding);
    move(screenTopLeft);
    show();
    raise();
}

QString HintWindow::text() const
{
    return m_label->text();
}

void HintWindow::paintEvent(QPaintEvent *)
{
    // Painted whole in one pass, so the strip never flickers as it moves.
    QPainter p(this);
    p.fillRect(rect(), colour(linkpanel::kHintBorder));
    p.fillRect(rect().adjusted(1, 1, -1, -1), kHintYellow);
}

} // namespace tovalin
