#include "themes/ui/add_link_wizard.h"

#include "guard/block_accept.h"
#include "guard/site_lists.h"
#include "platform/sound.h"
#include "state/program_state.h"
#include "themes/link_editing.h"
#include "themes/theme_model.h"
#include "themes/thumbnail.h"
#include "themes/ui/selection_picture.h"
#include "themes/ui/theme_look.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovalin {

namespace {

// The steps' text column has one width on every page, so the preview keeps its place.
constexpr int kStepColumnWidth = 640;

QVBoxLayout *column(QBoxLayout *row)
{
    auto *c = new QVBoxLayout;
    c->setSpacing(2);
    row->addLayout(c);
    return c;
}

QVBoxLayout *stepColumn(QBoxLayout *row, QWidget *page)
{
    auto *holder = new QWidget(page);
    holder->setFixedWidth(kStepColumnWidth);
    auto *c = new QVBoxLayout(holder);
    c->setContentsMargins(0, 0, 0, 0);
    c->setSpacing(2);
    row->addWidget(holder);
    return c;
}

QPushButton *button(const QString &text, const char *objectName, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(objectName));
    b->setAutoDefault(false);
    return b;
}

/// The "Selection" caption and a preview, at the right of a page.
QLabel *selectionBox(QBoxLayout *row, const char *previewName, QWidget *page)
{
    QVBoxLayout *c = column(row);
    c->addWidget(themelook::bold(AddLinkWizard::tr("Selection"), page));
    QLabel *preview = themelook::preview(previewName, page);
    c->addWidget(preview);
    c->addStretch(1);
    return preview;
}

QHBoxLayout *pageRow(QWidget *page)
{
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(18);
    return row;
}

} // namespace

AddLinkWizard::AddLinkWizard(ThemeModel &model, SiteLists &lists, ProgramState &state, SoundPlayer &sound,
                             QStackedWidget *pages, QWidget *firstPage, QWidget *selectPage, Hooks hooks,
                             QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_lists(lists)
    , m_state(state)
    , m_sound(sound)
    , m_pages(pages)
    , m_hooks(std::move(hooks))
{
    m_page1 = buildFirstPage(firstPage);
    m_page2 = buildAddressPage();
    m_page4 = buildHintPage();
    m_page3 = buildEntryPage();
    for (QWidget *page : {m_page2, m_page4, m_page3}) {
        themelook::likePage(page, m_page1);
        m_pages->addWidget(page);
    }

    m_picture = new SelectionPicture(selectPage);
    auto *lay = new QVBoxLayout(selectPage);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(m_picture);
    connect(m_picture, &SelectionPicture::squareChosen, this, &AddLinkWizard::squareChosen);
}

QWidget *AddLinkWizard::buildFirstPage(QWidget *page)
{
    QHBoxLayout *row = pageRow(page);
    QVBoxLayout *step1 = column(row);
    step1->addWidget(themelook::heading(tr("Add to favorites"), page));
    step1->addWidget(themelook::bold(tr("Step 1"), page));
    step1->addWidget(new QLabel(tr("Take a picture of the browser screen"), page));
    step1->addWidget(new QLabel(tr("by clicking on the camera on the right"), page));
    step1->addStretch(1);
    QVBoxLayout *step2 = column(row);
    step2->addWidget(themelook::heading(QString(), page)); // keeps the steps' rows level
    step2->addWidget(themelook::bold(tr("Step 2"), page));
    step2->addWidget(new QLabel(tr("Select with the square a nice image of this "), page));
    step2->addWidget(new QLabel(tr("site that the child can easily recognize."), page));
    step2->addStretch(1);

    m_camera = new QToolButton(page);
    m_camera->setObjectName(QStringLiteral("Image24"));
    m_camera->setIcon(QIcon(themelook::camera(72)));
    m_camera->setIconSize(QSize(72, 72));
    m_camera->setAutoRaise(true);
    m_camera->setCursor(Qt::PointingHandCursor);
    m_camera->setToolTip(tr("Take a picture of the browser screen"));
    row->addWidget(m_camera, 0, Qt::AlignVCenter);
    row->addStretch(1);
    connect(m_camera, &QToolButton::clicked, this, &AddLinkWizard::cameraClicked);
    return page;
}

QWidget *AddLinkWizard::buildAddressPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("voegtoetab2"));
    QHBoxLayout *row = pageRow(page);
    QVBoxLayout *c = stepColumn(row, page);
    c->addWidget(themelook::heading(tr("Add to favorites"), page));
    c->addWidget(themelook::bold(tr("Step 3 (optional)"), page));
    c->addWidget(new QLabel(tr("If you want you can change the web address (URL) "), page));
    m_urlEdit = new QLineEdit(page);
    m_urlEdit->setObjectName(QStringLiteral("URLedit"));
        c->addWidget(m_urlEdit);
    auto *buttons = new QHBoxLayout;
    QPushButton *again = button(tr("New selection"), "XiButton3", page);
    QPushButton *next = button(tr("Continue >"), "XiButton2", page);
    buttons->addWidget(again);
    buttons->addWidget(next);
    buttons->addStretch(1);
    c->addLayout(buttons);
    c->addWidget(new QLabel(tr("Tip: By changing the URL you can connect another site to this image."), page));
    c->addStretch(1);
    m_preview1 = selectionBox(row, "selectie1", page);
    row->addStretch(1);

    connect(next, &QPushButton::clicked, this, &AddLinkWizard::continueFromAddress);
    connect(m_urlEdit, &QLineEdit::returnPressed, this, &AddLinkWizard::continueFromAddress);
    connect(again, &QPushButton::clicked, this, [this] { showPage(m_page1); });
    return page;
}

QWidget *AddLinkWizard::buildHintPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("voegtoetab4"));
    QHBoxLayout *row = pageRow(page);
    QVBoxLayout *c = stepColumn(row, page);
    c->addWidget(themelook::heading(tr("Add to favorites"), page));
    c->addWidget(themelook::bold(tr("Step 4 (optional)"), page));
    c->addWidget(new QLabel(tr("If you want you can give a short hint for the link "), page));
    m_hintEdit = new QLineEdit(page);
    m_hintEdit->setObjectName(QStringLiteral("HintEdit"));
        c->addWidget(m_hintEdit);
    auto *buttons = new QHBoxLayout;
    QPushButton *back = button(tr("< Back"), "XiButton9", page);
    QPushButton *next = button(tr("Continue >"), "XiButton7", page);
    buttons->addWidget(back);
    buttons->addWidget(next);
    buttons->addStretch(1);
    c->addLayout(buttons);
    c->addWidget(new QLabel(tr("Tip: The hint will be shown when the mouse pointer moves over the image"), page));
    c->addStretch(1);
    m_preview3 = selectionBox(row, "selectie3", page);
    row->addStretch(1);

    connect(back, &QPushButton::clicked, this, [this] { showPage(m_page2); });
    connect(next, &QPushButton::clicked, this, [this] { showPage(m_page3); });
    connect(m_hintEdit, &QLineEdit::returnPressed, this, [this] { showPage(m_page3); });
    return page;
}

QWidget *AddLinkWizard::buildEntryPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("voegtoetab3"));
    QHBoxLayout *row = pageRow(page);
    QVBoxLayout *c = stepColumn(row, page);
    c->addWidget(themelook::heading(tr("Add to favorites"), page));
    c->addWidget(themelook::bold(tr("Step 5 (optional)"), page));
    c->addWidget(new QLabel(tr("Appears in the whitelist as: "), page));
    auto *field = new QHBoxLayout;
    m_entryEdit = new QLineEdit(page);
    m_entryEdit->setObjectName(QStringLiteral("kindvriendelijkedit"));
        field->addWidget(m_entryEdit, 1);
    auto *up = new QToolButton(page);
    up->setObjectName(QStringLiteral("XiButton5"));
    up->setIcon(themelook::levelUp(20));
    up->setIconSize(QSize(20, 20));
    up->setToolTip(tr("One level up: allow the whole folder of the site"));
    field->addWidget(up);
    c->addLayout(field);
    auto *buttons = new QHBoxLayout;
    QPushButton *back = button(tr("< Back"), "XiButton6", page);
    QPushButton *addButton = button(tr("Add"), "XiButton4", page);
    buttons->addWidget(back);
    buttons->addWidget(addButton);
    buttons->addStretch(1);
    c->addLayout(buttons);
    c->addStretch(1);
    m_preview2 = selectionBox(row, "selectie2", page);
    row->addStretch(1);

    connect(up, &QToolButton::clicked, this, &AddLinkWizard::entryLevelUp);
    connect(back, &QPushButton::clicked, this, [this] { showPage(m_page4); });
    connect(addButton, &QPushButton::clicked, this, &AddLinkWizard::add);
    connect(m_entryEdit, &QLineEdit::returnPressed, this, &AddLinkWizard::add);
    return page;
}

void AddLinkWizard::showPage(QWidget *page)
{
    m_pages->setCurrentWidget(page);
}

void AddLinkWizard::showMessage(const QString &text)
{
    if (m_hooks.message)
        m_hooks.message(m_pages->window(), text);
}

void AddLinkWizard::started()
{
    m_hintEdit->clear();
}

void AddLinkWizard::cameraClicked()
{
    m_sound.play(m_state.soundPath(QStringLiteral("fotocamera.wav")));
    if (m_state.activeTheme().trimmed().isEmpty()) {
        if (m_hooks.openThemeManager)
            m_hooks.openThemeManager();
        else
            showMessage(tr("Open or make a theme first (\"Edit theme's\")."));
        return;
    }
    if (m_hooks.browserPageShowing && m_hooks.browserPageShowing() && m_hooks.captureBrowserPage)
        m_picture->setScreenshot(m_hooks.captureBrowserPage());
    if (m_hooks.showSelectPage)
        m_hooks.showSelectPage();
}

void AddLinkWizard::squareChosen(QPoint point)
{
    m_thumbnail = thumbnail::makeThumbnail(m_picture->screenshot(), point);
    const QPixmap pixmap = QPixmap::fromImage(toImage(m_thumbnail));
    for (QLabel *preview : {m_preview1, m_preview2, m_preview3})
        preview->setPixmap(pixmap);
    showPage(m_page2);
    const QString address = m_hooks.browserAddress ? m_hooks.browserAddress() : QString();
    m_urlEdit->setText(address);
    m_entryEdit->setText(address);
    if (m_hooks.showBrowserPage)
        m_hooks.showBrowserPage();
}

void AddLinkWizard::continueFromAddress()
{
    const WizardFieldCheck check =
        checkWizardField(m_urlEdit->text(), m_hooks.browserAddress ? m_hooks.browserAddress() : QString());
    if (check.outcome == WizardFieldCheck::Outcome::Ok) {
        showPage(m_page4);
        return;
    }
    m_urlEdit->setText(check.text);
    showMessage(check.message);
}

void AddLinkWizard::entryLevelUp()
{
    if (const std::optional<QString> up = oneLevelUp(m_entryEdit->text()))
        m_entryEdit->setText(*up);
}

void AddLinkWizard::add()
{
    const WizardFieldCheck check =
        checkWizardField(m_entryEdit->text(), m_hooks.browserAddress ? m_hooks.browserAddress() : QString());
    if (check.outcome != WizardFieldCheck::Outcome::Ok) {
        m_entryEdit->setText(check.text);
        showMessage(check.message);
        return;
    }
    if (m_thumbnail.isNull()) {
        showMessage(tr("Take a picture with the camera first."));
        showPage(m_page1);
        return;
    }
    NewLink link;
    link.url = m_urlEdit->text();
    link.hint = m_hintEdit->text();
    link.whitelistEntry = m_entryEdit->text();
    link.thumbnail = m_thumbnail;
    if (m_hooks.linkPanelSize)
        link.panelSize = m_hooks.linkPanelSize();
    const AddLinkResult result = AddLink(m_model, m_lists, m_state, link, QDateTime::currentDateTime());
    if (!result.ok) {
        showMessage(result.message);
        return;
    }
    if (m_hooks.showNavigatePage)
        m_hooks.showNavigatePage();
    emit linkAdded(result.id);
}

} // namespace tovalin
