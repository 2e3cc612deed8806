// tarvo GAME_FOLDER [options]: plays a game written in Python alone. The folder's main.py
// runs once the engine and its console are up; its Resources/ and Config/ are the
// game's, and the engine's own font and console script stand in where it has none.
// tarvo GAME.tarvo [options] plays a packed game the same way, and `tarvo pack` makes one
// (Runner/ShippingTools.h).

#include "Infrastructure/World.h"
#include "Platform/RunFolder.h"
#include "Program/RunOptions.h"
#include "Program/RunProgram.h"
#include "Runner/ErrorView.h"
#include "Runner/GameFolder.h"
#include "Runner/GameWindowSize.h"
#include "Runner/ShippingTools.h"
#include "Scripting/GameScript.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

namespace
{
const char* const ProgramName = "tarvo";

// Installed, the runner finds the engine's data beside it (<prefix>/share/tarvo) as every
// program does; in a build tree, build/<preset>/Runner/tarvo uses build/<preset>/run.
void FindEngineData()
{
    if (EngineDataFolder().empty())
        SetEngineDataFolder(ExecutableFolder() + "../run");
}

void PrintUsage()
{
    String usage = RunOptionsUsage(String(ProgramName) + " GAME_FOLDER|GAME.tarvo");
    std::printf("%s", usage.c_str());
    std::printf("Runs GAME_FOLDER/main.py in a window on the engine; see docs/python-games.md.\n"
                "A game packed with `%s pack GAME_FOLDER` plays as `%s GAME.tarvo`; with --deb it becomes a Debian\n"
                "package, with --web a web page; see docs/shipping.md.\n",
                ProgramName, ProgramName);
}

// A packed game rather than a folder: any file, or a name ending in .tarvo that is no
// folder (so that a missing archive is named as one).
bool IsGameArchive(const String& path)
{
    struct stat info = {};
    if (stat(path.c_str(), &info) == 0)
        return !S_ISDIR(info.st_mode);
    const String suffix = ".tarvo";
    return path.size() > suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

#ifndef __EMSCRIPTEN__
bool HasGameSettings(const String& folder)
{
    struct stat info = {};
    return stat((folder + "/game.ini").c_str(), &info) == 0;
}
#endif

String FolderName(const String& path)
{
    String name = path;
    while (name.size() > 1 && name.back() == '/')
        name.pop_back();
    const size_t slash = name.rfind('/');
    return slash == String::npos ? name : name.substr(slash + 1);
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
    // A game folder named pack plays as ./pack.
    if (first == "pack")
    {
        FindEngineData();
        return RunPackTool(argv[0], std::vector<String>(argv + 2, argv + argc));
    }
    if (first.empty() || first[0] == '-')
    {
        std::fprintf(stderr, "%s: the game folder comes first: %s GAME_FOLDER [options] (see --help)\n", ProgramName,
                     ProgramName);
        return 2;
    }
    FindEngineData();
    String gameFolder = first;
    String title;
    if (IsGameArchive(first))
    {
        OpenedGameArchive opened;
        if (const int status = OpenGameArchive(argv[0], first, opened); status != 0)
            return status;
        gameFolder = opened.folder;
        title = opened.title;
        ApplyGameWindowSize(opened.window, first);
    }
    if (const String problem = ProblemWithGameFolder(gameFolder); !problem.empty())
    {
        std::fprintf(stderr, "%s: %s\n", ProgramName, problem.c_str());
        return 2;
    }
#ifndef __EMSCRIPTEN__
    // Only a folder with a game.ini pays for starting the tools; an archive's settings
    // came with opening it. A page keeps its own canvas and title, and starts no process.
    if (gameFolder == first && HasGameSettings(gameFolder))
    {
        GameFolderSettings settings;
        if (ReadGameFolderSettings(argv[0], gameFolder, settings) == 0)
        {
            title = settings.title;
            ApplyGameWindowSize(settings.window, gameFolder + "/game.ini");
        }
    }
#endif
    char resolved[PATH_MAX] = {};
    const String folder = realpath(gameFolder.c_str(), resolved) ? String(resolved) : gameFolder;
    if (title.empty())
        title = FolderName(folder);
    SetGameFolder(folder);

    // The options as the engine's programs take them, without the folder.
    std::vector<const char*> arguments{argv[0]};
    for (int i = 2; i < argc; ++i)
        arguments.push_back(argv[i]);
    bool unplayable = false;
    // A failure of the game's script stops the game and shows it in the window, which
    // stays, so the player can look at what did run (Runner/ErrorView.h).
    static ErrorView errorView;
    errorView.PlugIn();
    const int status = RunProgram(static_cast<int>(arguments.size()), arguments.data(), ProgramName, title,
                                  [&folder, &unplayable](const RunOptions& options)
                                  {
                                      std::optional<unsigned int> seed;
                                      if (options.seeded)
                                          seed = options.seed;
                                      if (GameScript::Run(folder, seed) == GameScript::GSR_NoInterpreter)
                                      {
                                          unplayable = true;
                                          World::GetInstance().StopGame();
                                      }
                                  });
    ScriptFailures::SetHandler(nullptr);
    // Without Python nothing of the game ran: that is no success. sys.exit(n) is the
    // game's own word on how it went. A run that ends on the error view did not go well
    // either, whatever ended it: a script checking games by their status must hear it.
    if (unplayable)
        return 1;
    if (const std::optional<int> asked = errorView.GetExitStatus())
        return *asked;
    if (errorView.IsShown())
    {
        std::fprintf(stderr, "%s: the game ended on a script error it did not recover from (status 1).\n", ProgramName);
        return 1;
    }
    return status;
}
