#include "LatencySamples.h"

#include <algorithm>
#include <cmath>

double LatencySamples::percentileUs(double p) const
{
    if (m_ns.empty())
        return 0.0;
    std::vector<qint64> sorted(m_ns);
    std::sort(sorted.begin(), sorted.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * double(sorted.size())));
    const std::size_t at = std::clamp<std::size_t>(rank, 1, sorted.size()) - 1;
    return double(sorted[at]) / 1000.0;
}
