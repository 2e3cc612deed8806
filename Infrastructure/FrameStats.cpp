#include "Infrastructure/FrameStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
// The smallest time that at least `share` of the frames don't exceed.
double NearestRank(const std::vector<double>& sorted, double share)
{
    const double rank = std::ceil(share * static_cast<double>(sorted.size()));
    const size_t index = rank < 1.0 ? 0 : static_cast<size_t>(rank) - 1;
    return sorted[std::min(index, sorted.size() - 1)];
}

String Line(const char* label, const FrameStats::Summary& summary)
{
    char text[160];
    std::snprintf(text, sizeof(text), "  %-7s median %.2f  p95 %.2f  p99 %.2f  worst %.2f\n", label, summary.median,
                  summary.p95, summary.p99, summary.worst);
    return text;
}
} // namespace

void FrameStats::Record(double updateMs, double drawMs)
{
    updateMs = std::max(updateMs, 0.0);
    drawMs = std::max(drawMs, 0.0);
    updates.push_back(updateMs);
    draws.push_back(drawMs);
    frames.push_back(updateMs + drawMs);
}

FrameStats::Summary FrameStats::Summarize(std::vector<double> times)
{
    Summary summary;
    if (times.empty())
        return summary;
    std::sort(times.begin(), times.end());
    summary.median = NearestRank(times, 0.5);
    summary.p95 = NearestRank(times, 0.95);
    summary.p99 = NearestRank(times, 0.99);
    summary.worst = times.back();
    return summary;
}

FrameStats::Summary FrameStats::Frames() const { return Summarize(frames); }
FrameStats::Summary FrameStats::Updates() const { return Summarize(updates); }
FrameStats::Summary FrameStats::Draws() const { return Summarize(draws); }

String FrameStats::Report() const
{
    return "Frame stats: " + std::to_string(frames.size()) + " frames (ms)\n" + Line("frame", Frames()) +
           Line("update", Updates()) + Line("draw", Draws());
}
