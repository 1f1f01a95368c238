#pragma once
// The parents' page `thematab` (the theme tab's navigate-browser page): the parents' own
// navigation buttons and address field, the page's signs and progress, accept or block,
// the filter switch, the pop-up offer and a list file that cannot be read. It shows what it
// is told and says which button was pressed; the main window decides what a press does.

#include "guard/navigation_model.h"
#include "platform/browser.h"

#include <QLabel>
#include <QWidget>

class QHBoxLayout;
class QLineEdit;
class QProgressBar;
class QToolButton;

namespace tovalin {

class LinkLabel;
class NavigationGuard;
class SiteLists;

class ParentsPage : public QWidget {
    Q_OBJECT
public:
    /// The filter switch and the list problem follow the guard and the lists by themselves.
    ParentsPage(NavigationGuard &guard, SiteLists &lists, QWidget *parent = nullptr);

    /// `adresedit`.
    QLineEdit *addressEdit() const { return m_adresedit; }
    /// `accepteerblokkeer`.
    LinkLabel *acceptBlockLink() const { return m_acceptBlock; }
    /// `kapot2`: a press on it goes to the start page.
    QWidget *brokenSign() const { return m_kapot2; }
    /// `Gauge2`.
    QProgressBar *gauge() const { return m_gauge2; }
    /// `popupimage`: the page was a pop-up.
    QWidget *popupMarker() const { return m_popupImage; }
    /// `Label30`, the pop-up offer ("Block popup", "Allow popup").
    LinkLabel *popupOffer() const { return m_label30; }

    /// Puts a widget right after `adresedit` in its row (the parents' list commands).
    void addToAddressRow(QWidget *widget);
    /// The signs: allowed while ready or loading, forbidden (while it may show), broken.
    void showIndicator(NavState state, bool forbiddenVisible);
    void setForbiddenVisible(bool visible);
    /// `Label30` and its icon `Image34`.
    void showPopupOffer(const QString &caption, bool visible);
    void setCommandEnabled(BrowserCommand command, bool enabled);

signals:
    void backClicked();
    void forwardClicked();
    void refreshClicked();
    void stopClicked();
    void homeClicked();
    /// Go, or Enter in the address field.
    void goClicked();

private:
    NavigationGuard &m_guard;
    QHBoxLayout *m_addressRow = nullptr;
    QToolButton *m_terug2 = nullptr;
    QToolButton *m_vooruit2 = nullptr;
    QLineEdit *m_adresedit = nullptr;
    QLabel *m_status2 = nullptr;
    QLabel *m_toegestaan2 = nullptr;
    QLabel *m_verboden2 = nullptr;
    QLabel *m_kapot2 = nullptr;
    QLabel *m_popupImage = nullptr;
    QProgressBar *m_gauge2 = nullptr;
    LinkLabel *m_filterSwitch = nullptr; // Label29
    QLabel *m_filterState = nullptr;     // Label39
    LinkLabel *m_acceptBlock = nullptr;  // accepteerblokkeer
    LinkLabel *m_label30 = nullptr;
    QLabel *m_image34 = nullptr;
};

} // namespace tovalin
