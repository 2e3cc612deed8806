#include "Runner/ShippingTools.h"

#include "Platform/RunFolder.h"

#include <Python.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Present only in a build with the leak checker.
extern "C" void __lsan_disable() __attribute__((weak));

namespace
{
String ToolScript() { return EngineDataFolder() + "/shipping/tarvo_ship.py"; }

// Runs the tool script with `command` and `arguments` as Python's own command line would
// (isolated from the player's PYTHON* variables and site folder), and returns its status.
int RunTool(const char* runnerPath, const char* command, const std::vector<String>& arguments)
{
    const String script = ToolScript();
    struct stat info = {};
    if (EngineDataFolder().empty() || stat(script.c_str(), &info) != 0)
    {
        std::fprintf(stderr, "tarvo: the shipping tools are missing (%s): reinstall the engine\n", script.c_str());
        return 1;
    }
    setenv("TARVO_ENGINE_VERSION", TARVO_ENGINE_VERSION, 1);
    setenv("TARVO_ENGINE_DATA", EngineDataFolder().c_str(), 1);
    std::vector<String> words{runnerPath, "-I", "-B", script, command};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (String& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    return Py_BytesMain(static_cast<int>(words.size()), argv.data());
}

// Everything the child wrote before it closed its end.
String ReadAll(int fd)
{
    String text;
    char buffer[4096];
    for (;;)
    {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0)
            text.append(buffer, static_cast<size_t>(got));
        else if (got == 0 || errno != EINTR)
            return text;
    }
}

// Runs the tool in a child process, its standard output into `answerFd` unless that is
// -1, and returns its exit status. The interpreter then never lives in the runner
// itself, so the game's own starts fresh, and the runner's exit has nothing of it to
// clean up.
int RunToolInChild(const char* runnerPath, const char* command, const std::vector<String>& arguments, int answerFd,
                   const String& what)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
    {
        std::fprintf(stderr, "tarvo: can't %s: %s\n", what.c_str(), std::strerror(errno));
        return 1;
    }
    if (child == 0)
    {
        if (answerFd >= 0)
            dup2(answerFd, STDOUT_FILENO);
        // The interpreter keeps memory to the end by design, and a tool that ends with
        // sys.exit() leaves through exit() from inside it: a leak checker has nothing of
        // ours to find in this child.
        if (__lsan_disable)
            __lsan_disable();
        const int status = RunTool(runnerPath, command, arguments);
        std::fflush(nullptr);
        _exit(status);
    }
    if (answerFd >= 0)
        close(answerFd);
    int waited = 0;
    while (waitpid(child, &waited, 0) < 0)
        if (errno != EINTR)
            return 1;
    if (WIFEXITED(waited))
        return WEXITSTATUS(waited);
    std::fprintf(stderr, "tarvo: can't %s: the tool ended on signal %d\n", what.c_str(),
                 WIFSIGNALED(waited) ? WTERMSIG(waited) : 0);
    return 1;
}
} // namespace

int RunPackTool(const char* runnerPath, const std::vector<String>& arguments)
{
    return RunToolInChild(runnerPath, "pack", arguments, -1, "pack");
}

namespace
{
// The lines of a tool's answer, without their ends.
std::vector<String> AnswerLines(const String& answer)
{
    std::vector<String> lines;
    size_t start = 0;
    while (start < answer.size())
    {
        const size_t end = answer.find('\n', start);
        lines.push_back(answer.substr(start, end == String::npos ? String::npos : end - start));
        if (end == String::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// Runs `command` with `argument` and returns its status, its answer's lines in `lines`.
// The answer is read only once the child is done: it is a few short lines, well within
// what a pipe holds.
int AskTool(const char* runnerPath, const char* command, const String& argument, const String& what,
            std::vector<String>& lines)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
    {
        std::fprintf(stderr, "tarvo: can't %s: %s\n", what.c_str(), std::strerror(errno));
        return 1;
    }
    const int status = RunToolInChild(runnerPath, command, {argument}, pipeEnds[1], what);
    const String answer = ReadAll(pipeEnds[0]);
    close(pipeEnds[0]);
    lines = AnswerLines(answer);
    return status;
}
} // namespace

int OpenGameArchive(const char* runnerPath, const String& path, OpenedGameArchive& opened)
{
    std::vector<String> lines;
    if (const int status = AskTool(runnerPath, "open", path, "open " + path, lines); status != 0)
        return status;
    if (lines.empty() || lines[0].empty())
    {
        std::fprintf(stderr, "tarvo: opening %s gave no folder\n", path.c_str());
        return 1;
    }
    opened.folder = lines[0];
    opened.title = lines.size() > 1 ? lines[1] : "";
    opened.window = lines.size() > 2 ? lines[2] : "";
    return 0;
}

int ReadGameFolderSettings(const char* runnerPath, const String& folder, GameFolderSettings& settings)
{
    std::vector<String> lines;
    if (const int status = AskTool(runnerPath, "settings", folder, "read the settings of " + folder, lines);
        status != 0)
        return status;
    settings.title = lines.size() > 0 ? lines[0] : "";
    settings.window = lines.size() > 1 ? lines[1] : "";
    return 0;
}
