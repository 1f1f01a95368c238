#pragma once
// `Tdownloadinternetprogress`: the progress of a theme download, with a working "Cancel".
// Not modal: the main window keeps painting and answering while it shows.

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tovalin {

class ImportProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ImportProgressWindow(QWidget *parent = nullptr);

    /// Shows the window with a caption and status line, the bar at zero.
    void start(const QString &caption, const QString &status);
    void setStatus(const QString &status);
    /// Bytes so far of the expected total (≤ 0: unknown, the bar only shows it is busy).
    void setProgress(qint64 received, qint64 total);
    /// Closes the window without asking to cancel (the work ended).
    void finish();

    QProgressBar *gauge() const { return m_gauge; }
    QLabel *statusLabel() const { return m_status; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    /// "Cancel" was pressed (or the window closed by its frame); the window has closed.
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QProgressBar *m_gauge = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_closingByCode = false;
};

} // namespace tovalin
