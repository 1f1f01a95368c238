#pragma once
// The contents of the theme tab's start page `Starttab`: the themes downloaded since the page
// last showed, and "Download more theme's", which opens the vendor's theme page.

#include <QWidget>

class QListWidget;
class QPushButton;

namespace tovalin {

class ThemeDownloadPage : public QWidget {
    Q_OBJECT
public:
    explicit ThemeDownloadPage(QWidget *parent = nullptr);

    /// Adds a downloaded theme to the list `ListBox4`.
    void addTheme(const QString &name);
    /// Shows or hides the panel `Panel44` with "Download more theme's".
    void setMoreVisible(bool visible);

    QListWidget *list() const { return m_list; }
    QWidget *morePanel() const { return m_more; }
    QPushButton *moreLink() const { return m_moreLink; }

signals:
    /// "Download more theme's" was clicked.
    void moreRequested();

protected:
    /// The list holds the themes downloaded since the page was last shown.
    void showEvent(QShowEvent *event) override;

private:
    QListWidget *m_list = nullptr;
    QWidget *m_more = nullptr;
    QPushButton *m_moreLink = nullptr;
};

} // namespace tovalin
