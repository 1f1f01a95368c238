#pragma once
// The three password dialogs of the parents' menu: create a password
// (`Twachtwoord1`), lock or unlock the menu (`Tblokmenu`) and change the
// password (`TVeranderen`). Each forwards its OK to MenuLock, shows the
// returned messages one after the other, and closes when the lock accepted.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace tovalin {

class MenuLock;

/// Shows one message to the parent (an information box by default; tests may record instead).
using MessageSink = std::function<void(QWidget *parent, const QString &text)>;
/// The information box every parents' window uses for its messages.
void showParentsMessage(QWidget *parent, const QString &text);

/// Common look of the three dialogs: a coloured heading band, the form and two buttons.
class PasswordDialogBase : public QDialog {
    Q_OBJECT
public:
    void setMessageSink(MessageSink sink) { m_sink = std::move(sink); }

protected:
    PasswordDialogBase(MenuLock &lock, QWidget *parent);
    /// Builds heading, entries (label, objectName) and the OK/Close buttons; returns the entries.
    QList<QLineEdit *> build(const QString &heading, const QList<QPair<QString, QString>> &entries,
                             const QString &okText);
    /// Shows the messages in order; closes the dialog when accepted.
    void finish(bool accepted, const QStringList &messages);
    void showEvent(QShowEvent *event) override;
    virtual void confirm() = 0;

    MenuLock &m_lock;
    QList<QLineEdit *> m_entries;
    QLabel *m_heading = nullptr;
    QVBoxLayout *m_column = nullptr; ///< heading, entries, buttons

private:
    void clearEntries();
    MessageSink m_sink;
};

/// `Twachtwoord1`: "Create a password".
class CreatePasswordDialog : public PasswordDialogBase {
    Q_OBJECT
public:
    explicit CreatePasswordDialog(MenuLock &lock, QWidget *parent = nullptr);
    /// Button1 "OK" (also Enter in Edit2).
    void confirm() override;
};

/// `Tblokmenu`: "Lock menu?" or "Unlock menu?" by the flag.
class LockMenuDialog : public PasswordDialogBase {
    Q_OBJECT
public:
    explicit LockMenuDialog(MenuLock &lock, QWidget *parent = nullptr);
    /// Button1 "Ok" (also Enter in Edit1).
    void confirm() override;

signals:
    /// "Change password": this dialog has closed; the change dialog is to show.
    void changePasswordRequested();

protected:
    void showEvent(QShowEvent *event) override;
};

/// `TVeranderen`: "Change password".
class ChangePasswordDialog : public PasswordDialogBase {
    Q_OBJECT
public:
    explicit ChangePasswordDialog(MenuLock &lock, QWidget *parent = nullptr);
    /// "OK" (also Enter in Edit3).
    void confirm() override;
};

} // namespace tovalin
