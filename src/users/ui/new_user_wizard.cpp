#include "users/ui/new_user_wizard.h"

#include "users/desktop_launcher.h"
#include "users/new_user_steps.h"
#include "users/ui/icon_picker.h"
#include "users/ui/users_look.h"
#include "users/user_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tovalin {

using userslook::NavLink;

namespace {

void showMessage(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QStringLiteral("Tovalin"), text);
}

QLabel *textLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(false);
    return label;
}

QLabel *noteLabel(const QString &text, QWidget *parent)
{
    QLabel *label = textLabel(text, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(90, 90, 90));
    label->setPalette(pal);
    QFont f = label->font();
    f.setItalic(true);
    label->setFont(f);
    return label;
}

/// The picture beside the pages: the red "T" badge on the soft blue band, with a few
/// coloured dots, as on the shortcuts the wizard makes.
class WizardPicture : public QWidget {
public:
    WizardPicture(const QString &iconPath, QWidget *parent)
        : QWidget(parent)
        , m_icon(iconPath)
    {
        setObjectName(QStringLiteral("wizardPicture"));
        setFixedWidth(150);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.fillRect(rect(), userslook::kBand);
        if (!m_icon.isNull())
            p.drawPixmap(QRect((width() - 100) / 2, 40, 100, 100), m_icon);
        // The other five colours a child's shortcut can have, in a row below.
        const QColor dots[] = {QColor(40, 116, 226), QColor(244, 196, 28), QColor(58, 170, 72),
                               QColor(244, 132, 28), QColor(148, 78, 200)};
        p.setPen(Qt::NoPen);
        const qreal step = 20;
        const qreal left = width() / 2.0 - 2 * step;
        for (int i = 0; i < 5; ++i) {
            p.setBrush(dots[i]);
            p.drawEllipse(QPointF(left + i * step, 166), 6, 6);
        }
    }

private:
    QPixmap m_icon;
};

} // namespace

NewUserWizard::NewUserWizard(NewUserSteps &steps, const QString &programFolder, QWidget *parent)
    : QDialog(parent)
    , m_steps(steps)
    , m_programFolder(programFolder)
    , m_message(showMessage)
{
    setObjectName(QStringLiteral("Tstartscherm"));
    setWindowTitle(tr("Wizard add user"));
    userslook::paintWhite(this);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(new WizardPicture(shortcutIconPath(programFolder, ShortcutIcon::Red), this));
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildTitleBand());
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addWidget(buildWelcomePage());
    m_pages->addWidget(buildNamePage());
    m_pages->addWidget(buildAgePage());
    m_pages->addWidget(buildShortcutPage());
    m_pages->addWidget(buildAnotherUserPage());
    m_pages->addWidget(buildStartUserPage());
    m_pages->addWidget(buildDonePage());
    column->addWidget(m_pages, 1);
    outer->addLayout(column, 1);
    resize(720, 460);
}

QWidget *NewUserWizard::buildTitleBand()
{
    auto *band = new QWidget(this);
    band->setObjectName(QStringLiteral("titleBand"));
    userslook::paintBackground(band, QColor(33, 93, 198));
    auto *lay = new QHBoxLayout(band);
    lay->setContentsMargins(20, 10, 16, 10);
    m_title = new QLabel(windowTitle(), band);
    m_title->setObjectName(QStringLiteral("titleLabel"));
    QFont f = m_title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    m_title->setFont(f);
    QPalette pal = m_title->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    m_title->setPalette(pal);
    lay->addWidget(m_title, 1);
    auto *close = new NavLink(tr("Close"), QStringLiteral("closeLabel"), band, NavLink::Hover::Underline);
    QPalette white = close->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    close->setPalette(white);
    connect(close, &NavLink::clicked, this, &QDialog::reject);
    lay->addWidget(close);
    return band;
}

QWidget *NewUserWizard::page(const QString &objectName)
{
    auto *p = new QWidget(this);
    p->setObjectName(objectName);
    auto *lay = new QVBoxLayout(p);
    lay->setContentsMargins(24, 20, 24, 18);
    lay->setSpacing(8);
    return p;
}

QPushButton *NewUserWizard::button(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
    return b;
}

QWidget *NewUserWizard::buildWelcomePage()
{
    QWidget *p = page(QStringLiteral("welcomePage"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    lay->addWidget(userslook::heading(tr("Safe surfing for your children"), p));
    lay->addSpacing(8);
    lay->addWidget(textLabel(tr("With the Tovalin your kids can safely enjoy ") + u'\n' + tr("the internet."), p));
    lay->addSpacing(8);
    lay->addWidget(textLabel(tr("This is the first time you start the Tovalin, that's why we") + u'\n'
                                 + tr("will help you on your way. Within a few minutes your kids") + u'\n'
                                 + tr("will be ready to go. Click the start button to continue."),
                             p));
    lay->addStretch(1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton *start = button(tr("Start"), QStringLiteral("startButton"), p);
    row->addWidget(start);
    lay->addLayout(row);
    connect(start, &QPushButton::clicked, this, [this] {
        resetNamePage();
        goTo(NamePage);
    });
    return p;
}

QWidget *NewUserWizard::buildNamePage()
{
    QWidget *p = page(QStringLiteral("namePage"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    lay->addWidget(userslook::heading(tr("Add new user"), p));
    lay->addSpacing(8);
    lay->addWidget(textLabel(tr("Enter the name of the new user"), p));
    m_name = new QLineEdit(p);
    m_name->setObjectName(QStringLiteral("Edit1"));
    m_name->setMaximumWidth(300);
    lay->addWidget(m_name);
    lay->addSpacing(8);
    lay->addWidget(noteLabel(tr("Note. This could be the name of a child like John, David or Irene, but also a") + u'\n'
                                 + tr("name for a group with equal properties like preschool or kindergarten."),
                             p));
    lay->addStretch(1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    m_nameNext = button(tr("Next >>"), QStringLiteral("nameNext"), p);
    row->addWidget(m_nameNext);
    lay->addLayout(row);
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString &text) { m_nameNext->setEnabled(!text.isEmpty()); });
    connect(m_name, &QLineEdit::returnPressed, this, &NewUserWizard::nameNext);
    connect(m_nameNext, &QPushButton::clicked, this, &NewUserWizard::nameNext);
    return p;
}

QWidget *NewUserWizard::buildAgePage()
{
    QWidget *p = page(QStringLiteral("agePage"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    m_ageHeading = userslook::heading(QString(), p);
    m_ageHeading->setObjectName(QStringLiteral("ageHeading"));
    lay->addWidget(m_ageHeading);
    lay->addSpacing(8);
    auto *ageRow = new QHBoxLayout;
    ageRow->addWidget(textLabel(tr("The age of the user is"), p));
    m_age = new QSpinBox(p);
    m_age->setObjectName(QStringLiteral("SpinEdit1"));
    m_age->setRange(NewUserSteps::kMinimumAge, NewUserSteps::kMaximumAge);
    m_age->setValue(NewUserSteps::kInitialAge);
    m_age->setMinimumWidth(70);
    ageRow->addWidget(m_age);
    ageRow->addWidget(textLabel(tr("years"), p));
    ageRow->addStretch(1);
    lay->addLayout(ageRow);
    lay->addSpacing(8);
    lay->addWidget(noteLabel(tr("Note. Based on the age of the user the most appropriate settings are selected") + u'\n'
                                 + tr("In this way you are ready to go in only a few minutes. You can always change")
                                 + u'\n' + tr("these setting later on using then user manager."),
                             p));
    lay->addStretch(1);
    auto *row = new QHBoxLayout;
    QPushButton *back = button(tr("<< Back"), QStringLiteral("ageBack"), p);
    QPushButton *next = button(tr("Next >>"), QStringLiteral("ageNext"), p);
    row->addWidget(back);
    row->addStretch(1);
    row->addWidget(next);
    lay->addLayout(row);
    connect(back, &QPushButton::clicked, this, [this] { goTo(NamePage); });
    connect(next, &QPushButton::clicked, this, [this] {
        m_shortcutHeading->setText(tr("Create a shortcut for ") + m_name->text().trimmed());
        goTo(ShortcutPage);
    });
    return p;
}

QWidget *NewUserWizard::buildShortcutPage()
{
    QWidget *p = page(QStringLiteral("shortcutPage"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    m_shortcutHeading = userslook::heading(QString(), p);
    m_shortcutHeading->setObjectName(QStringLiteral("shortcutHeading"));
    lay->addWidget(m_shortcutHeading);
    lay->addSpacing(8);
    m_shortcut = userslook::settingsCheckBox(tr("Create a shortcut on the desktop"), QStringLiteral("CheckBox1"), p);
    lay->addWidget(m_shortcut);
    m_iconPanel = new QWidget(p);
    m_iconPanel->setObjectName(QStringLiteral("iconPanel"));
    auto *panelLay = new QVBoxLayout(m_iconPanel);
    panelLay->setContentsMargins(22, 6, 0, 0);
    m_icons = new IconPicker(m_programFolder, m_iconPanel);
    panelLay->addWidget(m_icons);
    lay->addWidget(m_iconPanel);
    m_iconPanel->hide();
    lay->addStretch(1);
    auto *row = new QHBoxLayout;
    QPushButton *back = button(tr("<< Back"), QStringLiteral("shortcutBack"), p);
    QPushButton *next = button(tr("Next >>"), QStringLiteral("shortcutNext"), p);
    row->addWidget(back);
    row->addStretch(1);
    row->addWidget(next);
    lay->addLayout(row);
    connect(m_shortcut, &QCheckBox::toggled, this, [this](bool on) {
        m_iconPanel->setVisible(on);
        m_icons->setIcon(kDefaultShortcutIcon);
    });
    connect(back, &QPushButton::clicked, this, [this] { goTo(AgePage); });
    connect(next, &QPushButton::clicked, this, &NewUserWizard::shortcutNext);
    return p;
}

QWidget *NewUserWizard::buildAnotherUserPage()
{
    QWidget *p = page(QStringLiteral("anotherUserPage"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    m_addedLabel = userslook::heading(QString(), p);
    m_addedLabel->setObjectName(QStringLiteral("addedLabel"));
    lay->addWidget(m_addedLabel);
    lay->addSpacing(8);
    lay->addWidget(textLabel(tr("Do you want to add another user?"), p));
    lay->addSpacing(4);
    lay->addWidget(textLabel(tr("If you would like to add another user then click on the button below,") + u'\n'
                                 + tr("otherwise click on the next button."),
                             p));
    auto *addRow = new QHBoxLayout;
    QPushButton *another = button(tr("Add another user"), QStringLiteral("addAnotherUser"), p);
    addRow->addWidget(another);
    addRow->addStretch(1);
    lay->addSpacing(6);
    lay->addLayout(addRow);
    lay->addStretch(1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton *next = button(tr("Next >>"), QStringLiteral("anotherNext"), p);
    row->addWidget(next);
    lay->addLayout(row);
    connect(another, &QPushButton::clicked, this, [this] {
        resetNamePage();
        goTo(NamePage);
    });
    connect(next, &QPushButton::clicked, this, [this] { goTo(StartUserPage); });
    return p;
}

QWidget *NewUserWizard::buildStartUserPage()
{
    QWidget *p = page(QStringLiteral("startUserPage"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    lay->addWidget(userslook::heading(tr("Select a default user to start the Tovalin with"), p));
    lay->addSpacing(8);
    lay->addWidget(textLabel(tr("Select a user"), p));
    m_startUser = new QComboBox(p);
    m_startUser->setObjectName(QStringLiteral("ComboBox1"));
    m_startUser->setEditable(true);
    m_startUser->setInsertPolicy(QComboBox::NoInsert);
    m_startUser->setMaximumWidth(300);
    lay->addWidget(m_startUser);
    m_startExplain1 = textLabel(tr("If you click on the next button then the Tovalin will default start with"), p);
    m_startExplain1->setObjectName(QStringLiteral("startExplain1"));
    m_startExplain2 = textLabel(QString(), p);
    m_startExplain2->setObjectName(QStringLiteral("startExplain2"));
    auto *explain = new QVBoxLayout;
    explain->setSpacing(0);
    explain->addWidget(m_startExplain1);
    explain->addWidget(m_startExplain2);
    lay->addSpacing(6);
    lay->addLayout(explain);
    lay->addSpacing(8);
    lay->addWidget(noteLabel(tr("Note. You can alway change the default user later using the") + u'\n' + tr("user manager."), p));
    lay->addStretch(1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton *next = button(tr("Next >>"), QStringLiteral("startUserNext"), p);
    row->addWidget(next);
    lay->addLayout(row);
    connect(m_startUser, &QComboBox::textActivated, this, &NewUserWizard::startUserChosen);
    connect(next, &QPushButton::clicked, this, &NewUserWizard::startUserNext);
    return p;
}

QWidget *NewUserWizard::buildDonePage()
{
    QWidget *p = page(QStringLiteral("donePage"));
    auto *lay = static_cast<QVBoxLayout *>(p->layout());
    lay->addWidget(userslook::heading(tr("You have completed all steps of the wizard!"), p));
    lay->addSpacing(8);
    lay->addWidget(textLabel(tr("All user settings can be changed at any time  ") + u'\n' + tr("using the user manager."), p));
    lay->addStretch(1);
    auto *row = new QHBoxLayout;
    QPushButton *back = button(tr("<< Back"), QStringLiteral("doneBack"), p);
    QPushButton *finishButton = button(tr("Finish"), QStringLiteral("finishButton"), p);
    row->addWidget(back);
    row->addStretch(1);
    row->addWidget(finishButton);
    lay->addLayout(row);
    connect(back, &QPushButton::clicked, this, [this] { goTo(StartUserPage); });
    connect(finishButton, &QPushButton::clicked, this, &NewUserWizard::finish);
    return p;
}

// --- Walking ----------------------------------------------------------------------

void NewUserWizard::showFirstStart()
{
    setWindowTitle(tr("Welcome at the Tovalin!"));
    m_title->setText(windowTitle());
    resetNamePage();
    goTo(WelcomePage);
    open();
}

void NewUserWizard::showFromManager(QWidget *manager)
{
    // A modal manager blocks every window of its parent: the wizard lives over the manager.
    if (manager && parentWidget() != manager)
        setParent(manager, windowFlags());
    setWindowTitle(tr("Wizard add user"));
    m_title->setText(windowTitle());
    resetNamePage();
    goTo(NamePage);
    setModal(false);
    show();
    raise();
    activateWindow();
}

NewUserWizard::Page NewUserWizard::currentPage() const
{
    return Page(m_pages->currentIndex());
}

void NewUserWizard::goTo(Page page)
{
    if (page == StartUserPage) {
        const QSignalBlocker block(m_startUser);
        m_startUser->clear();
        m_startUser->addItems(m_steps.users());
        m_startUser->setCurrentIndex(-1);
        m_startUser->setEditText(m_steps.startUser());
        m_startExplain1->hide();
        m_startExplain2->hide();
    }
    m_pages->setCurrentIndex(page);
    if (page == NamePage)
        m_name->setFocus();
}

void NewUserWizard::resetNamePage()
{
    m_name->clear();
    m_nameNext->setEnabled(false);
    m_age->setValue(NewUserSteps::kInitialAge);
    m_shortcut->setChecked(false);
    m_iconPanel->hide();
    m_icons->setIcon(kDefaultShortcutIcon);
}

void NewUserWizard::keyPressEvent(QKeyEvent *event)
{
    // Enter belongs to the page's own fields; a stray Enter must not close the wizard.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void NewUserWizard::nameNext()
{
    const QString name = m_name->text();
    if (name.trimmed().isEmpty()) {
        m_name->setFocus();
        return;
    }
    if (!m_steps.nameIsUsable(name)) {
        m_message(this, invalidNameText());
        m_name->clear();
        m_name->setFocus();
        return;
    }
    m_ageHeading->setText(tr("Enter the age of ") + name.trimmed());
    goTo(AgePage);
}

void NewUserWizard::shortcutNext()
{
    const QString name = m_name->text().trimmed();
    // A missing template makes no user; the wizard goes on all the same.
    m_steps.createUser(name, m_age->value());
    if (m_shortcut->isChecked() && !m_steps.createShortcut(name, m_icons->icon()))
        m_message(this, shortcutFailedText());
    m_addedLabel->setText(tr("The new user has") + u' ' + name + u' ' + tr("been added."));
    goTo(AnotherUserPage);
}

void NewUserWizard::startUserChosen(const QString &name)
{
    const bool chosen = !name.trimmed().isEmpty();
    m_startExplain2->setText(tr("the user ") + name + u'.');
    m_startExplain1->setVisible(chosen);
    m_startExplain2->setVisible(chosen);
}

void NewUserWizard::startUserNext()
{
    const QString name = m_startUser->currentText();
    if (!name.trimmed().isEmpty()) {
        const QString error = m_steps.setStartUser(name);
        if (!error.isEmpty())
            m_message(this, error);
    }
    goTo(DonePage);
}

void NewUserWizard::finish()
{
    const QString name = m_startUser->currentText().trimmed();
    hide();
    m_steps.finish(name);
    // finished() follows the activation, so whoever listens sees the new active user.
    done(Accepted);
    emit finishedWithUser(name);
}

} // namespace tovalin
