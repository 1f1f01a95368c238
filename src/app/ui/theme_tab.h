#pragma once
// The parents' theme tab `thematab`: its title, the left menu of link labels
// and the pages they switch between. The navigate-browser page
// `Themabewerkentab1` is built by the main window and handed in; the pages of
// the add-link wizard, the link editor, the theme editors and the theme
// download are empty until those windows exist, and every link that would
// open one of them stays hidden until then.

#include <QWidget>

class QLabel;
class QStackedWidget;

namespace tovalin {

class LinkLabel;

class ThemeTab : public QWidget {
    Q_OBJECT
public:
    explicit ThemeTab(QWidget *navigatePage, QWidget *parent = nullptr);

    /// The pages of the tab.
    QWidget *startPage() const { return m_startTab; }         ///< `Starttab` (theme download)
    QWidget *addLinkPage() const { return m_addTab; }          ///< `voegtoetab1`
    QWidget *editLinkPage() const { return m_editTab; }        ///< `bewerktab1`
    QWidget *navigatePage() const { return m_navigateTab; }    ///< `Themabewerkentab1`
    QWidget *editThemesPage() const { return m_importTab; }    ///< `importeertab1`
    QStackedWidget *pages() const { return m_pages; }
    void showPage(QWidget *page);

    /// `thematitel`.
    void setTitle(const QString &title);
    QString title() const;

    /// The left menu's links; the hidden ones show once their windows exist.
    LinkLabel *addLinkLink() const { return m_voegtoe; }       ///< "Add to favorites"
    LinkLabel *editLinkLink() const { return m_bewerk; }       ///< "Edit link"
    LinkLabel *navigateLink() const { return m_themaOpenen; }  ///< "Navigate browser"
    LinkLabel *editThemesLink() const { return m_exporteren; } ///< "Edit theme's"
    LinkLabel *closeLink() const { return m_close; }           ///< "Close" (`sluitenbeheer`)

signals:
    /// "Close": the child's navigation page is to show again.
    void closeRequested();
    /// "Add to favorites" opened the wizard page: its hint field is to be emptied.
    void addLinkPageOpened();

private:
    QWidget *makePage(const char *objectName);

    QLabel *m_title = nullptr;
    QStackedWidget *m_pages = nullptr;
    QWidget *m_startTab = nullptr;
    QWidget *m_addTab = nullptr;
    QWidget *m_editTab = nullptr;
    QWidget *m_navigateTab = nullptr;
    QWidget *m_importTab = nullptr;
    LinkLabel *m_voegtoe = nullptr;
    LinkLabel *m_bewerk = nullptr;
    LinkLabel *m_themaOpenen = nullptr;
    LinkLabel *m_exporteren = nullptr;
    LinkLabel *m_close = nullptr;
};

} // namespace tovalin
