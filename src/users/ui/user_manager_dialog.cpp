#include "users/ui/user_manager_dialog.h"

#include "state/program_state.h"
#include "users/ui/icon_picker.h"
#include "users/ui/users_look.h"
#include "users/user_manager.h"
#include "users/user_names.h"
#include "users/user_profile.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tovalin {

using userslook::NavLink;

namespace {

bool askQuestion(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, QStringLiteral("Tovalin"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
        == QMessageBox::Yes;
}

void showMessage(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QStringLiteral("Tovalin"), text);
}

QFont boldFont(QFont f)
{
    f.setBold(true);
    return f;
}

QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setItalic(true);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(90, 90, 90));
    label->setPalette(pal);
    return label;
}

} // namespace

UserManagerDialog::UserManagerDialog(UserManager &manager, const QString &programFolder, QWidget *parent)
    : QDialog(parent)
    , m_manager(manager)
    , m_profile(manager.profile())
    , m_programFolder(programFolder)
    , m_question(askQuestion)
    , m_message(showMessage)
{
    setObjectName(QStringLiteral("Tgebruikersform"));
    setWindowTitle(tr("Users"));
    userslook::paintWhite(this);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildNavigation());

    auto *right = new QVBoxLayout;
    right->setContentsMargins(20, 16, 20, 12);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    {
        // The Security page's settings, with room for a column beside them.
        auto *security = new QWidget(this);
        m_securityColumns = new QHBoxLayout(security);
        m_securityColumns->setContentsMargins(0, 0, 0, 0);
        m_securityColumns->setSpacing(20);
        m_securityColumns->addWidget(buildSecurityPage(), 1);
        m_pages->addWidget(security);
    }
    m_pages->addWidget(buildThemesPage());
    m_pages->addWidget(buildExtraPage());
    m_pages->addWidget(buildShortcutPage());
    m_pages->addWidget(buildSaveAsPage());
    m_pages->addWidget(buildNewUserPage());
    m_pages->addWidget(buildOpenPage());
    m_pages->addWidget(buildDeletePage());
    right->addWidget(m_pages, 1);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    right->addWidget(m_status);
    outer->addLayout(right, 1);

    connect(&m_manager, &UserManager::profileReloaded, this, [this] {
        showSettings();
        showUserLabels();
    });

    showPage(OpenPage);
    resize(820, 600);
}

void UserManagerDialog::addSecurityColumn(QWidget *column)
{
    column->setParent(m_securityColumns->parentWidget());
    m_securityColumns->addWidget(column, 1);
    // As wide as the column needs, never wider than the screen.
    int wide = std::max(width(), 1180);
    if (const QScreen *shown = screen())
        wide = std::min(wide, shown->availableGeometry().width());
    resize(wide, std::max(height(), 640));
}

// --- Navigation -------------------------------------------------------------

QWidget *UserManagerDialog::buildNavigation()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("navigationBar"));
    bar->setFixedWidth(190);
    userslook::paintBackground(bar, userslook::kBand);
    auto *lay = new QVBoxLayout(bar);
    lay->setContentsMargins(18, 18, 12, 16);
    lay->setSpacing(6);

    auto group = [&](const QString &caption) {
        auto *label = new QLabel(caption, bar);
        label->setFont(boldFont(label->font()));
        lay->addSpacing(6);
        lay->addWidget(label);
    };
    auto link = [&](const QString &text, const char *name, auto action) {
        auto *l = new NavLink(text, QLatin1String(name), bar);
        l->setContentsMargins(10, 0, 0, 0);
        connect(l, &NavLink::clicked, this, action);
        lay->addWidget(l);
        return l;
    };

    group(tr("Users: general"));
    link(tr("New"), "navNew", [this] { showPage(NewUserPage); });
    link(tr("Open"), "navOpen", [this] { showPage(OpenPage); });
    link(tr("Delete"), "navDelete", [this] { showPage(DeletePage); });
    link(tr("Wizard"), "navWizard", [this] { emit wizardRequested(); });
    lay->addSpacing(10);
    group(tr("Active user"));
    link(tr("Security"), "navSecurity", [this] { showPage(SecurityPage); });
    link(tr("Theme's "), "navThemes", [this] { showPage(ThemesPage); });
    link(tr("Extra"), "navExtra", [this] { showPage(ExtraPage); });
    link(tr("Shortcut"), "navShortcut", [this] { showPage(ShortcutPage); });
    link(tr("Save"), "navSave", [this] { save(); });
    link(tr("Save as"), "navSaveAs", [this] { showPage(SaveAsPage); });
    lay->addStretch(1);
    link(tr("Close"), "navClose", [this] { reject(); });
    return bar;
}

QWidget *UserManagerDialog::page(const QString &objectName, const QString &title, QLabel **userLabel)
{
    auto *p = new QWidget(this);
    p->setObjectName(objectName);
    auto *lay = new QVBoxLayout(p);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(8);
    lay->addWidget(userslook::heading(title, p));
    if (userLabel) {
        *userLabel = new QLabel(p);
        (*userLabel)->setFont(boldFont((*userLabel)->font()));
        lay->addWidget(*userLabel);
    }
    lay->addSpacing(6);
    return p;
}

QCheckBox *UserManagerDialog::settingBox(const QString &text, const QString &objectName,
                                         bool UserProfile::*field, QWidget *parent)
{
    QCheckBox *box = userslook::settingsCheckBox(text, objectName, parent);
    m_settingBoxes.append({box, field});
    // The edit is in force at once: the guard reads the profile on every navigation.
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
        m_profile.*field = on;
        m_manager.markChanged();
    });
    return box;
}

// --- Settings pages -----------------------------------------------------------

QWidget *UserManagerDialog::buildSecurityPage()
{
    QLabel *user = nullptr;
    QWidget *p = page(QStringLiteral("securitytab"), tr("Security settings"), &user);
    user->setObjectName(QStringLiteral("securityUserLabel"));
    m_activeUserLabels.append(user);
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    lay->addWidget(settingBox(tr("Block sites from the blacklist"), QStringLiteral("CBKOU"), &UserProfile::Kindonvriendelijk, p));
    lay->addWidget(settingBox(tr("Only allow sites from the whitelist"), QStringLiteral("CBKVU"), &UserProfile::Kindvriendelijk, p));
    lay->addWidget(settingBox(tr("Whitelist entries are sites"), QStringLiteral("CBWitSites"), &UserProfile::WitSites, p));
    lay->addWidget(settingBox(tr("Block key combinations [alt-tab, ctrl-esc, windows button, etc.]"), QStringLiteral("CBALT"),
                              &UserProfile::Nieteruit, p));
    m_lockInForce = note(QString(), p);
    m_lockInForce->setObjectName(QStringLiteral("lockInForce"));
    m_lockInForce->setWordWrap(true);
    m_lockInForce->setContentsMargins(24, 0, 0, 0);
    m_lockInForce->hide();
    lay->addWidget(m_lockInForce);
    lay->addWidget(settingBox(tr("Block dialog windows"), QStringLiteral("CBDIA"), &UserProfile::Geendialoog, p));
    lay->addWidget(settingBox(tr("Lock menu on startup"), QStringLiteral("CBMENU"), &UserProfile::Blokmenu, p));
    lay->addWidget(settingBox(tr("Automatic restart after abnormal termination (eg. via CTRL-ALT-DEL)"),
                              QStringLiteral("CBrestart"), &UserProfile::Restart, p));
    lay->addSpacing(8);

    auto *groups = new QHBoxLayout;
    groups->setSpacing(12);
    auto *docs = new QGroupBox(tr("Block URL's with extensions:"), p);
    docs->setObjectName(QStringLiteral("GroupBox1"));
    auto *docsLay = new QVBoxLayout(docs);
    docsLay->addWidget(settingBox(QStringLiteral(".doc"), QStringLiteral("CBDOC"), &UserProfile::Blokdoc, docs));
    docsLay->addWidget(settingBox(QStringLiteral(".pdf"), QStringLiteral("CBPDF"), &UserProfile::Blokpdf, docs));
    docsLay->addWidget(settingBox(QStringLiteral(".xls"), QStringLiteral("CBXLS"), &UserProfile::Blokxls, docs));
    docsLay->addWidget(settingBox(QStringLiteral(".txt"), QStringLiteral("CBTXT"), &UserProfile::Bloktxt, docs));
    docsLay->addWidget(settingBox(QStringLiteral(".ppt"), QStringLiteral("CBPPT"), &UserProfile::Blokppt, docs));
    docsLay->addStretch(1);
    groups->addWidget(docs);

    auto *videos = new QGroupBox(tr("Show video's with extensions:"), p);
    videos->setObjectName(QStringLiteral("GroupBox2"));
    auto *videoLay = new QVBoxLayout(videos);
    videoLay->addWidget(settingBox(QStringLiteral(".mpg"), QStringLiteral("CBHQX"), &UserProfile::Toonmpg, videos));
    videoLay->addWidget(settingBox(QStringLiteral(".mpeg"), QStringLiteral("CBVBS"), &UserProfile::Toonmpeg, videos));
    videoLay->addWidget(settingBox(QStringLiteral(".asf"), QStringLiteral("CBEXE"), &UserProfile::Toonasf, videos));
    videoLay->addWidget(settingBox(QStringLiteral(".wmv"), QStringLiteral("CBWMV"), &UserProfile::Toonwmv, videos));
    videoLay->addWidget(settingBox(QStringLiteral(".mov"), QStringLiteral("CBTAR"), &UserProfile::Toonmov, videos));
    videoLay->addWidget(settingBox(QStringLiteral(".avi"), QStringLiteral("CBjs"), &UserProfile::Toonavi, videos));
    videoLay->addStretch(1);
    groups->addWidget(videos);

    auto *streams = new QGroupBox(tr("Show streaming video's:"), p);
    streams->setObjectName(QStringLiteral("GroupBox3"));
    auto *streamLay = new QVBoxLayout(streams);
    streamLay->addWidget(settingBox(tr("RealMedia "), QStringLiteral("CBPS"), &UserProfile::Toonrealmedia, streams));
    streamLay->addWidget(settingBox(tr("Windows Media (.asx)"), QStringLiteral("CBZIP"), &UserProfile::ToonWindowsMedia, streams));
    streamLay->addWidget(settingBox(tr("QuickTime (.qtl)"), QStringLiteral("CBREG"), &UserProfile::ToonQuickTime, streams));
    streamLay->addSpacing(8);
    streamLay->addWidget(note(tr("Note. Need media player"), streams));
    streamLay->addStretch(1);
    groups->addWidget(streams);
    lay->addLayout(groups);
    lay->addStretch(1);
    return p;
}

QWidget *UserManagerDialog::buildThemesPage()
{
    QLabel *user = nullptr;
    QWidget *p = page(QStringLiteral("themetab"), tr("Theme's of the user"), &user);
    user->setObjectName(QStringLiteral("themesUserLabel"));
    m_activeUserLabels.append(user);
    auto *lay = static_cast<QVBoxLayout *>(p->layout());

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(new QLabel(tr("Available theme's"), p), 0, 0);
    grid->addWidget(new QLabel(tr("Allowed theme's"), p), 0, 2);
    m_available = new QListWidget(p);
    m_available->setObjectName(QStringLiteral("availableThemes"));
    m_allowed = new QListWidget(p);
    m_allowed->setObjectName(QStringLiteral("allowedThemes"));
    grid->addWidget(m_available, 1, 0);
    grid->addWidget(m_allowed, 1, 2);

    auto button = [p](const QString &text, const char *name) {
        auto *b = new QPushButton(text, p);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setFixedWidth(64);
        return b;
    };
    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    QPushButton *add = button(tr(" >"), "addTheme");
    QPushButton *remove = button(tr(" <"), "removeTheme");
    middle->addWidget(add);
    middle->addWidget(remove);
    middle->addStretch(1);
    grid->addLayout(middle, 1, 1);
    auto *order = new QVBoxLayout;
    order->addStretch(1);
    QPushButton *up = button(tr("Up"), "themeUp");
    QPushButton *down = button(tr("Down"), "themeDown");
    order->addWidget(up);
    order->addWidget(down);
    order->addStretch(1);
    grid->addLayout(order, 1, 3);
    lay->addLayout(grid);
    lay->addWidget(note(tr("Note. The user starts with the first theme ") + tr("in the list"), p));
    connect(add, &QPushButton::clicked, this, &UserManagerDialog::addTheme);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &UserManagerDialog::addTheme);
    connect(remove, &QPushButton::clicked, this, &UserManagerDialog::removeTheme);
    connect(up, &QPushButton::clicked, this, [this] { moveTheme(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveTheme(1); });

    lay->addSpacing(10);
    lay->addWidget(new QLabel(tr("URL of the homepage of this user"), p));
    m_startUrl = new QLineEdit(p);
    m_startUrl->setObjectName(QStringLiteral("startURL"));
    lay->addWidget(m_startUrl);
    connect(m_startUrl, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_profile.StartURL = text.trimmed();
        m_manager.markChanged();
    });
    // A parent types "www.example.org": the start page is a web address all the same.
    connect(m_startUrl, &QLineEdit::editingFinished, this, [this] {
        const QString text = m_startUrl->text().trimmed();
        if (!text.isEmpty() && !text.contains(QStringLiteral("://"))) {
            m_startUrl->setText(QStringLiteral("http://") + text);
            m_profile.StartURL = m_startUrl->text();
        }
    });
    lay->addStretch(1);
    return p;
}

QWidget *UserManagerDialog::buildExtraPage()
{
    QLabel *user = nullptr;
    QWidget *p = page(QStringLiteral("extratab"), tr("Extra options "), &user);
    user->setObjectName(QStringLiteral("extraUserLabel"));
    m_activeUserLabels.append(user);
    auto *lay = static_cast<QVBoxLayout *>(p->layout());

    auto *look = new QGroupBox(tr("Appearance main screen Tovalin"), p);
    look->setObjectName(QStringLiteral("GroupBox4"));
    auto *lookLay = new QGridLayout(look);
    const struct {
        const char *text;
        const char *name;
        bool UserProfile::*field;
    } boxes[] = {
        {QT_TR_NOOP("Hide navigation buttons"), "CBNavigatieknop", &UserProfile::Hidenavigatieknoppen},
        {QT_TR_NOOP("Hide presentation active theme"), "CBthema", &UserProfile::Hidethema},
        {QT_TR_NOOP("Hide presentation active user"), "CBgebruiker", &UserProfile::Hideuser},
        {QT_TR_NOOP("Hide navigation panel"), "CBnavigatiebalk", &UserProfile::Hidenavbalk},
        {QT_TR_NOOP("Show Tovalin exit button"), "CBSLUIT", &UserProfile::Toonsluit},
        {QT_TR_NOOP("Hide address bar"), "CBADRES", &UserProfile::Hideadres},
        {QT_TR_NOOP("Hide print button"), "CBPRINTTOON", &UserProfile::Hideprint},
        {QT_TR_NOOP("Show hints on mouseover"), "CBHINT", &UserProfile::ToonHint},
    };
    int i = 0;
    for (const auto &b : boxes) {
        lookLay->addWidget(settingBox(tr(b.text), QLatin1String(b.name), b.field, look), i % 4, i / 4);
        ++i;
    }
    lay->addWidget(look);

    auto *clocks = new QGroupBox(tr("Clock settings"), p);
    clocks->setObjectName(QStringLiteral("GroupBox5"));
    auto *clockLay = new QGridLayout(clocks);
    clockLay->setColumnStretch(3, 1);
    auto minutesField = [this, clocks](const char *name, QString UserProfile::*field) {
        auto *edit = new QLineEdit(clocks);
        edit->setObjectName(QLatin1String(name));
        edit->setFixedWidth(60);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), edit));
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &text) {
            m_profile.*field = text;
            m_manager.markChanged();
        });
        return edit;
    };
    m_timeMinutes = minutesField("tijdedit", &UserProfile::MinTijdKlok);
    m_switchMinutes = minutesField("wisseledit", &UserProfile::MinWisselKlok);
    clockLay->addWidget(settingBox(tr("Start time clock with activation of user"), QStringLiteral("CBTIJD"),
                                   &UserProfile::StartTijdKlok, clocks), 0, 0);
    clockLay->addWidget(new QLabel(tr("Number of minutes:"), clocks), 0, 1);
    clockLay->addWidget(m_timeMinutes, 0, 2);
    clockLay->addWidget(settingBox(tr("Start switch clock with activation of user"), QStringLiteral("CBWISSEL"),
                                   &UserProfile::StartWisselKlok, clocks), 1, 0);
    clockLay->addWidget(new QLabel(tr("Number of minutes:"), clocks), 1, 1);
    clockLay->addWidget(m_switchMinutes, 1, 2);
    lay->addWidget(clocks);
    lay->addStretch(1);
    return p;
}

QWidget *UserManagerDialog::buildShortcutPage()
{
    QLabel *user = nullptr;
    QWidget *p = page(QStringLiteral("shortcuttab"), tr("Shortcut on desktop"), &user);
    user->setObjectName(QStringLiteral("shortcutUserLabel"));
    m_activeUserLabels.append(user);
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    lay->addWidget(new QLabel(tr("A shortcut on the desktop starts the Tovalin with the active user."), p));
    lay->addSpacing(6);
    m_icons = new IconPicker(m_programFolder, p);
    m_icons->setObjectName(QStringLiteral("shortcutIcons"));
    lay->addWidget(m_icons);
    auto *create = new QPushButton(tr("Create"), p);
    create->setObjectName(QStringLiteral("createShortcut"));
    create->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addWidget(create);
    row->addStretch(1);
    lay->addLayout(row);
    lay->addStretch(1);
    connect(create, &QPushButton::clicked, this, &UserManagerDialog::createShortcut);
    return p;
}

// --- Save as, New user --------------------------------------------------------

QWidget *UserManagerDialog::buildSaveAsPage()
{
    QWidget *p = page(QStringLiteral("saveastab"), tr("Save the active user as"), &m_saveAsUserLabel);
    m_saveAsUserLabel->setObjectName(QStringLiteral("saveAsUserLabel"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    lay->addWidget(new QLabel(tr("Enter a new name for the settings of the active user:"), p));
    auto *row = new QHBoxLayout;
    m_saveAsName = new QLineEdit(p);
    m_saveAsName->setObjectName(QStringLiteral("saveAsName"));
    m_saveAsButton = new QPushButton(tr("Save"), p);
    m_saveAsButton->setObjectName(QStringLiteral("saveAsButton"));
    m_saveAsButton->setAutoDefault(false);
    row->addWidget(m_saveAsName, 1);
    row->addWidget(m_saveAsButton);
    lay->addLayout(row);

    m_saveAsResult = new QWidget(p);
    m_saveAsResult->setObjectName(QStringLiteral("saveAsResult"));
    auto *resultLay = new QVBoxLayout(m_saveAsResult);
    resultLay->setContentsMargins(0, 10, 0, 0);
    resultLay->addWidget(new QLabel(tr("The active use has been saved as"), m_saveAsResult));
    m_saveAsList = new QListWidget(m_saveAsResult);
    m_saveAsList->setObjectName(QStringLiteral("saveAsList"));
    resultLay->addWidget(m_saveAsList);
    lay->addWidget(m_saveAsResult);
    lay->addStretch(1);

    connect(m_saveAsName, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_saveAsButton->setEnabled(!text.isEmpty()); });
    connect(m_saveAsName, &QLineEdit::returnPressed, this, &UserManagerDialog::saveAs);
    connect(m_saveAsButton, &QPushButton::clicked, this, &UserManagerDialog::saveAs);
    return p;
}

QWidget *UserManagerDialog::buildNewUserPage()
{
    QWidget *p = page(QStringLiteral("newtab"), tr("Create a new user"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    lay->addWidget(new QLabel(tr("Enter the name of the new user:"), p));
    auto *row = new QHBoxLayout;
    m_newName = new QLineEdit(p);
    m_newName->setObjectName(QStringLiteral("newName"));
    m_createButton = new QPushButton(tr("Create"), p);
    m_createButton->setObjectName(QStringLiteral("createUser"));
    m_createButton->setAutoDefault(false);
    row->addWidget(m_newName, 1);
    row->addWidget(m_createButton);
    lay->addLayout(row);
    m_activateNew = userslook::settingsCheckBox(tr("Activate new user"), QStringLiteral("activateNewUser"), p);
    m_activateNew->setChecked(true);
    lay->addWidget(m_activateNew);
    lay->addWidget(note(tr("The new user gets the settings shown now; choose the theme's afterwards."), p));

    m_newResult = new QWidget(p);
    m_newResult->setObjectName(QStringLiteral("newResult"));
    auto *resultLay = new QVBoxLayout(m_newResult);
    resultLay->setContentsMargins(0, 10, 0, 0);
    resultLay->addWidget(new QLabel(tr("The new user has been save as"), m_newResult));
    m_newList = new QListWidget(m_newResult);
    m_newList->setObjectName(QStringLiteral("newList"));
    resultLay->addWidget(m_newList);
    lay->addWidget(m_newResult);
    lay->addStretch(1);

    connect(m_newName, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_createButton->setEnabled(!text.isEmpty()); });
    connect(m_newName, &QLineEdit::returnPressed, this, &UserManagerDialog::createUser);
    connect(m_createButton, &QPushButton::clicked, this, &UserManagerDialog::createUser);
    return p;
}

// --- Open, Delete ---------------------------------------------------------------

QWidget *UserManagerDialog::buildOpenPage()
{
    QWidget *p = page(QStringLiteral("opentab"), tr("Activate a user"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    m_openList = new QListWidget(p);
    m_openList->setObjectName(QStringLiteral("openList"));
    // Focus arriving by itself would select the first user; only the parent's click selects.
    m_openList->setFocusPolicy(Qt::ClickFocus);
    lay->addWidget(m_openList, 1);
    m_openLabel = new QLabel(p);
    m_openLabel->setObjectName(QStringLiteral("openLabel"));
    lay->addWidget(m_openLabel);
    m_startUserBox = userslook::settingsCheckBox(tr("Start the Tovalin with the selected user"),
                                                 QStringLiteral("startUserBox"), p);
    lay->addWidget(m_startUserBox);
    m_openButton = new QPushButton(tr("Open"), p);
    m_openButton->setObjectName(QStringLiteral("openButton"));
    m_openButton->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addWidget(m_openButton);
    row->addStretch(1);
    lay->addLayout(row);

    connect(m_openList, &QListWidget::currentTextChanged, this, [this](const QString &name) {
        if (name.isEmpty())
            return;
        m_openLabel->setText(tr("Selected user: ") + name);
        // Only showing what start.tvr says: the box's own action does not run.
        m_startUserBox->setChecked(m_manager.isStartUser(name));
        m_openButton->setEnabled(true);
    });
    connect(m_openList, &QListWidget::itemDoubleClicked, this, &UserManagerDialog::openSelected);
    connect(m_openButton, &QPushButton::clicked, this, &UserManagerDialog::openSelected);
    connect(m_startUserBox, &QCheckBox::clicked, this, &UserManagerDialog::startUserBoxClicked);
    return p;
}

QWidget *UserManagerDialog::buildDeletePage()
{
    QWidget *p = page(QStringLiteral("deletetab"), tr("Delete user"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    m_deleteList = new QListWidget(p);
    m_deleteList->setObjectName(QStringLiteral("deleteList"));
    m_deleteList->setFocusPolicy(Qt::ClickFocus);
    lay->addWidget(m_deleteList, 1);
    m_deleteLabel = new QLabel(p);
    m_deleteLabel->setObjectName(QStringLiteral("deleteLabel"));
    lay->addWidget(m_deleteLabel);
    m_deleteButton = new QPushButton(tr("Delete"), p);
    m_deleteButton->setObjectName(QStringLiteral("deleteButton"));
    m_deleteButton->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addWidget(m_deleteButton);
    row->addStretch(1);
    lay->addLayout(row);

    connect(m_deleteList, &QListWidget::currentTextChanged, this, [this](const QString &name) {
        if (name.isEmpty())
            return;
        m_deleteLabel->setText(tr("Selected user: ") + name);
        m_deleteButton->setEnabled(true);
    });
    connect(m_deleteButton, &QPushButton::clicked, this, &UserManagerDialog::deleteSelected);
    return p;
}

// --- Showing ----------------------------------------------------------------------

void UserManagerDialog::setLockInForce(const QString &text)
{
    m_lockInForce->setText(text);
    m_lockInForce->setVisible(!text.isEmpty());
}

void UserManagerDialog::openOn(Page page)
{
    showPage(page);
    open();
}

UserManagerDialog::Page UserManagerDialog::currentPage() const
{
    return Page(m_pages->currentIndex());
}

void UserManagerDialog::showPage(Page page)
{
    m_status->clear();
    switch (page) {
    case ThemesPage:
        fillThemeLists();
        break;
    case ShortcutPage:
        m_icons->setIcon(kDefaultShortcutIcon);
        break;
    case SaveAsPage:
        m_saveAsResult->hide();
        m_saveAsList->clear();
        m_saveAsName->clear();
        m_saveAsButton->setEnabled(false);
        m_saveAsUserLabel->setText(m_manager.activeUserText());
        break;
    case NewUserPage:
        m_newResult->hide();
        m_newList->clear();
        m_newName->clear();
        m_createButton->setEnabled(false);
        break;
    case OpenPage:
        fillUserList(m_openList, m_openLabel, m_openButton);
        m_startUserBox->setChecked(false);
        break;
    case DeletePage:
        fillUserList(m_deleteList, m_deleteLabel, m_deleteButton);
        break;
    case SecurityPage:
    case ExtraPage:
        break;
    }
    if (page <= ShortcutPage)
        for (QLabel *label : std::as_const(m_activeUserLabels))
            label->setText(m_manager.activeUserText());
    m_pages->setCurrentIndex(page);
    if (page == NewUserPage)
        m_newName->setFocus();
    else if (page == SaveAsPage)
        m_saveAsName->setFocus();
}

void UserManagerDialog::showEvent(QShowEvent *event)
{
    m_manager.shown();
    reactivate();
    QDialog::showEvent(event);
}

void UserManagerDialog::reactivate()
{
    m_manager.activated();
    // The wizard may have made users meanwhile: the user lists show them.
    if (currentPage() == OpenPage)
        fillUserList(m_openList, m_openLabel, m_openButton);
    else if (currentPage() == DeletePage)
        fillUserList(m_deleteList, m_deleteLabel, m_deleteButton);
    showSettings();
    // The settings pages say whose settings they show.
    for (QLabel *label : std::as_const(m_activeUserLabels))
        label->setText(m_manager.selectedUserText());
}

void UserManagerDialog::showUserLabels()
{
    for (QLabel *label : std::as_const(m_activeUserLabels))
        label->setText(m_manager.activeUserText());
}

void UserManagerDialog::showSettings()
{
    for (const auto &[box, field] : std::as_const(m_settingBoxes)) {
        const QSignalBlocker block(box);
        box->setChecked(m_profile.*field);
    }
    m_timeMinutes->setText(m_profile.MinTijdKlok);
    m_switchMinutes->setText(m_profile.MinWisselKlok);
    m_startUrl->setText(m_profile.StartURL);
    fillThemeLists();
}

void UserManagerDialog::fillThemeLists()
{
    const QString availableCurrent = m_available->currentItem() ? m_available->currentItem()->text() : QString();
    m_available->clear();
    m_available->addItems(m_manager.availableThemes());
    const QList<QListWidgetItem *> again = m_available->findItems(availableCurrent, Qt::MatchExactly);
    if (!again.isEmpty())
        m_available->setCurrentItem(again.constFirst());
    const int allowedRow = m_allowed->currentRow();
    m_allowed->clear();
    m_allowed->addItems(m_manager.allowedThemes());
    if (allowedRow >= 0 && allowedRow < m_allowed->count())
        m_allowed->setCurrentRow(allowedRow);
}

void UserManagerDialog::fillUserList(QListWidget *list, QLabel *label, QPushButton *action)
{
    {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(m_manager.users());
        list->setCurrentRow(-1);
        list->clearSelection();
    }
    label->setText(tr("No user selected"));
    action->setEnabled(false);
}

// --- Actions ----------------------------------------------------------------------

void UserManagerDialog::addTheme()
{
    const QListWidgetItem *item = m_available->currentItem();
    if (!item || !m_available->selectionModel()->hasSelection())
        return;
    if (m_manager.addTheme(item->text())) {
        fillThemeLists();
        m_allowed->setCurrentRow(m_allowed->count() - 1);
    }
}

void UserManagerDialog::removeTheme()
{
    const int row = m_allowed->currentRow();
    if (row < 0 || !m_allowed->selectionModel()->hasSelection())
        return;
    if (m_manager.removeTheme(row)) {
        fillThemeLists();
        m_allowed->setCurrentRow(std::min(row, m_allowed->count() - 1));
    }
}

void UserManagerDialog::moveTheme(int step)
{
    const int row = m_allowed->currentRow();
    if (row < 0 || !m_allowed->selectionModel()->hasSelection())
        return;
    const bool moved = step < 0 ? m_manager.moveThemeUp(row) : m_manager.moveThemeDown(row);
    if (moved) {
        fillThemeLists();
        m_allowed->setCurrentRow(row + step);
    }
}

void UserManagerDialog::createUser()
{
    const QString name = m_newName->text();
    switch (m_manager.checkName(name)) {
    case UserManager::NameAnswer::Empty:
        m_message(this, noNameText());
        return;
    case UserManager::NameAnswer::Exists:
        if (!m_question(this, UserManager::overwriteQuestion(name)))
            return;
        break;
    case UserManager::NameAnswer::Free:
        break;
    }
    const auto activation = m_activateNew->isChecked() ? UserManager::NewUserActivation::Activate
                                                       : UserManager::NewUserActivation::KeepActiveUser;
    const UserManager::Outcome outcome = m_manager.createUser(name, activation);
    if (!outcome.ok) {
        m_message(this, outcome.message);
        m_newName->clear();
        m_newName->setFocus();
        return;
    }
    m_newList->addItem(name.trimmed());
    m_newResult->show();
    m_newName->clear();
}

void UserManagerDialog::saveAs()
{
    const QString name = m_saveAsName->text();
    switch (m_manager.checkName(name)) {
    case UserManager::NameAnswer::Empty:
        m_message(this, noNameText());
        return;
    case UserManager::NameAnswer::Exists:
        if (!m_question(this, UserManager::overwriteQuestion(name)))
            return;
        break;
    case UserManager::NameAnswer::Free:
        break;
    }
    const UserManager::Outcome outcome = m_manager.saveAs(name);
    if (!outcome.ok) {
        m_message(this, outcome.message);
        m_saveAsName->clear();
        m_saveAsName->setFocus();
        return;
    }
    m_saveAsList->addItem(name.trimmed());
    m_saveAsResult->show();
    m_saveAsName->clear();
    m_saveAsUserLabel->setText(m_manager.activeUserText());
}

void UserManagerDialog::save()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    const UserManager::SaveOutcome outcome = m_manager.save(&error);
    QApplication::restoreOverrideCursor();
    switch (outcome) {
    case UserManager::SaveOutcome::NoActiveUser:
        showPage(SaveAsPage);
        m_saveAsUserLabel->setText(UserManager::noUserNameText());
        break;
    case UserManager::SaveOutcome::Failed:
        m_message(this, error);
        break;
    case UserManager::SaveOutcome::Saved:
        m_status->setText(tr("The settings of %1 have been saved.").arg(m_manager.state().activeUser()));
        break;
    }
}

void UserManagerDialog::openSelected()
{
    const QListWidgetItem *item = m_openList->currentItem();
    if (!item || !m_openList->selectionModel()->hasSelection()) {
        m_message(this, tr("     You did not select anything!     "));
        return;
    }
    m_manager.open(item->text());
    m_status->setText(tr("%1 is the active user now.").arg(m_manager.state().activeUser()));
}

void UserManagerDialog::startUserBoxClicked()
{
    const QListWidgetItem *item = m_openList->currentItem();
    if (!item || !m_openList->selectionModel()->hasSelection()) {
        m_startUserBox->setChecked(false);
        return;
    }
    if (!m_startUserBox->isChecked())
        return; // unchecking leaves start.tvr as it is
    const UserManager::Outcome outcome = m_manager.makeStartUser(item->text());
    m_message(this, outcome.message);
    if (!outcome.ok)
        m_startUserBox->setChecked(false);
}

void UserManagerDialog::deleteSelected()
{
    const QListWidgetItem *item = m_deleteList->currentItem();
    if (!item || !m_deleteList->selectionModel()->hasSelection())
        return;
    const QString name = item->text();
    if (!m_manager.profileExists(name))
        return;
    if (!m_question(this, UserManager::deleteQuestion(name)))
        return;
    const UserManager::Outcome outcome = m_manager.deleteUser(name);
    if (!outcome.ok) {
        if (!outcome.message.isEmpty())
            m_message(this, outcome.message);
        return;
    }
    {
        const QSignalBlocker block(m_deleteList);
        delete m_deleteList->takeItem(m_deleteList->row(item));
        m_deleteList->setCurrentRow(-1);
        m_deleteList->clearSelection();
    }
    m_deleteLabel->setText(tr("No user selected"));
    m_deleteButton->setEnabled(false);
}

void UserManagerDialog::createShortcut()
{
    const UserManager::Outcome outcome = m_manager.createShortcut(m_icons->icon());
    m_message(this, outcome.message);
}

// --- Close ------------------------------------------------------------------------

bool UserManagerDialog::runCloseSteps()
{
    const UserManager::CloseCheck check = m_manager.closeCheck();
    if (check != UserManager::CloseCheck::Ok) {
        m_message(this, UserManager::closeCheckText(check));
        showPage(ExtraPage);
        (check == UserManager::CloseCheck::TimeClockMinutesMissing ? m_timeMinutes : m_switchMinutes)->setFocus();
        return false;
    }
    if (m_manager.ProfileChanged() && m_question(this, UserManager::saveQuestion())) {
        if (m_manager.state().activeUser().isEmpty()) {
            showPage(NewUserPage);
            return false;
        }
        QString error;
        if (m_manager.save(&error) == UserManager::SaveOutcome::Failed) {
            m_message(this, error);
            return false;
        }
    }
    m_manager.closed();
    return true;
}

void UserManagerDialog::reject()
{
    if (!runCloseSteps())
        return;
    QDialog::reject();
    // Every opener finds the manager on "Open" next time.
    showPage(OpenPage);
}

} // namespace tovalin
