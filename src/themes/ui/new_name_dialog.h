#pragma once
// `TNieuwenaam`: asks a new name when an imported or downloaded theme's name is taken.

#include <QDialog>

class QLineEdit;

namespace tovalin {

class NewNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewNameDialog(QWidget *parent = nullptr);

    /// Shows the dialog modally with an empty field; the name typed, or empty when cancelled.
    QString ask();
    /// The field `Edit1`.
    QLineEdit *nameEdit() const { return m_edit; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void tryAccept();

    QLineEdit *m_edit = nullptr;
};

} // namespace tovalin
