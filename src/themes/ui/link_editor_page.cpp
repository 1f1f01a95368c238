#include "themes/ui/link_editor_page.h"

#include "guard/site_lists.h"
#include "state/program_state.h"
#include "themes/link_editing.h"
#include "themes/theme_model.h"
#include "themes/ui/selection_picture.h"
#include "themes/ui/theme_look.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovalin {

namespace {

QPushButton *button(const QString &text, const char *objectName, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(objectName));
    b->setAutoDefault(false);
    return b;
}

} // namespace

LinkEditorPage::LinkEditorPage(ThemeModel &model, SiteLists &lists, ProgramState &state, QWidget *page, Hooks hooks,
                               QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_lists(lists)
    , m_state(state)
    , m_hooks(std::move(hooks))
{
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(18);

    auto *intro = new QVBoxLayout;
    intro->setSpacing(2);
    intro->addWidget(themelook::heading(tr("Edit link"), page));
    intro->addWidget(new QLabel(tr("Select a link first"), page));
    intro->addStretch(1);
    row->addLayout(intro);

    auto *fields = new QGridLayout;
    fields->setVerticalSpacing(4);
    fields->addWidget(themelook::bold(tr("Edit URL"), page), 0, 0);
    m_address = new QLineEdit(page);
    m_address->setObjectName(QStringLiteral("bewerkedit"));
    m_address->setMinimumWidth(420);
    fields->addWidget(m_address, 0, 1);
    fields->addWidget(themelook::bold(tr("Edit Hint"), page), 1, 0);
    m_hint = new QLineEdit(page);
    m_hint->setObjectName(QStringLiteral("Bewerkhint"));
    fields->addWidget(m_hint, 1, 1);
    auto *buttons = new QHBoxLayout;
    m_save = button(tr("Save"), "Klaarbutton", page);
    // Hidden "Save" keeps its place: Remove, Up and Down must not slide under the mouse.
    QSizePolicy keepPlace = m_save->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_save->setSizePolicy(keepPlace);
    m_save->hide();
    QPushButton *removeButton = button(tr("Remove"), "XiButton8", page);
    QPushButton *upButton = button(tr("Up"), "omhoog", page);
    QPushButton *downButton = button(tr("Down"), "Omlaag", page);
    for (QPushButton *b : {m_save, removeButton, upButton, downButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    fields->addLayout(buttons, 2, 1);
    fields->setRowStretch(3, 1);
    row->addLayout(fields);

    auto *selection = new QVBoxLayout;
    selection->setSpacing(2);
    selection->addWidget(themelook::bold(tr("Selection"), page));
    m_picture = themelook::preview("bewerkplaatje", page);
    m_picture->setText(tr("Empty"));
    selection->addWidget(m_picture);
    selection->addStretch(1);
    row->addLayout(selection);
    row->addStretch(1);

    connect(m_address, &QLineEdit::textEdited, this, &LinkEditorPage::edited);
    connect(m_hint, &QLineEdit::textEdited, this, &LinkEditorPage::edited);
    connect(m_save, &QPushButton::clicked, this, &LinkEditorPage::save);
    connect(m_address, &QLineEdit::returnPressed, this, &LinkEditorPage::save);
    connect(m_hint, &QLineEdit::returnPressed, this, &LinkEditorPage::save);
    connect(removeButton, &QPushButton::clicked, this, &LinkEditorPage::remove);
    // Up and Down act on mouse-down, so a parent can press them in quick succession.
    connect(upButton, &QPushButton::pressed, this, &LinkEditorPage::up);
    connect(downButton, &QPushButton::pressed, this, &LinkEditorPage::down);
}

void LinkEditorPage::showSelectedLink(int slot)
{
    const LinkSlot &s = m_model.slot(slot);
    m_picture->setPixmap(QPixmap::fromImage(toImage(s.picture)));
    m_address->setText(s.link.URL);
}

void LinkEditorPage::showClickedLink(int slot)
{
    showSelectedLink(slot);
    m_hint->setText(m_model.slot(slot).link.Hint);
    m_save->hide();
}

void LinkEditorPage::edited()
{
    if (!m_address->text().isEmpty())
        m_save->show();
}

void LinkEditorPage::clearFields()
{
    m_picture->clear();
    m_picture->setText(tr("Empty"));
    m_address->clear();
    m_hint->clear();
}

void LinkEditorPage::save()
{
    const QSize size = m_hooks.linkPanelSize ? m_hooks.linkPanelSize() : QSize(-1, -1);
    const SaveLinkResult result = SaveLinkEdit(m_model, m_lists, m_state, m_address->text(), m_hint->text(), size);
    switch (result.outcome) {
    case SaveLinkResult::Outcome::Nothing:
        break;
    case SaveLinkResult::Outcome::Prefixed:
        m_address->setText(result.text);
        break;
    case SaveLinkResult::Outcome::Saved:
        m_save->hide();
        break;
    }
}

void LinkEditorPage::remove()
{
    if (m_picture->pixmap().isNull())
        return;
    if (RemoveSelectedLink(m_model, m_state))
        clearFields();
}

void LinkEditorPage::up()
{
    MoveSelectedLinkUp(m_model, m_state, m_hooks.columnHeight ? m_hooks.columnHeight() : 0);
}

void LinkEditorPage::down()
{
    MoveSelectedLinkDown(m_model, m_state, m_hooks.columnHeight ? m_hooks.columnHeight() : 0);
}

} // namespace tovalin
