#pragma once
// The INI codec every settings file goes through.
//
// Sections and keys are found ignoring letter case, as the Windows profile
// functions did. Unknown sections and keys, comments and blank lines survive a
// save, an existing key keeps its place, and a new key is added at the end of
// its section (a new section at the end of the file), so a file written from
// scratch lists its keys in the order the caller sets them.

#include "core/text_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tovalin {

class IniDocument {
public:
    /// Parses INI text (UTF-8, or Windows-1252 when not valid UTF-8). Never fails:
    /// lines that are neither a section header nor a key line are kept verbatim.
    static IniDocument parse(const QByteArray &bytes);

    /// Loads a file; a missing file gives an empty document. nullopt when it exists but cannot be read.
    static std::optional<IniDocument> load(const QString &path);

    /// The value of a key, or nullopt when the section or key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;

    /// Boolean as the profile functions read it: true when the value is a non-zero integer,
    /// the default when the key is missing or not an integer.
    bool boolValue(const QString &section, const QString &key, bool defaultValue) const;

    /// The string value, or the default when missing.
    QString stringValue(const QString &section, const QString &key, const QString &defaultValue = {}) const;

    /// Sets a key, keeping its place when it exists.
    void setValue(const QString &section, const QString &key, const QString &value);
    void setBool(const QString &section, const QString &key, bool on) { setValue(section, key, on ? QStringLiteral("1") : QStringLiteral("0")); }

    bool hasSection(const QString &section) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    /// The file's bytes: UTF-8, CR LF line ends, a blank line before every section but the first.
    QByteArray serialize() const;

    /// Writes the document atomically.
    WriteResult save(const QString &path) const;

private:
    struct Line {
        enum class Kind { Key, Other } kind = Kind::Other;
        QString key;   // for Key lines
        QString value; // for Key lines
        QString raw;   // for Other lines (comments, blanks, stray text)
    };
    struct Section {
        QString name;          // empty for lines before the first header
        bool hasHeader = false;
        bool added = false;    // added by the program, not read from the file
        std::vector<Line> lines;
    };

    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;

    std::vector<Section> m_sections;
};

} // namespace tovalin
