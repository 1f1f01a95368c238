#include "guard/ui/accept_window.h"

#include "guard/block_accept.h"
#include "parents/ui/parents_look.h"

#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QVBoxLayout>

namespace tovalin {

namespace {

// Colours of the list as the design gives them, 0x00BBGGRR.
constexpr quint32 kRefusedBgr = 0x0000FF;
constexpr quint32 kPassesBgr = 0x008000;
constexpr quint32 kSelectedBgr = 0xF2C1B0;
constexpr quint32 kBackgroundBgr = 0xFFF3EF;
constexpr quint32 kCloseHoverBgr = 0xE69564;
constexpr quint32 kCloseBgr = 0xC65D21;

// Draws an address in the guard's colour at the item's left edge, clipped to the item, no frame.
class VerdictDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, AcceptWindow::fromBgr(selected ? kSelectedBgr : kBackgroundBgr));
        const bool passes = index.data(AcceptListModel::PassesRole).toBool();
        painter->setPen(AcceptWindow::fromBgr(passes ? kPassesBgr : kRefusedBgr));
        painter->setFont(option.font);
        painter->setClipRect(option.rect);
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

} // namespace

QColor AcceptWindow::fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

AcceptWindow::AcceptWindow(AcceptListModel &model, QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
    , m_model(model)
    , m_mainWindow(mainWindow)
    , m_message([](QWidget *parent, const QString &text) {
        QMessageBox::information(parent, QStringLiteral("Tovalin"), text);
    })
{
    setObjectName(QStringLiteral("Ttoevoeger"));
    setWindowTitle(tr("Allow blocked URL's"));
    setModal(false);
    look::paintWhite(this);

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(16, 12, 16, 12);
    lay->setSpacing(8);
    auto *headingRow = new QHBoxLayout;
    auto *sign = new QLabel(this);
    sign->setPixmap(look::roundSign(32, false));
    headingRow->addWidget(sign);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto *heading = new QLabel(tr("Allow blocked URL's"), this);
    heading->setObjectName(QStringLiteral("Label52"));
    heading->setFont(look::headingFont(heading->font()));
    heading->setStyleSheet(QStringLiteral("color: %1;").arg(look::kHeading.name()));
    texts->addWidget(heading);
    auto *text = new QLabel(tr("Several URL's were blocked."), this);
    text->setObjectName(QStringLiteral("Label54"));
    texts->addWidget(text);
    headingRow->addLayout(texts, 1);
    lay->addLayout(headingRow);

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("navlijst"));
    m_list->setModel(&m_model);
    m_list->setItemDelegate(new VerdictDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->setUniformItemSizes(true);
    QPalette pal = m_list->palette();
    pal.setColor(QPalette::Base, fromBgr(kBackgroundBgr));
    m_list->setPalette(pal);
    lay->addWidget(m_list, 1);

    auto *bottom = new QHBoxLayout;
    m_button = new QPushButton(m_model.buttonCaption(), this);
    m_button->setObjectName(QStringLiteral("btnAccept"));
    m_button->setAutoDefault(false);
    m_button->setMinimumWidth(90);
    bottom->addWidget(m_button);
    bottom->addStretch(1);
    auto *close = look::makeLink(tr("Close"), QStringLiteral("Label10"), this, fromBgr(kCloseBgr),
                                 fromBgr(kCloseHoverBgr));
    bottom->addWidget(close);
    lay->addLayout(bottom);

    connect(m_list, &QListView::clicked, this, [this](const QModelIndex &index) { m_model.select(index.row()); });
    connect(&m_model, &AcceptListModel::selectionChanged, this, [this](int row) {
        if (row < 0)
            m_list->clearSelection();
        else
            m_list->setCurrentIndex(m_model.index(row));
    });
    connect(&m_model, &AcceptListModel::buttonCaptionChanged, m_button, &QPushButton::setText);
    connect(m_button, &QPushButton::clicked, this, &AcceptWindow::activate);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    setFixedSize(460, 300);
}

void AcceptWindow::showCentred()
{
    if (m_mainWindow) {
        const QRect frame = m_mainWindow->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
}

void AcceptWindow::activate()
{
    const ListEditResult result = m_model.activate();
    for (const QString &message : result.messages)
        m_message(this, message);
    m_list->viewport()->update();
}

bool AcceptWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_list->viewport()->update();
        } else if (event->type() == QEvent::ToolTip) {
            // Only an address too wide to read in the list gets its whole text as hint.
            auto *help = static_cast<QHelpEvent *>(event);
            const QModelIndex index = m_list->indexAt(help->pos());
            const QString address = index.data(Qt::DisplayRole).toString();
            if (index.isValid() && m_list->fontMetrics().horizontalAdvance(address) >= kHintWidth)
                QToolTip::showText(help->globalPos(), address, m_list);
            else
                QToolTip::hideText();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tovalin
