#pragma once

#include "Util/StringUtil.h"

#include <vector>

// Wall-clock times of the frames a program ran, split into the update half and the
// drawing half (drawing includes presenting the frame).
class FrameStats
{
public:
    // Times in milliseconds; negative ones count as 0.
    void Record(double updateMs, double drawMs);
    // Frames recorded so far.
    int GetFrameCount() const { return static_cast<int>(frames.size()); }

    // Times in milliseconds of one half of the frames, or of whole frames.
    struct Summary
    {
        double median = 0.0;
        double p95 = 0.0;
        double p99 = 0.0;
        double worst = 0.0;
    };
    // Percentiles by nearest rank; all zero when no frame was recorded.
    Summary Frames() const;
    // The update half alone (clock, pads, sound, messages, elements, physics).
    Summary Updates() const;
    // The drawing half alone, presenting the frame included.
    Summary Draws() const;

    // Three lines after a heading, e.g.
    // "Frame stats: 600 frames (ms)\n  frame   median 5.20  p95 6.10  p99 7.00  worst 9.30\n..."
    String Report() const;

private:
    static Summary Summarize(std::vector<double> times);

    std::vector<double> updates;
    std::vector<double> draws;
    std::vector<double> frames;
};
