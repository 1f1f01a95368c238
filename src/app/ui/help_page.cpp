#include "app/ui/help_page.h"

#include "state/startup.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tovalin {

void openHelp(QWidget *parent, const QString &path)
{
    if (!inTovalinSession()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        return;
    }
    auto *dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("helpWindow"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QCoreApplication::translate("HelpPage", "Help"));
    auto *lay = new QVBoxLayout(dialog);
    auto *text = new QTextBrowser(dialog);
    // Links to the web lead nowhere: only the help's own pages and anchors are followed.
    text->setOpenLinks(false);
    QObject::connect(text, &QTextBrowser::anchorClicked, text, [text](const QUrl &url) {
        if (url.isLocalFile() || url.scheme().isEmpty())
            text->setSource(url);
    });
    text->setSource(QUrl::fromLocalFile(path));
    lay->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    lay->addWidget(buttons);
    dialog->resize(760, 560);
    dialog->open();
}

} // namespace tovalin
