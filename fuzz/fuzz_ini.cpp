// The INI codec and the profile on top of it, on any bytes a parent may copy in.
//
// Checks: what is read, written and read again is the same document (same sections, keys
// and values, and the same bytes when written a second time); a profile read from it,
// written into it and read back is the same profile, and every key the profile does not
// own keeps its value.

#include "support.h"

#include "core/ini.h"
#include "users/user_profile.h"

using namespace tovalin;

namespace {

struct Entry {
    QString section;
    QString key;
    QString value;
    friend bool operator==(const Entry &, const Entry &) = default;
};

// What a reader of the document can see: every key as value() answers it.
QList<Entry> visible(const IniDocument &doc)
{
    QList<Entry> out;
    for (const QString &section : doc.sections())
        for (const QString &key : doc.keys(section))
            out.append({section, key, doc.stringValue(section, key)});
    return out;
}

bool isProfileKey(const QString &section, const QString &key)
{
    static const IniDocument keys = [] {
        IniDocument d;
        UserProfile().writeTo(d);
        return d;
    }();
    return keys.value(section, key).has_value();
}

} // namespace

namespace fuzz {
QString show(const QList<Entry> &entries)
{
    QStringList parts;
    for (const Entry &e : entries)
        parts << u'[' + e.section + u']' + e.key + u'=' + show(e.value);
    return parts.join(QStringLiteral("; "));
}
} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const IniDocument first = IniDocument::parse(bytes);
    const QByteArray written = first.serialize();
    const IniDocument second = IniDocument::parse(written);
    FUZZ_CHECK_EQ(first.sections(), second.sections());
    FUZZ_CHECK_EQ(visible(first), visible(second));
    FUZZ_CHECK_EQ(second.serialize(), written);

    // A profile read from the file and written back into it reads the same, and the keys it
    // does not own are left as they were.
    UserProfile profile;
    profile.readFrom(first);
    IniDocument updated = first;
    profile.writeTo(updated);
    const IniDocument reread = IniDocument::parse(updated.serialize());
    UserProfile again;
    again.readFrom(reread);
    IniDocument profileWritten;
    profile.writeTo(profileWritten);
    IniDocument againWritten;
    again.writeTo(againWritten);
    FUZZ_CHECK_EQ(againWritten.serialize(), profileWritten.serialize());
    QList<Entry> kept;
    for (const Entry &e : visible(first))
        if (!isProfileKey(e.section, e.key))
            kept << e;
    QList<Entry> keptAfter;
    for (const Entry &e : visible(reread))
        if (!isProfileKey(e.section, e.key))
            keptAfter << e;
    FUZZ_CHECK_EQ(kept, keptAfter);
    return 0;
}
