#pragma once
// What the benchmark programs share: per-call times reported as percentiles, and the
// process's own memory figures from /proc.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace tovalin::bench {

/// Sets the counters p50_us and p99_us from the times (microseconds) of single calls.
inline void reportPercentiles(benchmark::State &st, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const auto at = [&](double q) { return times.empty() ? 0.0 : times[std::size_t(q * double(times.size() - 1))]; };
    st.counters["p50_us"] = at(0.50);
    st.counters["p99_us"] = at(0.99);
}

/// A figure of /proc/self/status in kB ("VmRSS:", "VmHWM:"); 0 when it cannot be read.
inline long statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &line : lines)
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    return 0;
}

} // namespace tovalin::bench
