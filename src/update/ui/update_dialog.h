#pragma once
// `Tupdater`: the offer of a new version, with the parents' password, and the
// progress window of the installer download.

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tovalin {

class UpdateDialog : public QDialog {
    Q_OBJECT
public:
    explicit UpdateDialog(QWidget *parent = nullptr);

    /// Shows the offer: `versie` reads "version: " + the version, `url` holds the address.
    void offer(const QString &version, const QString &address);
    QString address() const;
    QString password() const;
    /// Empties the password entry and gives it the focus.
    void clearPassword();

signals:
    /// `Button1` "Download and install" (or Enter in the password entry).
    void downloadRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    /// Enter belongs to the password entry alone: the dialog has no default button to press.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_version = nullptr;
    QLabel *m_url = nullptr;
    QLineEdit *m_password = nullptr;
};

/// The download's progress: caption "Download progress", the line "Downloading", a bar and "Cancel".
class DownloadProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit DownloadProgressWindow(QWidget *parent = nullptr);
    void start(qint64 maximum);
    void setProgress(qint64 value);

signals:
    void cancelRequested();

private:
    QProgressBar *m_gauge = nullptr;
    qint64 m_maximum = 0;
};

} // namespace tovalin
