#include "parents/ui/quick_menu_window.h"

#include "parents/quick_menu.h"
#include "parents/ui/parents_look.h"
#include "parents/ui/password_dialogs.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QVBoxLayout>

namespace tovalin {

namespace {

const QColor kEntryHoverBackground(71, 146, 237);
const QColor kEntryText(55, 55, 55);
const QColor kRightColumn(211, 229, 251);
// The verdict colours of the address list.
const QColor kRefused(255, 0, 0);
const QColor kPasses(0, 128, 0);
constexpr int kItemHeight = 20;

// Draws an address of `URLlist` in the guard's colour at the item's left edge, on white.
class AddressDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        painter->save();
        // The row under the mouse gets the band's blue, so the parent sees what a click picks.
        const bool hot = option.state & (QStyle::State_Selected | QStyle::State_MouseOver);
        painter->fillRect(option.rect, hot ? kRightColumn : QColor(Qt::white));
        const bool passes = index.data(QuickMenuModel::PassesRole).toBool();
        painter->setPen(passes ? kPasses : kRefused);
        painter->setFont(option.font);
        painter->setClipRect(option.rect);
        const QString text = index.data(Qt::DisplayRole).toString();
        painter->drawText(option.rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(text, Qt::ElideRight, option.rect.width() - 4));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight);
    }
};

void setColours(QWidget *w, const QColor &text, const QColor &background)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Window, background);
    w->setPalette(pal);
}

} // namespace

// ---------------------------------------------------------------- entries

QuickMenuEntry::QuickMenuEntry(const QString &caption, const QString &subCaption, const QColor &restBackground,
                               QWidget *parent)
    : QFrame(parent), m_rest(restBackground)
{
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(10, 4, 10, 4);
    lay->setSpacing(0);
    m_caption = new QLabel(caption, this);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    lay->addWidget(m_caption);
    m_sub = new QLabel(subCaption, this);
    QFont small = m_sub->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_sub->setFont(small);
    m_sub->setVisible(!subCaption.isEmpty());
    lay->addWidget(m_sub);
    setHighlighted(false);
}

void QuickMenuEntry::setHighlighted(bool on)
{
    setColours(this, on ? QColor(Qt::white) : kEntryText, on ? kEntryHoverBackground : m_rest);
    for (QLabel *l : {m_caption, m_sub})
        setColours(l, on ? QColor(Qt::white) : kEntryText, on ? kEntryHoverBackground : m_rest);
}

void QuickMenuEntry::enterEvent(QEnterEvent *event)
{
    setHighlighted(true);
    QFrame::enterEvent(event);
}

void QuickMenuEntry::leaveEvent(QEvent *event)
{
    setHighlighted(false);
    QFrame::leaveEvent(event);
}

void QuickMenuEntry::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        setHighlighted(false);
        emit clicked();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

// ---------------------------------------------------------------- window

QuickMenuWindow::QuickMenuWindow(QuickMenuModel &model, QWidget *mainWindow, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_model(model)
    , m_mainWindow(mainWindow)
    , m_message(showParentsMessage)
{
    setObjectName(QStringLiteral("Tpopper"));
    setWindowTitle(tr("Shortcut menu"));
    setAttribute(Qt::WA_ShowWithoutActivating, false);

    // Panel12: the background the parent drags the menu by.
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // The menu is always as large as its entries need: captions are measured only once
    // the window is polished, and entries come and go.
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel12"));
    panel->setFrameShape(QFrame::Box);
    panel->setCursor(Qt::SizeAllCursor);
    panel->setStyleSheet(QStringLiteral("QFrame#Panel12 { border: 1px solid #6495e6; background: white; }"));
    look::paintWhite(panel);
    outer->addWidget(panel);
    auto *lay = new QVBoxLayout(panel);
    lay->setContentsMargins(1, 1, 1, 8);
    lay->setSpacing(0);

    // Title band with the close link.
    auto *title = new QWidget(panel);
    title->setAutoFillBackground(true);
    setColours(title, Qt::white, kEntryHoverBackground);
    auto *titleRow = new QHBoxLayout(title);
    titleRow->setContentsMargins(10, 5, 10, 5);
    auto *caption = new QLabel(tr("Shortcut menu"), title);
    caption->setFont(look::headingFont(caption->font()));
    setColours(caption, Qt::white, kEntryHoverBackground);
    titleRow->addWidget(caption);
    titleRow->addStretch(1);
    auto *close = look::makeLink(tr("Close"), QStringLiteral("Label20"), title, Qt::white, QColor(230, 240, 255));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    titleRow->addWidget(close);
    lay->addWidget(title);

    // The two columns of entries.
    auto *columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    auto *left = new QWidget(panel);
    auto *leftLay = new QVBoxLayout(left);
    leftLay->setContentsMargins(0, 4, 0, 4);
    leftLay->setSpacing(0);
    auto *right = new QWidget(panel);
    right->setObjectName(QStringLiteral("rightColumn"));
    right->setAutoFillBackground(true);
    setColours(right, kEntryText, kRightColumn);
    auto *rightLay = new QVBoxLayout(right);
    rightLay->setContentsMargins(0, 4, 0, 4);
    rightLay->setSpacing(0);

    auto entry = [](const QString &name, const QString &caption, const QString &sub, const QColor &rest,
                    QWidget *parent, QVBoxLayout *into) {
        auto *e = new QuickMenuEntry(caption, sub, rest, parent);
        e->setObjectName(name);
        into->addWidget(e);
        return e;
    };
    m_user = entry(QStringLiteral("Label2"), tr("User"), tr("Select a user"), Qt::white, left, leftLay);
    m_theme = entry(QStringLiteral("Label4"), tr("Theme"), tr("Select a theme"), Qt::white, left, leftLay);
    auto *clocks = entry(QStringLiteral("Label10"), tr("Clocks"), tr("Activate a clock"), Qt::white, left, leftLay);
    auto *help = entry(QStringLiteral("Label6"), tr("Help"), tr("How to use the Tovalin "), Qt::white, left, leftLay);
    leftLay->addStretch(1);
    m_userManager = entry(QStringLiteral("Label14"), tr("User manager"), tr("Manage all users"), kRightColumn, right,
                          rightLay);
    m_themeManager = entry(QStringLiteral("Label16"), tr("Theme manager"), tr("Manage all theme's"), kRightColumn,
                           right, rightLay);
    rightLay->addStretch(1);
    columns->addWidget(left, 1);
    columns->addWidget(right, 1);
    lay->addLayout(columns);
    // Shown once the windows they open are wired to them (setWindowEntry).
    for (QWidget *w : {m_user, m_theme, m_userManager, m_themeManager})
        w->hide();
    right->hide();

    connect(clocks, &QuickMenuEntry::clicked, this, [this] {
        hide();
        if (m_openClocks)
            m_openClocks();
    });
    connect(help, &QuickMenuEntry::clicked, this, [this] {
        if (m_openHelp)
            m_openHelp();
    });
    auto opener = [this](std::function<void()> *slot) {
        return [this, slot] {
            hide();
            if (*slot)
                (*slot)();
        };
    };
    connect(m_user, &QuickMenuEntry::clicked, this, opener(&m_openUser));
    connect(m_theme, &QuickMenuEntry::clicked, this, opener(&m_openTheme));
    connect(m_userManager, &QuickMenuEntry::clicked, this, opener(&m_openUserManager));
    connect(m_themeManager, &QuickMenuEntry::clicked, this, opener(&m_openThemeManager));

    // Active site and the recent addresses.
    auto *siteBox = new QVBoxLayout;
    siteBox->setContentsMargins(10, 8, 10, 0);
    siteBox->setSpacing(4);
    auto *siteCaption = new QLabel(tr("Activated site:"), panel);
    siteCaption->setObjectName(QStringLiteral("Label18"));
    QFont bold = siteCaption->font();
    bold.setBold(true);
    siteCaption->setFont(bold);
    siteBox->addWidget(siteCaption);
    m_activeSite = new QLabel(panel);
    m_activeSite->setObjectName(QStringLiteral("Label19"));
    m_activeSite->setFixedWidth(kActiveSiteWidth);
    m_activeSite->installEventFilter(this);
    siteBox->addWidget(m_activeSite);
    m_urlList = new QComboBox(panel);
    m_urlList->setObjectName(QStringLiteral("URLlist"));
    m_urlList->setFixedWidth(kActiveSiteWidth);
    m_urlList->setModel(&m_model);
    m_urlList->setItemDelegate(new AddressDelegate(m_urlList));
    m_urlList->setCursor(Qt::ArrowCursor);
    siteBox->addWidget(m_urlList);
    lay->addLayout(siteBox);

    // "Block"/"Allow" and "Homepage".
    m_linkRow = new QWidget(panel);
    auto *linkRow = new QHBoxLayout(m_linkRow);
    linkRow->setContentsMargins(10, 6, 10, 0);
    linkRow->setSpacing(4);
    m_blockIcon = new QLabel(m_linkRow);
    m_blockIcon->setObjectName(QStringLiteral("img16"));
    m_blockIcon->setPixmap(look::roundSign(18, false));
    m_allowIcon = new QLabel(m_linkRow);
    m_allowIcon->setObjectName(QStringLiteral("imgal"));
    m_allowIcon->setPixmap(look::roundSign(18, true));
    m_blockAllow = new QuickMenuEntry(QString(), QString(), Qt::white, m_linkRow);
    m_blockAllow->setObjectName(QStringLiteral("Label22"));
    linkRow->addWidget(m_blockIcon);
    linkRow->addWidget(m_allowIcon);
    linkRow->addWidget(m_blockAllow);
    linkRow->addStretch(1);
    auto *homepage = new QuickMenuEntry(tr("Homepage"), tr("Create homepage"), Qt::white, m_linkRow);
    homepage->setObjectName(QStringLiteral("Label8"));
    linkRow->addWidget(homepage);
    lay->addWidget(m_linkRow);

    connect(m_urlList, &QComboBox::activated, this, &QuickMenuWindow::chooseRow);
    connect(&m_model, &QuickMenuModel::selectionChanged, this, [this](int row) {
        if (m_urlList->currentIndex() != row)
            m_urlList->setCurrentIndex(row);
        updateLink();
    });
    connect(&m_model, &QuickMenuModel::linkStateChanged, this, &QuickMenuWindow::updateLink);
    connect(&m_model, &QuickMenuModel::activeSiteChanged, this, &QuickMenuWindow::showActiveSite);
    connect(m_blockAllow, &QuickMenuEntry::clicked, this, &QuickMenuWindow::blockOrAllow);
    connect(homepage, &QuickMenuEntry::clicked, this, &QuickMenuWindow::makeHomepage);

    showActiveSite(m_model.activeSite());
    updateLink();
    adjustSize();
}

void QuickMenuWindow::setWindowEntry(WindowEntry entry, std::function<void()> open)
{
    QuickMenuEntry *e = nullptr;
    switch (entry) {
    case WindowEntry::User: e = m_user; m_openUser = std::move(open); break;
    case WindowEntry::Theme: e = m_theme; m_openTheme = std::move(open); break;
    case WindowEntry::UserManager: e = m_userManager; m_openUserManager = std::move(open); break;
    case WindowEntry::ThemeManager: e = m_themeManager; m_openThemeManager = std::move(open); break;
    }
    e->show();
    if (QWidget *column = e->parentWidget(); column && column->objectName() == QLatin1String("rightColumn"))
        column->show();
    adjustSize();
}

void QuickMenuWindow::showMenu()
{
    m_model.selectFirst();
    if (!m_shownOnce && m_mainWindow) {
        m_shownOnce = true;
        adjustSize();
        const QRect frame = m_mainWindow->frameGeometry();
        moveClamped(frame.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

void QuickMenuWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString QuickMenuWindow::fittedActiveSite(const QString &location) const
{
    return m_activeSite->fontMetrics().elidedText(location, Qt::ElideRight, kActiveSiteWidth);
}

void QuickMenuWindow::showActiveSite(const QString &location)
{
    m_location = location;
    m_activeSite->setText(fittedActiveSite(location));
}

void QuickMenuWindow::updateLink()
{
    const QuickMenuModel::LinkState state = m_model.linkState();
    m_blockAllow->setVisible(state != QuickMenuModel::LinkState::Hidden);
    m_blockIcon->setVisible(state == QuickMenuModel::LinkState::Block);
    m_allowIcon->setVisible(state == QuickMenuModel::LinkState::Allow);
    m_blockAllow->captionLabel()->setText(m_model.linkCaption());
    // The shown address in the guard's colour, like its row in the list.
    const int row = m_urlList->currentIndex();
    if (row >= 0) {
        QPalette pal = m_urlList->palette();
        const bool passes = m_model.data(m_model.index(row), QuickMenuModel::PassesRole).toBool();
        pal.setColor(QPalette::ButtonText, passes ? kPasses : kRefused);
        pal.setColor(QPalette::Text, passes ? kPasses : kRefused);
        m_urlList->setPalette(pal);
    }
}

void QuickMenuWindow::chooseRow(int row)
{
    m_model.select(row);
    m_model.chooseSelected();
}

void QuickMenuWindow::blockOrAllow()
{
    const ListEditResult result = m_model.blockOrAllow();
    for (const QString &message : result.messages)
        m_message(this, message);
    m_urlList->update();
    updateLink();
}

void QuickMenuWindow::makeHomepage()
{
    const StartPageResult result = m_model.makeHomepage();
    m_message(this, result.message);
}

void QuickMenuWindow::moveClamped(const QPoint &topLeft)
{
    QScreen *s = screen();
    if (!s) {
        move(topLeft);
        return;
    }
    const QRect area = s->geometry();
    const QSize size = frameGeometry().size();
    const int x = std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    const int y = std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    move(x, y);
}

void QuickMenuWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QWidget::mousePressEvent(event);
}

void QuickMenuWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        moveClamped(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

bool QuickMenuWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Label19's hint is the whole location, only when it did not fit.
    if (watched == m_activeSite && event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (m_activeSite->fontMetrics().horizontalAdvance(m_location) >= kActiveSiteWidth)
            QToolTip::showText(help->globalPos(), m_location, m_activeSite);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tovalin
