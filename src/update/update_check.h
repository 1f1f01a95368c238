#pragma once
// The update check: once per run, a few seconds after the parents first open
// their menu, the vendor's version file is fetched into `currver.tmp`; when it
// names a newer version than the running one, the offer is made (OnGetURLNew).
// Nothing is reported when the file cannot be fetched or read, and nothing is
// ever offered without the vendor's public key: an installer that cannot be
// checked is never run.

#include <QObject>
#include <QString>
#include <memory>

namespace tovalin {

class IniDocument;
class Transfer;

/// What a version file names for this program: the version offered and the installer's address
/// (the `kTitleKey` values of `CurrentVersions` and `DownloadURL`, trimmed; empty when missing).
struct VersionFileEntry {
    QString version;
    QString address;
};

/// Reads the program's entry from a version file.
VersionFileEntry readVersionFile(const IniDocument &ini);

/// True when an entry offers an update over `running`: it has an address and names a version
/// text newer than `running`.
bool offersUpdate(const VersionFileEntry &entry, const QString &running);

class UpdateChecker : public QObject {
    Q_OBJECT
public:
    /// The key both sections of the version file use: the program's window title.
    static constexpr char kTitleKey[] = "Tovalin - De Varnebrowser";
    /// A version file is a few lines; a larger answer is not one.
    static constexpr qint64 kMaxVersionFileBytes = 64 * 1024;

    struct Settings {
        QString URLCurrVerFile; ///< the version file's address
        QString TempFile;       ///< where it is stored (`currver.tmp` in the data folder)
        QString UpdateKey;      ///< the vendor's public key; empty: never offer
        QString runningVersion;
    };

    explicit UpdateChecker(Settings settings, QObject *parent = nullptr);
    ~UpdateChecker() override;

    /// `updatetimerTimer`'s check: fetches the version file and compares; the answer comes by signal.
    void check();
    bool busy() const { return m_transfer != nullptr; }
    const Settings &settings() const { return m_settings; }

signals:
    /// After every successful fetch: the version and download address found (empty when missing).
    void OnGetURL(const QString &version, const QString &address);
    /// The file names a newer version.
    void OnGetURLNew(const QString &version, const QString &address);
    /// The check is over, whatever came of it.
    void checkDone();

private:
    void fetched();

    Settings m_settings;
    std::unique_ptr<Transfer> m_transfer;
};

} // namespace tovalin
