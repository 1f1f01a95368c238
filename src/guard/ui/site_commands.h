#pragma once
// The parents' list commands beside the address field `adresedit` of the
// parents' page: one level up (`XiButton1`), "Add to whitelist" (`Label41`,
// icon `Image44`), "Add to blacklist" (`Label37`, icon `Image43`), "Go to URL
// manager" (`Label43`), and the handler of `accepteerblokkeer`.

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tovalin {

class AcceptWindow;
class BlockAccept;
struct ListEditResult;

class SiteCommands : public QWidget {
    Q_OBJECT
public:
    using Message = std::function<void(QWidget *parent, const QString &text)>;

    /// address is the parents' address field the commands read and one level up shortens.
    SiteCommands(BlockAccept &commands, QLineEdit *address, QWidget *parent = nullptr);

    /// `accepteerblokkeer`: accepts the refused address(es) or blocks the page shown, by its caption.
    void acceptOrBlock();
    /// `XiButton1Click`: one level up; the two list commands show when the text was shortened.
    void levelUp();
    /// `Label41Click`: the address the command was offered for, which the field shows (a command
    /// that is hidden, or whose address the field no longer shows, does nothing).
    void addToWhitelist();
    /// `Label37Click`, as addToWhitelist.
    void addToBlacklist();
    /// Hides "Add to whitelist" and "Add to blacklist" with their icons (next completed page, or
    /// the address field showing another address than the one they were offered for).
    void hideAddCommands();
    /// Shows "Go to URL manager" and gives it its action (the active-theme editor's whitelist page).
    void setUrlManagerOpener(std::function<void()> open);

    void setMessage(Message message) { m_message = std::move(message); }

private:
    void showMessages(const ListEditResult &result);

    BlockAccept &m_commands;
    QLineEdit *m_address = nullptr;
    QToolButton *m_levelUp = nullptr;   // XiButton1
    QLabel *m_whiteIcon = nullptr;      // Image44
    QPushButton *m_white = nullptr;     // Label41
    QLabel *m_blackIcon = nullptr;      // Image43
    QPushButton *m_black = nullptr;     // Label37
    QPushButton *m_urlManager = nullptr; // Label43
    std::function<void()> m_openUrlManager;
    QString m_offered; // the address one level up gave the two commands
    Message m_message;
};

} // namespace tovalin
