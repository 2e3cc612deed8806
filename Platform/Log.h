#pragma once

#include "Util/StringUtil.h"

#include <vector>

// Something that takes whole log lines.
class DeveloperLog
{
public:
    virtual ~DeveloperLog() = default;
    // Takes one whole line, without its line feed.
    virtual void Log(const String& message) = 0;

    // Formats like printf into 1024 bytes; longer texts are cut there.
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

// Writes each message as one line to standard error.
class SystemLog : public DeveloperLog
{
public:
    void Log(const String& message) override;
};

// Forwards each message to its targets in the order they were added. Targets are not owned.
class CompoundLog : public DeveloperLog
{
public:
    // Adding the same target twice keeps one entry.
    void AddTarget(DeveloperLog* log);
    // A target that goes away must be removed first; one never added is ignored.
    void RemoveTarget(DeveloperLog* log);
    void Log(const String& message) override;

private:
    std::vector<DeveloperLog*> logs;
};

// The process-wide log, created on first use with a SystemLog attached; never destroyed.
CompoundLog& SystemLogInstance();
