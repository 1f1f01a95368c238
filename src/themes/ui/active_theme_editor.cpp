#include "themes/ui/active_theme_editor.h"

#include "state/startup.h"

#include "guard/block_accept.h"
#include "state/program_state.h"
#include "themes/theme_editing.h"
#include "themes/theme_files.h"
#include "themes/theme_names.h"
#include "themes/theme_model.h"
#include "themes/themes_log.h"
#include "themes/ui/theme_look.h"

#include <QDir>
#include <QFileInfo>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace tovalin {

namespace {

constexpr QSize kDialogSize(592, 453);

// Shows an entry's note after it ("http://zoo.example/   (today only)"); the entry itself, as the
// list holds it and the field takes it, is unchanged.
class EntryNoteDelegate : public QStyledItemDelegate {
public:
    EntryNoteDelegate(std::function<QString(const QString &)> note, QObject *parent)
        : QStyledItemDelegate(parent), m_note(std::move(note))
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString note = m_note(index.data().toString());
        if (!note.isEmpty())
            option->text += QStringLiteral("   (") + note + u')';
    }

private:
    std::function<QString(const QString &)> m_note;
};

int index(ActiveThemeEditor::Page page)
{
    return static_cast<int>(page);
}

QPushButton *button(const QString &text, const char *objectName, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(objectName));
    b->setAutoDefault(false);
    return b;
}

} // namespace

ActiveThemeEditor::ActiveThemeEditor(ThemeModel &model, SiteLists &lists, ProgramState &state, Hooks hooks,
                                     QWidget *parent)
    : QDialog(parent)
    , m_model(model)
    , m_lists(lists)
    , m_state(state)
    , m_hooks(std::move(hooks))
    // In the Tovalin session a mail program would cover Tovalin, and its links lead to the web.
    , m_xdgEmail(inTovalinSession() ? QString() : QStandardPaths::findExecutable(QStringLiteral("xdg-email")))
{
    setObjectName(QStringLiteral("Taktiefthemaform"));
    setWindowTitle(tr("Edit active theme"));
    setFixedSize(kDialogSize);
    setModal(true);
    look::paintWhite(this);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(buildMenu());
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    row->addWidget(m_pages, 1);

    m_listPages[0].which = SiteList::White;
    m_listPages[1].which = SiteList::Black;
    m_listPages[2].which = SiteList::Popup;
    m_pageWidgets[index(Page::SaveAs)] = buildSaveAsPage();
    m_pageWidgets[index(Page::Delete)] = buildDeletePage();
    m_pageWidgets[index(Page::AddTheme)] = buildAddThemePage();
    buildListPage(m_listPages[0], "kindvriendelijktab", tr("Whitelist"), "ListBox2", "ALEdit1",
                  {"XiButton1", "XiButton2", "XiButton3", "XiButton5", "XiButton13"});
    buildListPage(m_listPages[1], "Kindonvriendelijktab", tr("Blacklist"), "ListBox3", "ALEdit2",
                  {"XiButton4", "XiButton7", "XiButton8", "XiButton6", nullptr});
    buildListPage(m_listPages[2], "popuptab", tr("pop-up list"), "ListBox4", "ALEdit3",
                  {"XiButton9", "XiButton11", "XiButton12", "XiButton10", nullptr});
    m_pageWidgets[index(Page::Whitelist)] = m_listPages[0].page;
    m_pageWidgets[index(Page::Blacklist)] = m_listPages[1].page;
    m_pageWidgets[index(Page::Popup)] = m_listPages[2].page;
    m_pageWidgets[index(Page::Export)] = buildExportPage();
    for (QWidget *w : m_pageWidgets)
        m_pages->addWidget(w);

    // Export needs the archive writer; e-mail needs it and the desktop's mail command.
    const bool canExport = bool(m_hooks.writeArchive);
    const QString emailText = emailAvailable() ? tr("Email") : tr("Email (not available)");
    for (QPushButton *b : {m_menuEmail, m_pageEmail}) {
        b->setText(emailText);
        b->setEnabled(emailAvailable());
        b->setVisible(canExport);
        // A link that cannot be used must not look like one.
        b->setStyleSheet(b->styleSheet() + QStringLiteral("QPushButton:disabled { color: #8c8c8c; }"));
    }
    for (QPushButton *b : {m_menuLocal, m_pageLocal})
        b->setVisible(canExport);
}

ActiveThemeEditor::~ActiveThemeEditor()
{
    if (m_mail) {
        // The mail program goes on by itself; only our watch over it ends.
        m_mail->disconnect(this);
        m_mail->waitForFinished(0);
    }
}

QWidget *ActiveThemeEditor::buildMenu()
{
    auto *menu = new QWidget(this);
    menu->setObjectName(QStringLiteral("menu"));
    // At least 150 pixels, wider when a translated entry needs it.
    menu->setMinimumWidth(150);
    menu->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    menu->setAutoFillBackground(true);
    QPalette pal = menu->palette();
    pal.setColor(QPalette::Window, look::kBand);
    menu->setPalette(pal);
    auto *lay = new QVBoxLayout(menu);
    lay->setContentsMargins(12, 12, 8, 12);
    lay->setSpacing(2);
    auto group = [&](const QString &caption) {
        lay->addSpacing(6);
        lay->addWidget(themelook::bold(caption, menu));
    };
    auto entry = [&](const QString &text, const char *name, auto action) {
        QPushButton *b = look::makeLink(text, QLatin1String(name), menu);
        connect(b, &QPushButton::clicked, this, action);
        lay->addWidget(b);
        return b;
    };
    group(tr("General"));
    entry(tr("Save as"), "menuSaveAs", [this] { showPage(Page::SaveAs); });
    entry(tr("Delete"), "menuDelete", [this] { showPage(Page::Delete); });
    entry(tr("Add theme"), "menuAddTheme", [this] { showPage(Page::AddTheme); });
    group(tr("URL manager"));
    entry(tr("Whitelist"), "menuWhitelist", [this] { showPage(Page::Whitelist); });
    entry(tr("Blacklist"), "menuBlacklist", [this] { showPage(Page::Blacklist); });
    entry(tr("pop-up list"), "menuPopup", [this] { showPage(Page::Popup); });
    group(tr("Export"));
    m_menuEmail = entry(tr("Email"), "menuEmail", [this] { exportEmail(); });
    m_menuLocal = entry(tr("Local..."), "menuLocal", [this] { exportLocal(); });
    group(tr("Close"));
    entry(tr("Close"), "menuClose", [this] { accept(); });
    lay->addStretch(1);
    return menu;
}

QWidget *ActiveThemeEditor::pageFrame(const char *objectName, const QString &title)
{
    auto *page = new QWidget;
    page->setObjectName(QLatin1String(objectName));
    auto *lay = new QVBoxLayout(page);
    lay->setContentsMargins(16, 12, 16, 12);
    lay->setSpacing(4);
    lay->addWidget(themelook::heading(title, page));
    auto *active = new QLabel(page);
    active->setObjectName(QStringLiteral("activeThemeLine"));
    lay->addWidget(active);
    lay->addSpacing(6);
    return page;
}

QWidget *ActiveThemeEditor::buildSaveAsPage()
{
    QWidget *page = pageFrame("opslaanalstab", tr("Save as"));
    auto *lay = static_cast<QVBoxLayout *>(page->layout());
    lay->addWidget(new QLabel(tr("Enter another name for this theme"), page));
    auto *field = new QHBoxLayout;
    m_saveName = new QLineEdit(page);
    m_saveName->setObjectName(QStringLiteral("URLedit"));
    field->addWidget(m_saveName, 1);
    m_saveButton = button(tr("Save"), "Opslaan", page);
    field->addWidget(m_saveButton);
    lay->addLayout(field);

    m_savedPanel = new QWidget(page);
    m_savedPanel->setObjectName(QStringLiteral("savedPanel"));
    auto *saved = new QVBoxLayout(m_savedPanel);
    saved->setContentsMargins(0, 12, 0, 0);
    saved->addWidget(themelook::bold(tr("The active thema has been saved as"), m_savedPanel));
    m_savedList = new QListWidget(m_savedPanel);
    m_savedList->setObjectName(QStringLiteral("ListBox5"));
    m_savedList->setMaximumHeight(90);
    saved->addWidget(m_savedList);
    lay->addWidget(m_savedPanel);
    lay->addStretch(1);

    connect(m_saveName, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_saveButton->setEnabled(!text.trimmed().isEmpty()); });
    connect(m_saveButton, &QPushButton::clicked, this, &ActiveThemeEditor::saveAs);
    connect(m_saveName, &QLineEdit::returnPressed, this, &ActiveThemeEditor::saveAs);
    m_saveName->installEventFilter(this);
    return page;
}

QWidget *ActiveThemeEditor::buildDeletePage()
{
    QWidget *page = pageFrame("verwijdertab", tr("Delete"));
    auto *lay = static_cast<QVBoxLayout *>(page->layout());
    lay->addWidget(new QLabel(tr("Click the delete button to remove the active theme"), page));
    auto *warning = themelook::bold(tr("Warning: This action cannot be undone!"), page);
    QPalette pal = warning->palette();
    pal.setColor(QPalette::WindowText, QColor(190, 30, 30));
    warning->setPalette(pal);
    lay->addWidget(warning);
    auto *row = new QHBoxLayout;
    QPushButton *del = button(tr("Delete"), "verwijderbutton", page);
    row->addWidget(del);
    row->addStretch(1);
    lay->addLayout(row);
    lay->addStretch(1);
    connect(del, &QPushButton::clicked, this, &ActiveThemeEditor::deleteTheme);
    return page;
}

QWidget *ActiveThemeEditor::buildAddThemePage()
{
    QWidget *page = pageFrame("toevoegentab", tr("Add theme"));
    auto *lay = static_cast<QVBoxLayout *>(page->layout());
    lay->addWidget(new QLabel(tr("Select the theme that you want to add from the list."), page));
    m_themeList = new QListWidget(page);
    m_themeList->setObjectName(QStringLiteral("ListBox1"));
    lay->addWidget(m_themeList, 1);
    lay->addWidget(new QLabel(tr("The active theme will be expanded with the selected  "), page));
    auto *pickRow = new QHBoxLayout;
    pickRow->addWidget(new QLabel(tr("theme"), page));
    m_pickLabel = themelook::bold(QString(), page);
    m_pickLabel->setObjectName(QStringLiteral("pickLabel"));
    pickRow->addWidget(m_pickLabel, 1);
    m_addTheme = button(tr("Add"), "toevoegbutton", page);
    pickRow->addWidget(m_addTheme);
    lay->addLayout(pickRow);

    connect(m_themeList, &QListWidget::currentTextChanged, this, [this](const QString &name) {
        if (name.isEmpty())
            return;
        m_pickLabel->setText(name);
        m_addTheme->setEnabled(true);
    });
    connect(m_addTheme, &QPushButton::clicked, this, &ActiveThemeEditor::addPickedTheme);
    return page;
}

QWidget *ActiveThemeEditor::buildExportPage()
{
    QWidget *page = pageFrame("exporterentab", tr("Export"));
    auto *lay = static_cast<QVBoxLayout *>(page->layout());
    m_pageEmail = look::makeLink(tr("Email"), QStringLiteral("exportEmail"), page);
    m_pageLocal = look::makeLink(tr("Local..."), QStringLiteral("exportLocal"), page);
    lay->addWidget(m_pageEmail);
    lay->addWidget(m_pageLocal);
    lay->addStretch(1);
    connect(m_pageEmail, &QPushButton::clicked, this, &ActiveThemeEditor::exportEmail);
    connect(m_pageLocal, &QPushButton::clicked, this, &ActiveThemeEditor::exportLocal);
    return page;
}

void ActiveThemeEditor::buildListPage(ListPage &lp, const char *pageName, const QString &title, const char *listName,
                                      const char *fieldName, const std::array<const char *, 5> &buttonNames)
{
    QWidget *page = pageFrame(pageName, title);
    lp.page = page;
    auto *lay = static_cast<QVBoxLayout *>(page->layout());
    lay->addWidget(new QLabel(tr("Select an URL that you want to edit from the list"), page));
    lp.view = new QListView(page);
    lp.view->setObjectName(QLatin1String(listName));
    lp.view->setModel(&m_lists.list(lp.which));
    lp.view->setItemDelegate(new EntryNoteDelegate(
        [this, which = lp.which](const QString &entry) {
            return m_hooks.entryNote ? m_hooks.entryNote(which, entry) : QString();
        },
        lp.view));
    lp.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lp.view->setSelectionMode(QAbstractItemView::SingleSelection);
    lp.view->setUniformItemSizes(true); // long lists stay quick to show
    lp.view->setMouseTracking(true);
    lp.view->viewport()->installEventFilter(this);
    lay->addWidget(lp.view, 1);
    lay->addWidget(new QLabel(tr("Add a new URL or edit a selected URL"), page));
    auto *fieldRow = new QHBoxLayout;
    lp.field = new QLineEdit(page);
    lp.field->setObjectName(QLatin1String(fieldName));
    lp.field->installEventFilter(this);
    fieldRow->addWidget(lp.field, 1);
    lp.levelUp = new QToolButton(page);
    lp.levelUp->setObjectName(QLatin1String(buttonNames[3]));
    lp.levelUp->setIcon(themelook::levelUp(18));
    lp.levelUp->setToolTip(tr("One level up"));
    fieldRow->addWidget(lp.levelUp);
    lay->addLayout(fieldRow);
    if (lp.which == SiteList::White) {
        // An entry without a dot, or with one at an end, lets more than one site through (as a
        // fragment, and as a site: "kids" is every host ending in ".kids").
        lp.warning = new QLabel(tr("This entry lets more than one site through: its site name has no dot, "
                                   "or begins or ends with one."),
                                page);
        lp.warning->setObjectName(QStringLiteral("moreThanASite"));
        lp.warning->setWordWrap(true);
        QPalette pal = lp.warning->palette();
        pal.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
        lp.warning->setPalette(pal);
        lp.warning->hide();
        lay->addWidget(lp.warning);
        QLabel *warning = lp.warning;
        connect(lp.field, &QLineEdit::textChanged, warning, [warning](const QString &text) {
            warning->setVisible(!text.trimmed().isEmpty() && entryMatchesMoreThanASite(text.trimmed()));
        });
    }
    auto *buttons = new QHBoxLayout;
    lp.add = button(tr("Add"), buttonNames[0], page);
    lp.change = button(tr("Change"), buttonNames[1], page);
    lp.remove = button(tr("Delete"), buttonNames[2], page);
    for (QPushButton *b : {lp.add, lp.change, lp.remove})
        buttons->addWidget(b);
    if (buttonNames[4]) {
        lp.show = button(tr("Show in browser"), buttonNames[4], page);
        buttons->addWidget(lp.show);
    }
    buttons->addStretch(1);
    lay->addLayout(buttons);

    ListPage *p = &lp;
    connect(lp.view, &QListView::clicked, this, [this, p](const QModelIndex &i) { listEntryClicked(*p, i); });
    connect(lp.field, &QLineEdit::textEdited, this, [this, p] { listFieldEdited(*p); });
    connect(lp.add, &QPushButton::clicked, this, [this, p] { listAdd(*p); });
    connect(lp.change, &QPushButton::clicked, this, [this, p] { listChange(*p); });
    connect(lp.remove, &QPushButton::clicked, this, [this, p] { listDelete(*p); });
    connect(lp.levelUp, &QToolButton::clicked, this, [this, p] { listLevelUp(*p); });
    if (lp.show) {
        connect(lp.show, &QPushButton::clicked, this, [this, p] { listShowInBrowser(*p); });
        connect(lp.view, &QListView::doubleClicked, this, [this, p](const QModelIndex &i) {
            if (m_hooks.showInBrowser && i.isValid())
                m_hooks.showInBrowser(i.data().toString());
        });
    }
}

QWidget *ActiveThemeEditor::page(Page page) const
{
    return m_pageWidgets[index(page)];
}

void ActiveThemeEditor::openOn(Page page)
{
    showPage(page);
    if (QWidget *p = parentWidget()) {
        const QRect frame = p->window()->geometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    open();
    raise();
    activateWindow();
}

void ActiveThemeEditor::showPage(Page page)
{
    m_pages->setCurrentWidget(m_pageWidgets[index(page)]);
    pageShown(page);
}

void ActiveThemeEditor::pageShown(Page page)
{
    QWidget *w = m_pageWidgets[index(page)];
    if (auto *line = w->findChild<QLabel *>(QStringLiteral("activeThemeLine")))
        line->setText(tr("Active theme: ") + m_state.activeTheme());
    // Changing the page hides the save-as result.
    m_savedPanel->hide();
    switch (page) {
    case Page::SaveAs:
        m_savedList->clear();
        m_saveName->clear();
        m_saveButton->setEnabled(false);
        break;
    case Page::AddTheme: {
        m_themeList->clear();
        const QStringList names = listThemeNames(m_state.themesFolder());
        for (const QString &name : names) {
            if (!name.trimmed().isEmpty())
                m_themeList->addItem(name.trimmed());
        }
        m_pickLabel->setText(tr("No theme selected!"));
        m_addTheme->setEnabled(false);
        break;
    }
    case Page::Whitelist:
        listPageShown(m_listPages[0]);
        break;
    case Page::Blacklist:
        listPageShown(m_listPages[1]);
        break;
    case Page::Popup:
        listPageShown(m_listPages[2]);
        break;
    case Page::Delete:
    case Page::Export:
        break;
    }
}

// --- List pages ---------------------------------------------------------------

void ActiveThemeEditor::listPageShown(ListPage &lp)
{
    // The lists are read again: the files are the record of what the guard applies.
    m_lists.LoadSiteLists();
    lp.field->clear();
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{lp.add, lp.change, lp.remove, lp.show}) {
        if (b)
            b->setEnabled(false);
    }
}

int ActiveThemeEditor::selectedRow(const ListPage &lp) const
{
    const QModelIndexList rows = lp.view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ActiveThemeEditor::listEntryClicked(ListPage &lp, const QModelIndex &index)
{
    if (!index.isValid())
        return;
    lp.field->setText(index.data().toString());
    lp.remove->setEnabled(true);
    if (lp.show)
        lp.show->setEnabled(true);
    lp.change->setEnabled(false);
    lp.add->setEnabled(false);
}

void ActiveThemeEditor::listFieldEdited(ListPage &lp)
{
    const bool filled = !lp.field->text().trimmed().isEmpty();
    lp.change->setEnabled(filled);
    lp.add->setEnabled(filled);
    if (lp.show)
        lp.show->setEnabled(filled);
    lp.remove->setEnabled(false);
}

void ActiveThemeEditor::listAdd(ListPage &lp)
{
    const ListAddResult result = addListEntry(m_lists, lp.which, lp.field->text());
    if (result.outcome == ListAddResult::Outcome::Prefixed)
        lp.field->setText(result.field);
}

void ActiveThemeEditor::listChange(ListPage &lp)
{
    changeListEntry(m_lists, lp.which, selectedRow(lp), lp.field->text());
}

void ActiveThemeEditor::listDelete(ListPage &lp)
{
    deleteListEntry(m_lists, lp.which, selectedRow(lp));
}

void ActiveThemeEditor::listLevelUp(ListPage &lp)
{
    if (const std::optional<QString> up = oneLevelUp(lp.field->text())) {
        lp.field->setText(*up);
        listFieldEdited(lp);
    }
}

void ActiveThemeEditor::listShowInBrowser(ListPage &lp)
{
    // A click on an entry copies it into the field, so the field holds the picked entry, or what
    // the parent typed since.
    const QString address = lp.field->text();
    if (m_hooks.showInBrowser && !address.trimmed().isEmpty())
        m_hooks.showInBrowser(address);
}

bool ActiveThemeEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::ToolTip)
        return QDialog::eventFilter(watched, event);
    QPoint local;
    QPoint global;
    if (event->type() == QEvent::MouseMove) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        local = mouse->position().toPoint();
        global = mouse->globalPosition().toPoint();
    } else {
        const auto *help = static_cast<QHelpEvent *>(event);
        local = help->pos();
        global = help->globalPos();
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    if (auto *field = qobject_cast<QLineEdit *>(watched)) {
        const QString text = field->text();
        if (fontMetrics().horizontalAdvance(text) >= kFieldTooltipWidth)
            QToolTip::showText(global, text, field);
        else
            QToolTip::hideText();
        return event->type() == QEvent::ToolTip;
    }
    for (const ListPage &lp : m_listPages) {
        if (widget != lp.view->viewport())
            continue;
        const QModelIndex i = lp.view->indexAt(local);
        const QString text = i.isValid() ? i.data().toString() : QString();
        if (!text.isEmpty() && lp.view->fontMetrics().horizontalAdvance(text) >= kListTooltipWidth)
            QToolTip::showText(global, text, lp.view->viewport());
        else
            QToolTip::hideText();
        return event->type() == QEvent::ToolTip;
    }
    return QDialog::eventFilter(watched, event);
}

// --- Save as, Delete, Add theme -----------------------------------------------------

void ActiveThemeEditor::inform(const QString &text)
{
    if (m_hooks.inform)
        m_hooks.inform(this, text);
}

void ActiveThemeEditor::saveAs()
{
    const QString name = m_saveName->text().trimmed();
    if (name.isEmpty()) {
        inform(tr("     You did not enter a name     "));
        return;
    }
    const QString folder = m_state.themesFolder();
    auto startAgain = [this] {
        m_saveName->clear();
        m_saveName->setFocus();
    };
    QString target = name;
    if (ThemeExists(folder, name)) {
        if (!m_hooks.ask || !m_hooks.ask(this, tr("Theme ") + name + tr(" already exists. Overwrite?"))) {
            startAgain();
            return;
        }
        // Replace that theme, whatever letter case the parent typed.
        target = existingThemeSpelling(folder, name);
    }
    // The name is tested by its rules, not by writing a file: nothing is left behind, and a name
    // with a folder part can never reach outside the themes folder.
    if (!isValidThemeName(target)) {
        inform(tr("You did not enter a valid name. Try again!."));
        startAgain();
        return;
    }
    if (!copyThemeFiles(folder, m_state.activeTheme(), target))
        inform(tr("Not every file of the theme could be copied to \"%1\".").arg(target));
    if (m_hooks.fillThemeChooser)
        m_hooks.fillThemeChooser();
    m_savedList->addItem(target);
    m_saveName->clear();
    m_savedPanel->show();
}

void ActiveThemeEditor::deleteTheme()
{
    const QString theme = m_state.activeTheme();
    if (!isSafeFileStem(theme)
        || !QFileInfo(themefiles::filePath(m_state.themesFolder(), theme, themefiles::kLinkListExt)).isFile())
        return;
    if (!m_hooks.ask || !m_hooks.ask(this, tr("Do you want to remove theme ") + theme + tr("?")))
        return;
    deleteActiveTheme(m_model, m_lists, m_state);
    if (m_hooks.fillThemeChooser)
        m_hooks.fillThemeChooser();
    accept();
}

void ActiveThemeEditor::addPickedTheme()
{
    QListWidgetItem *item = m_themeList->currentItem();
    if (!item)
        return;
    const QStringList failed = mergeTheme(m_state.themesFolder(), m_state.activeTheme(), item->text());
    if (!failed.isEmpty())
        inform(tr("The theme could not be expanded completely: %1 could not be written.").arg(failed.join(u", ")));
    m_model.LoadTheme(m_state.activeTheme(), Scroll::ToTop);
    m_lists.LoadSiteLists();
    if (m_hooks.fillThemeChooser)
        m_hooks.fillThemeChooser();
    if (m_hooks.selectLink)
        m_hooks.selectLink(1);
}

// --- Export ------------------------------------------------------------------

QString ActiveThemeEditor::writeArchiveOrSay(const QString &path)
{
    if (!m_hooks.writeArchive)
        return tr("Themes cannot be exported here.");
    return m_hooks.writeArchive(m_state.activeTheme(), path);
}

void ActiveThemeEditor::exportLocal()
{
    const QString theme = m_state.activeTheme();
    if (!m_hooks.exportPath || !m_hooks.writeArchive)
        return;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        m_hooks.exportPath(this, tr("Export theme: ") + theme, QDir(documents).filePath(theme + QStringLiteral(".tvz")));
    if (path.isEmpty())
        return;
    const QString problem = writeArchiveOrSay(path);
    if (!problem.isEmpty())
        inform(tr("The theme could not be exported to %1:\n%2").arg(path, problem));
}

void ActiveThemeEditor::exportEmail()
{
    const QString notSent = tr("Attention: The email was not sent!");
    if (!emailAvailable() || !m_hooks.writeArchive)
        return;
    if (m_mail && m_mail->state() != QProcess::NotRunning)
        return; // one message at a time
    const QString theme = m_state.activeTheme();
    QDir().mkpath(m_state.downloadsFolder());
    const QString archive = QDir(m_state.downloadsFolder()).filePath(theme + QStringLiteral(".tvz"));
    if (!isSafeFileStem(theme) || !writeArchiveOrSay(archive).isEmpty()) {
        inform(notSent);
        return;
    }
    if (m_hooks.stopForeignWindowGuard)
        m_hooks.stopForeignWindowGuard();
    if (!m_mail) {
        m_mail = new QProcess(this);
        m_mail->setObjectName(QStringLiteral("xdgEmail"));
        m_mail->setProcessChannelMode(QProcess::ForwardedChannels);
        connect(m_mail, &QProcess::errorOccurred, this, [this, notSent](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                inform(notSent);
        });
        connect(m_mail, &QProcess::finished, this, [this, notSent](int code, QProcess::ExitStatus status) {
            if (status != QProcess::NormalExit || code != 0) {
                qCDebug(lcThemes) << "xdg-email ended with" << code;
                inform(notSent);
            }
        });
    }
    // The mail program runs on its own: the window keeps answering while the parent writes.
    m_mail->start(m_xdgEmail,
                  xdgEmailArguments(emailSubject(theme), emailBody(m_hooks.vendorHost), archive));
}

} // namespace tovalin
