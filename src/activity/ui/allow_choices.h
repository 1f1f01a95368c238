#pragma once
// The three choices of an allow, as the request window and the Requests page
// offer them: this page or this whole site, in this theme or in all of the
// user's themes, always or today only.

#include "activity/request_store.h"

#include <QWidget>

class QRadioButton;

namespace tovalin {

class AllowChoices : public QWidget {
    Q_OBJECT
public:
    explicit AllowChoices(QWidget *parent = nullptr);

    /// The scope chosen; the page, this theme, always until the parent picks otherwise.
    AllowScope scope() const;
    void reset();

private:
    QRadioButton *m_page = nullptr;
    QRadioButton *m_site = nullptr;
    QRadioButton *m_thisTheme = nullptr;
    QRadioButton *m_allThemes = nullptr;
    QRadioButton *m_always = nullptr;
    QRadioButton *m_today = nullptr;
};

} // namespace tovalin
