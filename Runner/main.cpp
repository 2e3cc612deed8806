// tarvo GAME_FOLDER [options]: plays a game written in Python alone. The folder's main.py
// runs once the engine and its console are up; its Resources/ and Config/ are the
// game's, and the engine's own font and console script stand in where it has none.

#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Platform/RunFolder.h"
#include "Platform/Window.h"
#include "Program/RunOptions.h"
#include "Program/RunProgram.h"
#include "Scripting/GameScript.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

namespace
{
const char* const ProgramName = "tarvo";
const char* const StartScript = "main.py";

// Installed, the runner finds the engine's data beside it (<prefix>/share/tarvo) as every
// program does; in a build tree, build/<preset>/Runner/tarvo uses build/<preset>/run.
void FindEngineData()
{
    if (EngineDataFolder().empty())
        SetEngineDataFolder(ExecutableFolder() + "../run");
}

void PrintUsage()
{
    String usage = RunOptionsUsage(String(ProgramName) + " GAME_FOLDER");
    std::printf("%s", usage.c_str());
    std::printf("Runs GAME_FOLDER/main.py in a window on the engine; see docs/python-games.md.\n");
}

// One line saying what is wrong with `folder`, or empty when it can be played.
String ProblemWith(const String& folder)
{
    struct stat info = {};
    if (stat(folder.c_str(), &info) != 0)
        return "no such folder: " + folder;
    if (!S_ISDIR(info.st_mode))
        return folder + " is not a folder";
    const String script = folder + "/" + StartScript;
    if (stat(script.c_str(), &info) != 0)
        return folder + " has no start script " + StartScript;
    if (!S_ISREG(info.st_mode))
        return script + " is not a file";
    return String();
}

String FolderName(const String& path)
{
    String name = path;
    while (name.size() > 1 && name.back() == '/')
        name.pop_back();
    const size_t slash = name.rfind('/');
    return slash == String::npos ? name : name.substr(slash + 1);
}

// The console open over the game, as if the player had pressed backquote.
void OpenConsole()
{
    if (Console* console = World::GetInstance().GetConsole())
    {
        console->SetEnabled(true);
        Window::SetKeyRepeat(true);
    }
}
} // namespace

int main(int argc, char** argv)
{
    const String first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h")
    {
        PrintUsage();
        return 0;
    }
    if (first.empty() || first[0] == '-')
    {
        std::fprintf(stderr, "%s: the game folder comes first: %s GAME_FOLDER [options] (see --help)\n", ProgramName,
                     ProgramName);
        return 2;
    }
    if (const String problem = ProblemWith(first); !problem.empty())
    {
        std::fprintf(stderr, "%s: %s\n", ProgramName, problem.c_str());
        return 2;
    }
    char resolved[PATH_MAX] = {};
    const String folder = realpath(first.c_str(), resolved) ? String(resolved) : first;
    FindEngineData();
    SetGameFolder(folder);

    // The options as the engine's programs take them, without the folder.
    std::vector<const char*> arguments{argv[0]};
    for (int i = 2; i < argc; ++i)
        arguments.push_back(argv[i]);
    bool unplayable = false;
    const int status = RunProgram(static_cast<int>(arguments.size()), arguments.data(), ProgramName, FolderName(folder),
                                  [&folder, &unplayable](const RunOptions& options)
                                  {
                                      std::optional<unsigned int> seed;
                                      if (options.seeded)
                                          seed = options.seed;
                                      switch (GameScript::Run(folder, seed))
                                      {
                                      case GameScript::GSR_Ran:
                                          break;
                                      case GameScript::GSR_Failed:
                                          // The window stays, so the player can look at what did run.
                                          OpenConsole();
                                          break;
                                      case GameScript::GSR_NoInterpreter:
                                          unplayable = true;
                                          World::GetInstance().StopGame();
                                          break;
                                      case GameScript::GSR_Exited:
                                          World::GetInstance().StopGame();
                                          break;
                                      }
                                  });
    // Without Python nothing of the game ran: that is no success.
    return unplayable ? 1 : status;
}
