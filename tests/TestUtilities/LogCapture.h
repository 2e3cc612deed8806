#pragma once

#include "Platform/Log.h"

#include <algorithm>

// Collects every line written to the log singleton while it exists.
class LogCapture : public DeveloperLog
{
public:
    LogCapture() { SystemLogInstance().AddTarget(this); }
    ~LogCapture() override { SystemLogInstance().RemoveTarget(this); }

    void Log(const String& message) override { lines.push_back(message); }

    bool Contains(const String& line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }
    size_t Count(const String& line) const { return static_cast<size_t>(std::count(lines.begin(), lines.end(), line)); }

    StringList lines;
};
