// The whitelist automaton against the plain reading of the fragment test, on random
// lists and addresses built from the pieces where the two could part ways: entries that
// overlap or share beginnings, differ only in case, are empty, hold "?" or "#", carry a
// scheme (and so an http/https twin), or letters that ASCII folding must leave alone.
//
// TOVALIN_DIFF_CASES sets the number of list x address cases (default 1 000 000);
// TOVALIN_DIFF_SEED the seed (default fixed, so a failure can be replayed).

#include "guard/address_match.h"
#include "guard/fragment_matcher.h"
#include "guard/site_lists.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>

using namespace tovalin;

namespace {

const QStringList kPieces = {
    "a", "b", "A", "ab", "aB", "ba", "abab", "x.example", "X.EXAMPLE", "www.", "/", "//", ".", "?", "#", "=", ":",
    "http://", "https://", "HTTP://", "Https://", "http:/", "https:", "s://", "p", "é", "É", "ı", "I", "ſ", "s", "S",
    QString(QChar(0x212A)) /* Kelvin sign */, "k", "K", "?q=a", "#top", " ",
    QString::fromUtf16(u"\U0001F600") /* a pair of surrogates */,
};

QString randomText(QRandomGenerator &rng, int maxPieces)
{
    QString out;
    const int n = int(rng.bounded(maxPieces + 1));
    for (int i = 0; i < n; ++i)
        out += kPieces.at(int(rng.bounded(qsizetype(kPieces.size()))));
    return out;
}

QStringList randomList(QRandomGenerator &rng)
{
    QStringList entries;
    // Now and then a longer list whose entries mostly begin alike, so that a state has many
    // children.
    const bool wide = rng.bounded(8) == 0;
    const int n = int(rng.bounded(wide ? 41 : 9));
    const QString stem = wide ? randomText(rng, 2) : QString();
    for (int i = 0; i < n; ++i) {
        switch (rng.bounded(6)) {
        case 0: // shares a beginning with an earlier entry
            if (!entries.isEmpty()) {
                const QString &other = entries.at(int(rng.bounded(qsizetype(entries.size()))));
                entries.append(other.left(int(rng.bounded(other.size() + 1))) + randomText(rng, 1));
                break;
            }
            Q_FALLTHROUGH();
        case 1: // the same entry in other letter case, or twice
            if (!entries.isEmpty()) {
                const QString &other = entries.at(int(rng.bounded(qsizetype(entries.size()))));
                entries.append(rng.bounded(2) ? other.toLower() : other);
                break;
            }
            Q_FALLTHROUGH();
        default:
            entries.append(stem + randomText(rng, 3));
        }
    }
    return entries;
}

QString randomAddress(QRandomGenerator &rng, const QStringList &entries)
{
    QString address = randomText(rng, 4);
    // Often plant an entry (or a piece of one) so that matches are common, not rare.
    if (!entries.isEmpty() && rng.bounded(3) != 0) {
        QString planted = entries.at(int(rng.bounded(qsizetype(entries.size()))));
        if (rng.bounded(2))
            planted = planted.toUpper();
        if (rng.bounded(4) == 0)
            planted.chop(1);
        address.insert(int(rng.bounded(address.size() + 1)), planted);
    }
    return address + randomText(rng, 3);
}

bool plainReading(const QStringList &entries, const QString &address)
{
    return std::any_of(entries.cbegin(), entries.cend(),
                       [&](const QString &entry) { return whitelistEntryMatches(entry, address); });
}

} // namespace

class TestFragmentMatcher : public QObject {
    Q_OBJECT
private slots:
    void sameAnswersAsThePlainReading()
    {
        const qint64 cases = qEnvironmentVariableIsSet("TOVALIN_DIFF_CASES")
                                 ? qEnvironmentVariable("TOVALIN_DIFF_CASES").toLongLong()
                                 : 1000000;
        const quint32 seed = qEnvironmentVariableIsSet("TOVALIN_DIFF_SEED")
                                 ? qEnvironmentVariable("TOVALIN_DIFF_SEED").toUInt()
                                 : 20261209u;
        QRandomGenerator rng(seed);
        constexpr int kAddressesPerList = 50;
        qint64 done = 0;
        qint64 matched = 0;
        while (done < cases) {
            const QStringList entries = randomList(rng);
            FragmentMatcher matcher;
            for (const QString &entry : entries)
                matcher.addEntry(entry);
            matcher.build();
            for (int i = 0; i < kAddressesPerList && done < cases; ++i, ++done) {
                const QString address = randomAddress(rng, entries);
                const bool expected = plainReading(entries, address);
                matched += expected;
                if (matcher.matches(address) != expected) {
                    QFAIL(qPrintable(QStringLiteral("seed %1, case %2: list [%3], address \"%4\": plain reading %5")
                                         .arg(seed)
                                         .arg(done)
                                         .arg(entries.join(QStringLiteral("\", \"")).prepend(u'"').append(u'"'), address,
                                              expected ? QStringLiteral("allows") : QStringLiteral("refuses"))));
                }
            }
        }
        // Both answers must be common, or the comparison proves little.
        QVERIFY2(matched > cases / 5 && matched < cases * 4 / 5, qPrintable(QString::number(matched)));
    }

    // The exact lists skip parsing for entries that look normal already, and keep their keys in a
    // table of their own: both must answer as exactKey does.
    void exactListKeysAgreeWithExactKey()
    {
        const QStringList hosts = {"a.example", "www.b-c.example", "x", "EXAMPLE.com", "1.2.3.4", "127.1", "a..b",
                                   "-a.example", "a-.example", "xn--bcher-kva.example", "a.example.", "a.example:80",
                                   "a.example:8080", "user@a.example", "b\u00fccher.example", "", "Kids.Example",
                                   "a.example:443", "a.example:080", "a.example:65536", "a.example:", "a_b.example",
                                   "a.3d.example", "WWW.XN--Bcher-kva.example"};
        const QStringList tails = {"", "/", "/p", "/p/", "/p?q=1", "/p#f", "?x", "#a#b", "/%41", "/a b", "/'", "/~x.y_z",
                                   "/!$&()*+,;=:@", "/\u00e9", "/\"", "/[x]", "/a|b", "//"};
        const QStringList schemes = {"http://", "https://", "HTTP://", "hTTpS://", "ftp://", "http:", ""};
        QRandomGenerator rng(7);
        SortedList list;
        QSet<QString> keys;
        QStringList entries;
        for (int i = 0; i < 4000; ++i) {
            const QString entry = schemes.at(int(rng.bounded(qsizetype(schemes.size()))))
                                  + hosts.at(int(rng.bounded(qsizetype(hosts.size()))))
                                  + tails.at(int(rng.bounded(qsizetype(tails.size()))))
                                  + (rng.bounded(4) == 0 ? tails.at(int(rng.bounded(qsizetype(tails.size())))) : QString());
            const QByteArray utf8 = entry.toUtf8();
            if (isNormalWebAddress(utf8))
                QCOMPARE(normalizedAddress(entry), entry);
            // The quick reading of the common form gives what the parser gives.
            QCOMPARE(normalizedAddress(entry), generalNormalizedAddress(entry));
            QCOMPARE(hostOf(normalizedAddress(entry)), generalHostOf(normalizedAddress(entry)));
            entries.append(entry);
        }
        // Half go in at once (as a file loads), half one by one (as a parent adds them);
        // then a few leave again.
        list.setItems(entries.mid(0, 2000));
        for (const QString &entry : entries.mid(2000))
            list.add(entry);
        for (int i = 0; i < 500; ++i)
            list.removeAll(entries.at(int(rng.bounded(qsizetype(entries.size())))));
        const QStringList kept = list.items();
        for (const QString &entry : kept) {
            if (!entry.isEmpty())
                keys.insert(exactKey(entry));
        }
        for (const QString &entry : entries) {
            for (const QString &candidate : exactCandidates(normalizedAddress(entry))) {
                const QString key = webSchemeKey(candidate);
                QVERIFY2(list.containsKey(key) == keys.contains(key), qPrintable(key));
            }
            QCOMPARE(list.contains(entry), kept.contains(entry));
        }
        QVERIFY(keys.size() > 100);
    }

    void entriesAddedAfterABuildCountOnceBuiltAgain()
    {
        FragmentMatcher matcher;
        matcher.addEntry(u"kids.example");
        matcher.build();
        QVERIFY(!matcher.matches(u"http://zoo.example/"));
        matcher.addEntry(u"zoo");
        matcher.build();
        QVERIFY(matcher.matches(u"http://ZOO.example/"));
        QVERIFY(matcher.matches(u"http://kids.example/"));
        matcher.clear();
        QVERIFY(!matcher.matches(u"http://kids.example/"));
    }
};

QTEST_APPLESS_MAIN(TestFragmentMatcher)
#include "test_fragment_matcher.moc"
