#pragma once
#include <QList>

#include <algorithm>
#include <ctime>

namespace mc::bench {

// This thread's processor time: on a machine shared with other builds it leaves out the time
// spent waiting for a processor, which the wall clock counts.
inline double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// The value at fraction p (0.95 for the 95th percentile) of the sorted values; 0 for none.
inline double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(std::min<qsizetype>(v.size() - 1, qsizetype(p * double(v.size()))));
}

} // namespace mc::bench
