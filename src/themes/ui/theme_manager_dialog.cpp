#include "themes/ui/theme_manager_dialog.h"

#include "parents/ui/parents_look.h"
#include "state/program_state.h"
#include "themes/theme_files.h"
#include "themes/theme_import.h"
#include "themes/theme_names.h"
#include "themes/ui/new_name_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <thread>

namespace tovalin {

namespace {

const QColor kMenuBackground(245, 248, 255);

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(look::headingFont(label->font()));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, look::kHeading);
    label->setPalette(pal);
    return label;
}

QPushButton *button(const QString &text, const char *objectName, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(objectName));
    b->setAutoDefault(false);
    b->setMinimumWidth(90);
    return b;
}

} // namespace

ThemeManagerDialog::ThemeManagerDialog(ProgramState &state, Hooks hooks, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("algemeenthemaform"));
    setWindowTitle(tr("Edit theme's: general"));
    setFixedSize(592, 453);
    look::paintWhite(this);
    m_newName = new NewNameDialog(this);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(buildMenu());
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_newPage = buildNewPage();
    m_openPage = buildListPage("openentab", tr("Select a theme"), "ListBox4", "Label4", tr("Open"), "Button2",
                               &m_openList, &m_openLabel);
    m_deletePage = buildListPage("verwijderentab", tr("Delete theme"), "ListBox1", "Label5", tr("Delete"), "Button3",
                                 &m_deleteList, &m_deleteLabel);
    m_importPage = buildImportPage();
    for (QWidget *page : {m_newPage, m_openPage, m_deletePage, m_importPage})
        m_pages->addWidget(page);
    row->addWidget(m_pages, 1);

    connect(m_openPage->findChild<QPushButton *>(QStringLiteral("Button2")), &QPushButton::clicked, this,
            &ThemeManagerDialog::openTheme);
    connect(m_deletePage->findChild<QPushButton *>(QStringLiteral("Button3")), &QPushButton::clicked, this,
            &ThemeManagerDialog::deleteTheme);
    showPage(m_openPage);
}

QWidget *ThemeManagerDialog::buildMenu()
{
    auto *menu = new QWidget(this);
    menu->setObjectName(QStringLiteral("menupanel"));
    menu->setFixedWidth(150);
    menu->setAutoFillBackground(true);
    QPalette pal = menu->palette();
    pal.setColor(QPalette::Window, kMenuBackground);
    menu->setPalette(pal);
    auto *column = new QVBoxLayout(menu);
    column->setContentsMargins(14, 16, 10, 16);
    column->setSpacing(2);

    auto group = [&](const QString &text, const char *objectName) {
        auto *label = new QLabel(text, menu);
        label->setObjectName(QLatin1String(objectName));
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        column->addSpacing(8);
        column->addWidget(label);
        return label;
    };
    auto entry = [&](const QString &text, const char *objectName, auto action) {
        QPushButton *link = look::makeLink(text, QLatin1String(objectName), menu);
        connect(link, &QPushButton::clicked, this, action);
        column->addWidget(link);
        return link;
    };
    group(tr("Edit options"), "Label1");
    entry(tr("New"), "nieuwlabel", [this] { showPage(m_newPage); });
    entry(tr("Open"), "openenlabel", [this] { showPage(m_openPage); });
    entry(tr("Delete"), "verwijderenlabel", [this] { showPage(m_deletePage); });
    // The import group's heading leads to its page, where the activation tick lives.
    auto *importHeading = look::makeLink(tr("Import"), QStringLiteral("importerenlabel"), menu, Qt::black);
    QFont bold = importHeading->font();
    bold.setBold(true);
    importHeading->setFont(bold);
    column->addSpacing(8);
    column->addWidget(importHeading);
    connect(importHeading, &QPushButton::clicked, this, [this] { showPage(m_importPage); });
    entry(tr("Internet"), "internetlabel", [this] { internet(); });
    entry(tr("Local..."), "lokaallabel", [this] { localImport(); });
    group(tr("Close"), "Label2");
    entry(tr("Close"), "sluitenlabel", [this] { reject(); });
    column->addStretch(1);
    return menu;
}

QWidget *ThemeManagerDialog::buildNewPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("nieuwthema"));
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(24, 20, 24, 20);
    column->addWidget(heading(tr("New theme"), page));
    column->addSpacing(10);
    column->addWidget(new QLabel(tr("Enter a name for the new theme"), page));
    m_newEdit = new QLineEdit(page);
    m_newEdit->setObjectName(QStringLiteral("nieuwthemaedit"));
    column->addWidget(m_newEdit);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton *create = button(tr("Create"), "Button1", page);
    row->addWidget(create);
    column->addLayout(row);
    m_savedPanel = new QWidget(page);
    m_savedPanel->setObjectName(QStringLiteral("Panel1"));
    auto *saved = new QVBoxLayout(m_savedPanel);
    saved->setContentsMargins(0, 12, 0, 0);
    saved->addWidget(new QLabel(tr("The new theme has been saved as"), m_savedPanel));
    m_savedName = new QLabel(m_savedPanel);
    m_savedName->setObjectName(QStringLiteral("Label3"));
    QFont bold = m_savedName->font();
    bold.setBold(true);
    m_savedName->setFont(bold);
    saved->addWidget(m_savedName);
    m_savedPanel->hide();
    column->addWidget(m_savedPanel);
    column->addStretch(1);
    connect(create, &QPushButton::clicked, this, &ThemeManagerDialog::createTheme);
    connect(m_newEdit, &QLineEdit::returnPressed, this, &ThemeManagerDialog::createTheme);
    return page;
}

QWidget *ThemeManagerDialog::buildListPage(const char *objectName, const QString &title, const char *listName,
                                           const char *labelName, const QString &buttonText, const char *buttonName,
                                           QListWidget **list, QLabel **label)
{
    auto *page = new QWidget(this);
    page->setObjectName(QLatin1String(objectName));
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(24, 20, 24, 20);
    column->addWidget(heading(title, page));
    column->addSpacing(10);
    column->addWidget(new QLabel(tr("Select a theme from the list"), page));
    *list = new QListWidget(page);
    (*list)->setObjectName(QLatin1String(listName));
    column->addWidget(*list, 1);
    *label = new QLabel(tr("No theme selected"), page);
    (*label)->setObjectName(QLatin1String(labelName));
    column->addWidget(*label);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button(buttonText, buttonName, page));
    column->addLayout(row);
    QLabel *shown = *label;
    connect(*list, &QListWidget::currentTextChanged, shown, [shown](const QString &name) {
        shown->setText(name.isEmpty() ? tr("No theme selected") : tr("Selected thema: ") + name);
    });
    return page;
}

QWidget *ThemeManagerDialog::buildImportPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("importerentab"));
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(24, 20, 24, 20);
    column->addWidget(heading(tr("Import theme's"), page));
    column->addSpacing(10);
    QPushButton *internetLink = look::makeLink(tr("Internet"), QStringLiteral("Label6"), page);
    QPushButton *localLink = look::makeLink(tr("Local..."), QStringLiteral("Label7"), page);
    connect(internetLink, &QPushButton::clicked, this, [this] { internet(); });
    connect(localLink, &QPushButton::clicked, this, [this] { localImport(); });
    column->addWidget(internetLink);
    column->addWidget(localLink);
    column->addSpacing(12);
    m_activate = new QCheckBox(tr("Activate the imported theme"), page);
    m_activate->setObjectName(QStringLiteral("directcheck"));
    column->addWidget(m_activate);
    column->addStretch(1);
    return page;
}

void ThemeManagerDialog::runModal()
{
    showPage(m_openPage);
    exec();
}

QWidget *ThemeManagerDialog::currentPage() const
{
    return m_pages->currentWidget();
}

bool ThemeManagerDialog::activateImported() const
{
    return m_activate->isChecked();
}

void ThemeManagerDialog::showPage(QWidget *page)
{
    m_pages->setCurrentWidget(page);
    if (page == m_openPage)
        fillList(m_openList, m_openLabel);
    else if (page == m_deletePage)
        fillList(m_deleteList, m_deleteLabel);
    else if (page == m_newPage)
        m_newEdit->setFocus();
}

void ThemeManagerDialog::fillList(QListWidget *list, QLabel *label)
{
    const QSignalBlocker quiet(list);
    list->clear();
    const QStringList names = listThemeNames(m_state.themesFolder());
    for (const QString &name : names) {
        if (!name.trimmed().isEmpty())
            list->addItem(name);
    }
    label->setText(tr("No theme selected"));
}

void ThemeManagerDialog::refreshLists()
{
    if (m_pages->currentWidget() == m_openPage)
        fillList(m_openList, m_openLabel);
    else if (m_pages->currentWidget() == m_deletePage)
        fillList(m_deleteList, m_deleteLabel);
}

void ThemeManagerDialog::createTheme()
{
    const QString name = m_newEdit->text();
    if (name.trimmed().isEmpty()) {
        QMessageBox::information(this, tr("Tovalin"), tr("     You did not enter a name     "));
        return;
    }
    const QString themes = m_state.themesFolder();
    if (ThemeExists(themes, name)
        && QMessageBox::question(this, tr("Tovalin"), tr("Theme %1 already exists. Overwrite?").arg(name))
               != QMessageBox::Yes)
        return;
    // The name is tested as a name, so nothing is written anywhere to find out.
    const QString target = existingThemeSpelling(themes, name);
    const WriteResult created = isValidThemeName(name) ? CreateThemeFiles(themes, target)
                                                       : WriteResult{false, QString()};
    if (!created.ok) {
        if (created.error.isEmpty())
            QMessageBox::information(this, tr("Tovalin"), tr("You did not enter a valid name. Try again!."));
        else
            QMessageBox::warning(this, tr("Tovalin"), tr("The theme could not be saved:\n%1").arg(created.error));
        m_newEdit->clear();
        m_newEdit->setFocus();
        return;
    }
    m_savedName->setText(target);
    m_savedPanel->show();
    if (m_hooks.activateTheme)
        m_hooks.activateTheme(target);
}

void ThemeManagerDialog::openTheme()
{
    QListWidgetItem *item = m_openList->currentItem();
    if (!item)
        return;
    if (m_hooks.activateTheme)
        m_hooks.activateTheme(item->text());
}

void ThemeManagerDialog::deleteTheme()
{
    QListWidgetItem *item = m_deleteList->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    const QString themes = m_state.themesFolder();
    if (!QFileInfo(themefiles::filePath(themes, name, themefiles::kLinkListExt)).isFile())
        return;
    if (QMessageBox::question(this, tr("Tovalin"), tr("Do you want to remove theme %1?").arg(name)) != QMessageBox::Yes)
        return;
    DeleteThemeFiles(themes, name);
    {
        const QSignalBlocker quiet(m_deleteList);
        delete m_deleteList->takeItem(m_deleteList->row(item));
        m_deleteList->setCurrentRow(-1);
    }
    m_deleteLabel->setText(tr("No theme selected"));
    const QStringList left = listThemeNames(themes);
    if (m_hooks.switchTheme)
        m_hooks.switchTheme(left.isEmpty() ? QStringLiteral("Geen thema aanwezig") : left.first());
}

void ThemeManagerDialog::internet()
{
    if (m_hooks.openThemePage)
        m_hooks.openThemePage();
    reject();
}

void ThemeManagerDialog::localImport()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(documents).isDir())
        documents = QDir::homePath();
    QFileDialog dialog(this, tr("Import a Tovalin theme"), documents, tr("Tovalin theme files (*.tvz)"));
    dialog.setObjectName(QLatin1String(kFileDialogName));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("tvz"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    importArchive(dialog.selectedFiles().constFirst());
}

bool ThemeManagerDialog::importArchive(const QString &archivePath)
{
    const QString themes = m_state.themesFolder();
    const QString archiveTheme = themeNameFromArchivePath(archivePath);
    QString target = archiveTheme;
    if (ThemeExists(themes, archiveTheme)) {
        if (QMessageBox::question(this, tr("Tovalin"), tr("Theme %1 already exists. Overwrite?").arg(archiveTheme))
            == QMessageBox::Yes) {
            target = existingThemeSpelling(themes, archiveTheme);
        } else {
            target = m_newName->ask();
            if (target.isEmpty())
                return false;
        }
    }
    if (!isValidThemeName(target)) {
        QMessageBox::information(this, tr("Tovalin"), tr("You did not enter a valid name. Try again!."));
        return false;
    }
    if (!runImport(archivePath, archiveTheme, target)) {
        QMessageBox::information(this, tr("Tovalin"), tr("       Import from the internet failed!       "));
        refreshLists();
        return false;
    }
    if (m_activate->isChecked() && m_hooks.activateTheme)
        m_hooks.activateTheme(target);
    // The open page lists the theme that came in, picked, so the parent sees where it went.
    showPage(m_openPage);
    const QList<QListWidgetItem *> found = m_openList->findItems(target, Qt::MatchExactly);
    if (!found.isEmpty())
        m_openList->setCurrentItem(found.first());
    return true;
}

bool ThemeManagerDialog::runImport(const QString &archivePath, const QString &archiveTheme, const QString &target)
{
    // Unpacking up to 64 MB takes a moment: the dialog keeps painting meanwhile, but takes no
    // clicks until the import has ended.
    ThemeImportResult result;
    const QString themes = m_state.themesFolder();
    QEventLoop loop;
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::thread worker([&] {
        result = importThemeArchive(archivePath, archiveTheme, target, themes);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    QApplication::restoreOverrideCursor();
    setEnabled(true);
    return result.result.ok();
}

} // namespace tovalin
