#include "app/ui/theme_tab.h"

#include "app/ui/main_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tovalin {

namespace {

// The left menu sits on a light card, so the blue link colours read well on
// the tab's blue.
const QColor kMenuBackground(245, 248, 255);

void fill(QWidget *w, const QColor &colour)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
}

} // namespace

ThemeTab::ThemeTab(QWidget *navigatePage, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("thematab"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(8);

    auto *menu = new QWidget(this);
    menu->setObjectName(QStringLiteral("themamenu"));
    fill(menu, kMenuBackground);
    // At least 170 pixels, wider when a translated entry needs it.
    menu->setMinimumWidth(170);
    menu->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *menuLay = new QVBoxLayout(menu);
    menuLay->setContentsMargins(10, 6, 10, 6);
    menuLay->setSpacing(3);
    m_title = new QLabel(menu);
    m_title->setObjectName(QStringLiteral("thematitel"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    menuLay->addWidget(m_title);

    auto link = [&](const char *objectName, const QString &text) {
        auto *l = new LinkLabel(text, menu);
        l->setObjectName(QLatin1String(objectName));
        menuLay->addWidget(l);
        return l;
    };
    m_voegtoe = link("voegtoe", tr("Add to favorites"));
    m_bewerk = link("bewerk", tr("Edit link"));
    m_themaOpenen = link("Themaopenen", tr("Navigate browser"));
    m_exporteren = link("exporteren", tr("Edit theme's"));
    m_close = link("sluitenbeheer", tr("Close"));
    menuLay->addStretch(1);
    row->addWidget(menu);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("themapages"));
    m_startTab = makePage("Starttab");
    m_addTab = makePage("voegtoetab1");
    m_editTab = makePage("bewerktab1");
    m_navigateTab = navigatePage;
    m_navigateTab->setObjectName(QStringLiteral("Themabewerkentab1"));
    // The pages sit on the same light card as the menu: the link colours are
    // blues that would vanish on the tab's own blue.
    for (QWidget *page : {m_startTab, m_addTab, m_editTab, m_navigateTab})
        fill(page, kMenuBackground);
    m_pages->addWidget(m_navigateTab);

    // "Edit theme's": the active theme editor and the theme manager are reached from here.
    m_importTab = makePage("importeertab1");
    fill(m_importTab, kMenuBackground);
    auto *grid = new QGridLayout(m_importTab);
    auto *activated = new QLabel(tr("Activated theme"), m_importTab);
    auto *general = new QLabel(tr("General"), m_importTab);
    activated->setFont(bold);
    general->setFont(bold);
    grid->addWidget(activated, 0, 0);
    grid->addWidget(general, 0, 1);
    const struct {
        const char *name;
        const char *text;
        int row;
        int column;
    } editorLinks[] = {
        {"Label31", QT_TR_NOOP("Edit"), 1, 0},        {"Label32", QT_TR_NOOP("URL Manager"), 2, 0},
        {"Label33", QT_TR_NOOP("Export"), 3, 0},      {"Label34", QT_TR_NOOP("Edit"), 1, 1},
        {"Label35", QT_TR_NOOP("Import"), 2, 1},
    };
    for (const auto &e : editorLinks) {
        auto *l = new LinkLabel(tr(e.text), m_importTab);
        l->setObjectName(QLatin1String(e.name));
        l->hide(); // shown by the windows they open, once those are wired to them
        grid->addWidget(l, e.row, e.column);
    }
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(2, 1);
    row->addWidget(m_pages, 1);

    // Hidden until the wizard, the link editor and the theme editors are wired to them
    // (ThemeWindows, ThemeManagerWindows): a link never opens an empty page.
    m_voegtoe->hide();
    m_bewerk->hide();
    m_exporteren->hide();

    connect(m_voegtoe, &LinkLabel::clicked, this, [this] {
        showPage(m_addTab);
        emit addLinkPageOpened();
    });
    connect(m_bewerk, &LinkLabel::clicked, this, [this] { showPage(m_editTab); });
    connect(m_themaOpenen, &LinkLabel::clicked, this, [this] { showPage(m_navigateTab); });
    connect(m_exporteren, &LinkLabel::clicked, this, [this] { showPage(m_importTab); });
    connect(m_close, &LinkLabel::clicked, this, &ThemeTab::closeRequested);
    showPage(m_navigateTab);
}

QWidget *ThemeTab::makePage(const char *objectName)
{
    auto *page = new QWidget(m_pages);
    page->setObjectName(QLatin1String(objectName));
    m_pages->addWidget(page);
    return page;
}

void ThemeTab::showPage(QWidget *page)
{
    m_pages->setCurrentWidget(page);
}

void ThemeTab::setTitle(const QString &title)
{
    m_title->setText(title);
}

QString ThemeTab::title() const
{
    return m_title->text();
}

} // namespace tovalin
