#include "guard/ui/site_commands.h"

#include "guard/block_accept.h"
#include "parents/ui/parents_look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace tovalin {

namespace {

// An arrow pointing up and to the left: "one level up" in the address.
QIcon levelUpIcon(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(QColor(33, 93, 198), s * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath path;
    path.moveTo(s * 0.75, s * 0.85);
    path.lineTo(s * 0.75, s * 0.35);
    path.lineTo(s * 0.3, s * 0.35);
    p.drawPath(path);
    QPainterPath head;
    head.moveTo(s * 0.42, s * 0.18);
    head.lineTo(s * 0.22, s * 0.35);
    head.lineTo(s * 0.42, s * 0.52);
    p.drawPath(head);
    return QIcon(pm);
}

QLabel *icon(const QString &name, bool allow, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setPixmap(look::roundSign(16, allow));
    return l;
}

} // namespace

SiteCommands::SiteCommands(BlockAccept &commands, QLineEdit *address, QWidget *parent)
    : QWidget(parent)
    , m_commands(commands)
    , m_address(address)
    , m_message([](QWidget *p, const QString &text) { QMessageBox::information(p, QStringLiteral("Tovalin"), text); })
{
    setObjectName(QStringLiteral("siteCommands"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    m_levelUp = new QToolButton(this);
    m_levelUp->setObjectName(QStringLiteral("XiButton1"));
    m_levelUp->setIcon(levelUpIcon(22));
    m_levelUp->setIconSize(QSize(22, 22));
    m_levelUp->setToolTip(tr("One level up"));
    m_levelUp->setAutoRaise(true);
    row->addWidget(m_levelUp);
    m_whiteIcon = icon(QStringLiteral("Image44"), true, this);
    m_white = look::makeLink(tr("Add to whitelist"), QStringLiteral("Label41"), this);
    m_blackIcon = icon(QStringLiteral("Image43"), false, this);
    m_black = look::makeLink(tr("Add to blacklist"), QStringLiteral("Label37"), this);
    m_urlManager = look::makeLink(tr("Go to URL manager"), QStringLiteral("Label43"), this);
    row->addSpacing(6);
    row->addWidget(m_whiteIcon);
    row->addWidget(m_white);
    row->addSpacing(10);
    row->addWidget(m_blackIcon);
    row->addWidget(m_black);
    row->addSpacing(10);
    row->addWidget(m_urlManager);
    hideAddCommands();
    // Shown once the window it opens is given (setUrlManagerOpener).
    m_urlManager->hide();

    connect(m_levelUp, &QToolButton::clicked, this, &SiteCommands::levelUp);
    // The two commands act on the address they were offered for: when the field shows another
    // one (the guard showed the page on show again, the parent typed), they go.
    connect(m_address, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text != m_offered)
            hideAddCommands();
    });
    connect(m_white, &QPushButton::clicked, this, &SiteCommands::addToWhitelist);
    connect(m_black, &QPushButton::clicked, this, &SiteCommands::addToBlacklist);
    connect(m_urlManager, &QPushButton::clicked, this, [this] {
        if (m_openUrlManager)
            m_openUrlManager();
    });
}

void SiteCommands::showMessages(const ListEditResult &result)
{
    for (const QString &message : result.messages)
        m_message(window(), message);
}

void SiteCommands::acceptOrBlock()
{
    showMessages(m_commands.accepteerblokkeer());
}

void SiteCommands::levelUp()
{
    const std::optional<QString> shorter = oneLevelUp(m_address->text());
    if (!shorter)
        return;
    m_offered = *shorter;
    m_address->setText(*shorter);
    for (QWidget *w : {static_cast<QWidget *>(m_whiteIcon), static_cast<QWidget *>(m_white),
                       static_cast<QWidget *>(m_blackIcon), static_cast<QWidget *>(m_black)})
        w->setVisible(true);
}

void SiteCommands::addToWhitelist()
{
    if (m_white->isHidden() || m_address->text() != m_offered)
        return;
    m_white->hide();
    m_whiteIcon->hide();
    showMessages(m_commands.addToWhitelist(m_offered));
}

void SiteCommands::addToBlacklist()
{
    if (m_black->isHidden() || m_address->text() != m_offered)
        return;
    m_black->hide();
    m_blackIcon->hide();
    showMessages(m_commands.addToBlacklist(m_offered));
}

void SiteCommands::hideAddCommands()
{
    m_offered.clear();
    for (QWidget *w : {static_cast<QWidget *>(m_whiteIcon), static_cast<QWidget *>(m_white),
                       static_cast<QWidget *>(m_blackIcon), static_cast<QWidget *>(m_black)})
        w->setVisible(false);
}

void SiteCommands::setUrlManagerOpener(std::function<void()> open)
{
    m_openUrlManager = std::move(open);
    m_urlManager->setVisible(bool(m_openUrlManager));
}

} // namespace tovalin
