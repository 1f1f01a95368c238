#pragma once
// The C heap in use, the resident memory, and the heap's rise per navigation over a long session,
// shared by the long-session test and the bare engine it is compared with.

#include <malloc.h>

#include <QFile>
#include <QtGlobal>
#include <vector>

namespace tovalin::test {

/// The C heap in use in this process, in bytes (every arena, and the blocks mapped on their own).
inline qint64 heapInUse()
{
    const struct mallinfo2 heap = mallinfo2();
    return qint64(heap.uordblks + heap.hblkhd);
}

/// The resident memory of this process in kilobytes (0 when it cannot be read).
inline qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

/// The least-squares slope, per sample, of samples taken one per navigation, fitted through the
/// means of whole rounds of `round` navigations (so neither one large block coming or going nor
/// the mix of a round decides it).
inline double slopePerNavigation(const std::vector<qint64> &samples, int round)
{
    std::vector<double> means;
    for (size_t i = 0; i + size_t(round) <= samples.size(); i += size_t(round)) {
        double sum = 0;
        for (size_t j = i; j < i + size_t(round); ++j)
            sum += double(samples[j]);
        means.push_back(sum / round);
    }
    const double n = double(means.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < means.size(); ++i) {
        const double x = double(i), y = means[i];
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double d = n * sxx - sx * sx;
    return d > 0 ? (n * sxy - sx * sy) / d / round : 0.0;
}

} // namespace tovalin::test
