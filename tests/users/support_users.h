#pragma once
// Helpers shared by the users tests: a throw-away data folder and raw file access.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tovalin {
class ProgramState;
}

namespace usertest {

/// A temporary data folder with the users and themes folders, and theme files for themes.
class DataFolder {
public:
    explicit DataFolder(const QStringList &themes = {});
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    /// Points the state's DataFolder here.
    void attach(tovalin::ProgramState &state) const;
    QString usersFile(const QString &fileName) const;

private:
    QTemporaryDir m_dir;
};

void writeBytes(const QString &path, const QByteArray &bytes);
QByteArray readBytes(const QString &path);

} // namespace usertest
