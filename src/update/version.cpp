#include "update/version.h"

#include <QStringList>

#ifndef TOVALIN_FILE_VERSION
#error "TOVALIN_FILE_VERSION comes from the build"
#endif

namespace tovalin::version {

namespace {

// A part without its leading zeros; "0" stays "0".
QStringView significant(QStringView part)
{
    qsizetype i = 0;
    while (i + 1 < part.size() && part.at(i) == u'0')
        ++i;
    return part.mid(i);
}

int compareParts(QStringView a, QStringView b)
{
    a = significant(a);
    b = significant(b);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

} // namespace

QString runningVersion()
{
    return QStringLiteral(TOVALIN_FILE_VERSION);
}

bool isVersionText(const QString &text)
{
    if (text.isEmpty())
        return false;
    bool digitBefore = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            digitBefore = true;
        } else if (c == u'.' && digitBefore) {
            digitBefore = false;
        } else {
            return false;
        }
    }
    return digitBefore;
}

int compare(const QString &a, const QString &b)
{
    const QList<QStringView> pa = QStringView(a).split(u'.');
    const QList<QStringView> pb = QStringView(b).split(u'.');
    const qsizetype n = std::max(pa.size(), pb.size());
    static const QString zero = QStringLiteral("0");
    for (qsizetype i = 0; i < n; ++i) {
        const int c = compareParts(i < pa.size() ? pa.at(i) : QStringView(zero), i < pb.size() ? pb.at(i) : QStringView(zero));
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    return 0;
}

bool isNewer(const QString &running, const QString &offered)
{
    return isVersionText(running) && isVersionText(offered) && compare(running, offered) < 0;
}

} // namespace tovalin::version
