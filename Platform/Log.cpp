#include "Platform/Log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

void DeveloperLog::Printf(const char* format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    Log(buffer);
}

void SystemLog::Log(const String& message)
{
    // One write per line, so lines from several threads never interleave mid-line.
    String line = message;
    if (line.empty() || line.back() != '\n')
        line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void CompoundLog::AddTarget(DeveloperLog* log)
{
    if (std::find(logs.begin(), logs.end(), log) == logs.end())
        logs.push_back(log);
}

void CompoundLog::RemoveTarget(DeveloperLog* log)
{
    logs.erase(std::remove(logs.begin(), logs.end(), log), logs.end());
}

void CompoundLog::Log(const String& message)
{
    for (DeveloperLog* log : logs)
        log->Log(message);
}

CompoundLog& SystemLogInstance()
{
    static CompoundLog* instance = []
    {
        auto* compound = new CompoundLog();
        compound->AddTarget(new SystemLog());
        return compound;
    }();
    return *instance;
}
