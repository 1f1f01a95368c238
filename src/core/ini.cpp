#include "core/ini.h"

namespace tovalin {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Byte-order marks among the blanks in front of the first line's text go, like the marks in
// front of the file: a key or header is written without the blanks around it, which would
// put such a mark in front of the written file, where the next reading drops it, and the
// file would change at every save.
void dropMarksAmongLeadingBlanks(QString &firstLine)
{
    qsizetype i = 0;
    while (i < firstLine.size() && (firstLine.at(i).isSpace() || firstLine.at(i) == QChar(0xFEFF))) {
        if (firstLine.at(i) == QChar(0xFEFF))
            firstLine.remove(i, 1);
        else
            ++i;
    }
}

} // namespace

IniDocument IniDocument::parse(const QByteArray &bytes)
{
    IniDocument doc;
    doc.m_sections.push_back(Section{}); // lines before the first header
    QStringList lines = splitLines(decodeText(bytes));
    if (!lines.isEmpty())
        dropMarksAmongLeadingBlanks(lines.first());
    for (const QString &raw : lines) {
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']') && trimmed.size() >= 2) {
            Section s;
            s.name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            s.hasHeader = true;
            doc.m_sections.push_back(std::move(s));
            continue;
        }
        Line line;
        const qsizetype eq = raw.indexOf(u'=');
        if (eq > 0 && !trimmed.startsWith(u';') && !raw.left(eq).trimmed().isEmpty()) {
            line.kind = Line::Kind::Key;
            line.key = raw.left(eq).trimmed();
            line.value = raw.mid(eq + 1).trimmed();
        } else {
            line.raw = raw;
        }
        doc.m_sections.back().lines.push_back(std::move(line));
    }
    return doc;
}

std::optional<IniDocument> IniDocument::load(const QString &path)
{
    ReadResult r = readFileBytes(path);
    if (r.error == ReadError::Missing)
        return IniDocument{};
    if (!r.ok())
        return std::nullopt;
    return parse(r.bytes);
}

IniDocument::Section *IniDocument::findSection(const QString &name)
{
    for (Section &s : m_sections)
        if (s.hasHeader && sameName(s.name, name))
            return &s;
    return nullptr;
}

const IniDocument::Section *IniDocument::findSection(const QString &name) const
{
    return const_cast<IniDocument *>(this)->findSection(name);
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return std::nullopt;
    for (const Line &l : s->lines)
        if (l.kind == Line::Kind::Key && sameName(l.key, key))
            return l.value;
    return std::nullopt;
}

bool IniDocument::boolValue(const QString &section, const QString &key, bool defaultValue) const
{
    const auto v = value(section, key);
    if (!v)
        return defaultValue;
    bool ok = false;
    const qlonglong n = v->toLongLong(&ok);
    if (!ok)
        return defaultValue;
    return n != 0;
}

QString IniDocument::stringValue(const QString &section, const QString &key, const QString &defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    Section *s = findSection(section);
    if (!s) {
        Section fresh;
        fresh.name = section;
        fresh.hasHeader = true;
        fresh.added = true;
        m_sections.push_back(std::move(fresh));
        s = &m_sections.back();
    }
    for (Line &l : s->lines) {
        if (l.kind == Line::Kind::Key && sameName(l.key, key)) {
            l.value = value;
            return;
        }
    }
    // A new key goes after the section's last key, ahead of trailing blank lines.
    auto insertAt = s->lines.end();
    while (insertAt != s->lines.begin()) {
        auto prev = insertAt - 1;
        if (prev->kind == Line::Kind::Other && prev->raw.trimmed().isEmpty())
            insertAt = prev;
        else
            break;
    }
    Line line;
    line.kind = Line::Kind::Key;
    line.key = key;
    line.value = value;
    s->lines.insert(insertAt, std::move(line));
}

bool IniDocument::hasSection(const QString &section) const
{
    return findSection(section) != nullptr;
}

QStringList IniDocument::sections() const
{
    QStringList names;
    for (const Section &s : m_sections)
        if (s.hasHeader)
            names.append(s.name);
    return names;
}

QStringList IniDocument::keys(const QString &section) const
{
    QStringList names;
    if (const Section *s = findSection(section))
        for (const Line &l : s->lines)
            if (l.kind == Line::Kind::Key)
                names.append(l.key);
    return names;
}

QByteArray IniDocument::serialize() const
{
    QStringList out;
    for (const Section &s : m_sections) {
        if (s.hasHeader) {
            // Sections added by the program are separated by one blank line.
            if (s.added && !out.isEmpty() && !out.constLast().trimmed().isEmpty())
                out.append(QString());
            out.append(u'[' + s.name + u']');
        }
        for (const Line &l : s.lines)
            out.append(l.kind == Line::Kind::Key ? l.key + u'=' + l.value : l.raw);
    }
    return joinLinesCrLf(out);
}

WriteResult IniDocument::save(const QString &path) const
{
    return writeFileAtomic(path, serialize());
}

} // namespace tovalin
