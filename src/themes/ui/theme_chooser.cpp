#include "themes/ui/theme_chooser.h"

#include "state/program_state.h"
#include "platform/sound.h"
#include "themes/theme_files.h"
#include "themes/theme_model.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace tovalin {

namespace {

constexpr int kTitleHeight = 29;     // the drop-down opens this far below the click area's top
constexpr int kDropDownBorder = 2;
constexpr int kArrowSize = 22;
constexpr int kDropDownExtraLeft = 70;

QColor colour(linkpanel::Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

const QColor kYellow(255, 255, 0);

// The round arrow that opens (pointing down) or closes (pointing up) the list.
QPixmap arrowPicture(bool down)
{
    const qreal s = kArrowSize;
    QPixmap pm(kArrowSize, kArrowSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour(linkpanel::kHintBorder).darker(130), 1.2));
    p.setBrush(colour(linkpanel::kHintBorder));
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
    QPainterPath tri;
    if (down) {
        tri.moveTo(s * 0.28, s * 0.40);
        tri.lineTo(s * 0.72, s * 0.40);
        tri.lineTo(s * 0.50, s * 0.68);
    } else {
        tri.moveTo(s * 0.28, s * 0.62);
        tri.lineTo(s * 0.72, s * 0.62);
        tri.lineTo(s * 0.50, s * 0.34);
    }
    tri.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawPath(tri);
    return pm;
}

// `Image2`: the rounded card the theme's name sits on; a click anywhere on it counts.
class TitleArea : public QWidget {
public:
    explicit TitleArea(QWidget *parent = nullptr) : QWidget(parent)
    {
        setObjectName(QStringLiteral("Image2"));
        setFixedHeight(kTitleHeight);
        setMinimumWidth(150);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour(linkpanel::kHintBorder), 1.5));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 9, 9);
    }
};

// `popuppanel`: a 2-pixel yellow border around the list's blue.
class DropDownPanel : public QWidget {
public:
    explicit DropDownPanel(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("popuppanel")); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), kYellow);
        p.fillRect(rect().adjusted(kDropDownBorder, kDropDownBorder, -kDropDownBorder, -kDropDownBorder),
                   colour(linkpanel::kHintBorder));
    }
};

} // namespace

ThemeChooser::ThemeChooser(ThemeModel &model, ProgramState &state, SoundPlayer &sound, QLabel *label3,
                           QWidget *window, AllowedThemes allowedThemes, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_state(state)
    , m_sound(sound)
    , m_label3(label3)
    , m_window(window)
    , m_allowed(std::move(allowedThemes))
{
    m_image2 = new TitleArea;
    auto *row = new QHBoxLayout(m_image2);
    row->setContentsMargins(10, 0, 4, 0);
    row->setSpacing(6);
    m_label3->setParent(m_image2);
    m_label3->setCursor(Qt::PointingHandCursor);
    row->addWidget(m_label3, 1);
    m_openArrow = new QLabel(m_image2);
    m_openArrow->setObjectName(QStringLiteral("Image14"));
    m_openArrow->setPixmap(arrowPicture(true));
    m_openArrow->setCursor(Qt::PointingHandCursor);
    m_closeArrow = new QLabel(m_image2);
    m_closeArrow->setObjectName(QStringLiteral("Image15"));
    m_closeArrow->setPixmap(arrowPicture(false));
    m_closeArrow->setCursor(Qt::PointingHandCursor);
    m_closeArrow->hide();
    row->addWidget(m_openArrow);
    row->addWidget(m_closeArrow);
    // One filter for the whole program: presses on the chooser open and close it,
    // a press anywhere else closes an open drop-down, as a drop-down list does.
    qApp->installEventFilter(this);

    m_popupPanel = new DropDownPanel(m_window);
    auto *lay = new QVBoxLayout(m_popupPanel);
    lay->setContentsMargins(kDropDownBorder + 4, kDropDownBorder + 4, kDropDownBorder + 4, kDropDownBorder + 4);
    m_list = new QListWidget(m_popupPanel);
    m_list->setObjectName(QStringLiteral("ListBox2"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setUniformItemSizes(true);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setCursor(Qt::PointingHandCursor);
    QFont font = m_list->font();
    font.setBold(true);
    font.setPixelSize(11);
    m_list->setFont(font);
    m_list->setStyleSheet(QStringLiteral("QListWidget { background: rgb(%1,%2,%3); color: yellow; }"
                                         "QListWidget::item { height: %4px; padding: 0px 4px; }"
                                         "QListWidget::item:hover { background: rgb(0,90,160); }"
                                         "QListWidget::item:selected { background: rgb(0,90,160); color: yellow; }")
                              .arg(linkpanel::kHintBorder.r)
                              .arg(linkpanel::kHintBorder.g)
                              .arg(linkpanel::kHintBorder.b)
                              .arg(linkpanel::kChooserItemHeight));
    lay->addWidget(m_list);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { pick(item->text()); });
    m_popupPanel->hide();
}

void ThemeChooser::playClick()
{
    m_sound.play(m_state.soundPath(QStringLiteral("klik.wav")));
}

void ThemeChooser::apply(const linkpanel::ChooserView &view)
{
    m_view = view;
    m_openArrow->setVisible(view.openArrowVisible);
    m_closeArrow->setVisible(view.closeArrowVisible);
    if (!view.dropDownOpen) {
        m_popupPanel->hide();
        return;
    }
    const QPoint image2 = m_image2->mapTo(m_window, QPoint(0, 0));
    const int width = m_image2->width() + kDropDownExtraLeft;
    QRect r = linkpanel::dropDownRect(image2, int(m_entries.size()), width);
    // The list's own margins come on top of the documented height, so every entry shows.
    r.setHeight(r.height() + 2 * 4);
    m_popupPanel->setGeometry(r);
    m_popupPanel->show();
    m_popupPanel->raise();
}

void ThemeChooser::FillThemeChooser()
{
    m_list->clear();
    m_entries = linkpanel::chooserEntries(listThemeNames(m_model.themesFolder()), m_allowed ? m_allowed() : QStringList());
    m_list->addItems(m_entries);
    const QString active = m_state.activeTheme();
    emit themeTitleChanged(linkpanel::themeTitle(active));
    m_label3->setText(active);
    const QString fallback = linkpanel::defaultActiveTheme(active, m_entries);
    if (fallback != active)
        m_state.setActiveTheme(fallback);
    apply(linkpanel::chooserAfterFill(m_view, m_entries, m_state.activeTheme()));
}

void ThemeChooser::open()
{
    apply(linkpanel::chooserOpened(m_view));
}

void ThemeChooser::close()
{
    apply(linkpanel::chooserClosed(m_view));
}

void ThemeChooser::titleClicked()
{
    const auto next = linkpanel::chooserTitleClicked(m_view, int(m_entries.size()));
    if (!next)
        return;
    playClick();
    apply(*next);
}

void ThemeChooser::openArrowClicked()
{
    // The arrow opens silently; the click sound belongs to the theme's name and the close arrow.
    open();
}

void ThemeChooser::closeArrowClicked()
{
    playClick();
    close();
}

void ThemeChooser::pick(const QString &theme)
{
    playClick();
    if (linkpanel::pickChangesTheme(theme, m_label3->text())) {
        m_label3->setText(theme);
        // A yellow frame in the new theme would mark a link the child never picked.
        m_model.setSelectedLink(-1);
        m_model.activateTheme(theme); // ActiveTheme, LoadTheme (to the top), LoadSiteLists
        FillThemeChooser();
        emit themeActivated(theme);
    }
    close();
    if (m_entries.size() < 2)
        apply(linkpanel::chooserAfterPick(m_entries, m_state.activeTheme()));
}

bool ThemeChooser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return QObject::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!m_image2 || !m_popupPanel)
        return QObject::eventFilter(watched, event);
    const bool onChooser = widget && (widget == m_image2 || m_image2->isAncestorOf(widget));
    if (!onChooser) {
        if (isOpen() && widget && widget != m_popupPanel && !m_popupPanel->isAncestorOf(widget))
            close();
        return QObject::eventFilter(watched, event);
    }
    if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_openArrow)
            openArrowClicked();
        else if (watched == m_closeArrow)
            closeArrowClicked();
        else
            titleClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tovalin
