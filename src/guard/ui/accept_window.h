#pragma once
// The accept window `Ttoevoeger` ("Allow blocked URL's"): every address of
// the last navigation sequence, coloured by the guard's verdict, with one
// button to allow or block the selected one. It stays on top and is not
// modal, so the parent keeps using the main window.

#include <QDialog>
#include <functional>

class QLabel;
class QListView;
class QPushButton;

namespace tovalin {

class AcceptListModel;

class AcceptWindow : public QDialog {
    Q_OBJECT
public:
    using Message = std::function<void(QWidget *parent, const QString &text)>;
    /// An address at least this wide in the list's font gets its whole text as hint.
    static constexpr int kHintWidth = 295;

    AcceptWindow(AcceptListModel &model, QWidget *mainWindow);

    /// Shows the window centred on the main window.
    void showCentred();
    void setMessage(Message message) { m_message = std::move(message); }

    QListView *list() const { return m_list; }
    QPushButton *acceptButton() const { return m_button; }

    /// The Windows colour value 0x00BBGGRR as a colour.
    static QColor fromBgr(quint32 bgr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void activate();

    AcceptListModel &m_model;
    QWidget *m_mainWindow = nullptr;
    QListView *m_list = nullptr;     // navlijst
    QPushButton *m_button = nullptr; // btnAccept
    Message m_message;
};

} // namespace tovalin
