#include "app/ui/parents_menu_bar.h"

#include "app/ui/link_label.h"
#include "app/ui/window_parts.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QToolButton>

namespace tovalin {

namespace {

// The menu bar's texts keep the main window's context, where the catalogues file them.
struct MainWindowTexts {
    Q_DECLARE_TR_FUNCTIONS(tovalin::MainWindow)
};

} // namespace

ParentsMenuBar::ParentsMenuBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel33"));
    setFixedHeight(25);
    parts::fillBackground(this, QColor(235, 240, 250));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 0, 4, 0);
    row->setSpacing(21 - 16);
    const struct {
        const char *name;
        const char *text;
    } entries[] = {
        {"Label45", QT_TRANSLATE_NOOP("tovalin::MainWindow", "Theme's")},
        {"Label46", QT_TRANSLATE_NOOP("tovalin::MainWindow", "Users")},
        {"Label48", QT_TRANSLATE_NOOP("tovalin::MainWindow", "Clocks")},
        {"LabelVerzoeken", QT_TRANSLATE_NOOP("tovalin::MainWindow", "Requests")},
        {"LabelVerslag", QT_TRANSLATE_NOOP("tovalin::MainWindow", "Report")},
        {"Label50", QT_TRANSLATE_NOOP("tovalin::MainWindow", "Help")},
        {"Label51", QT_TRANSLATE_NOOP("tovalin::MainWindow", "Create homepage")},
        {"Label47", QT_TRANSLATE_NOOP("tovalin::MainWindow", "Lock menu")},
        {"Label44", QT_TRANSLATE_NOOP("tovalin::MainWindow", "Exit Tovalin")},
    };
    // Each entry: a 16-pixel icon, the label 21 pixels after the icon's left, the
    // next icon 36 pixels after the label's width from this icon's left.
    const QColor iconColours[] = {QColor(71, 211, 82), QColor(40, 150, 230), QColor(250, 170, 30),
                                  QColor(255, 200, 60), QColor(120, 190, 240), QColor(150, 90, 210),
                                  QColor(120, 190, 60), QColor(60, 60, 160), QColor(220, 60, 50)};
    int iconIndex = 0;
    for (const auto &e : entries) {
        auto *icon = new QLabel(this);
        icon->setPixmap(pictures::menuIcon(iconColours[iconIndex++], 16));
        icon->setFixedSize(16, 16);
        row->addWidget(icon);
        // "Exit Tovalin" is underlined under the mouse; the other entries change colour.
        const bool exit = qstrcmp(e.name, "Label44") == 0;
        auto *label = new LinkLabel(MainWindowTexts::tr(e.text), this,
                                    exit ? LinkLabel::Hover::Underline : LinkLabel::Hover::Colour);
        label->setObjectName(QLatin1String(e.name));
        row->addWidget(label);
        row->addSpacing(36 - 21 - row->spacing());
        if (exit)
            connect(label, &LinkLabel::clicked, this, &ParentsMenuBar::exitClicked);
        if (qstrcmp(e.name, "Label50") == 0)
            connect(label, &LinkLabel::clicked, this, &ParentsMenuBar::helpClicked);
        if (qstrcmp(e.name, "Label45") == 0)
            connect(label, &LinkLabel::clicked, this, &ParentsMenuBar::themesClicked);
    }
    row->addStretch(1);
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("Image49"));
    m_close->setIcon(pictures::button(pictures::Button::Close, 32));
    m_close->setAutoRaise(true);
    m_close->setToolTip(QCoreApplication::translate("tovalin::MainWindow", "Close menu"));
    connect(m_close, &QToolButton::clicked, this, &ParentsMenuBar::closeClicked);
    row->addWidget(m_close);
    hide();
}

LinkLabel *ParentsMenuBar::link(const QString &objectName) const
{
    return findChild<LinkLabel *>(objectName);
}

} // namespace tovalin
