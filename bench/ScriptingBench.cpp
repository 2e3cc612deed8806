#include "Infrastructure/World.h"
#include "Scripting/ScriptHost.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
// The interpreter, started once for all the benchmarks below, from the run folder.
bool StartPython(benchmark::State& state)
{
    if (!ScriptHost::IsRunning() && !ScriptHost::StartScriptHost())
    {
        state.SkipWithError("the script host did not start (run from build/release/run)");
        return false;
    }
    return true;
}

PyObject* MainNames() { return PyModule_GetDict(PyImport_AddModule("__main__")); }

bool RunPython(benchmark::State& state, const char* source)
{
    PyObject* result = PyRun_String(source, Py_file_input, MainNames(), MainNames());
    if (!result)
    {
        PyErr_Print();
        state.SkipWithError("the script raised");
        return false;
    }
    Py_DECREF(result);
    return true;
}

struct RunTimes
{
    double wall = -1.0;
    // The game's own processor time, user and system: what other load on the machine
    // doesn't change.
    double cpu = -1.0;
};

// Seconds from starting the game for one frame to its exit, in `folder`.
RunTimes TimeOneFrameRun(const std::string& folder)
{
    const std::string game = std::filesystem::absolute(TARVO_GAME_BINARY).string();
    const char* argv[] = {game.c_str(), "--frames", "1", "--no-msaa", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ) == 0;
    int status = 0;
    rusage usage{};
    if (spawned)
        wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    std::filesystem::current_path(previous);
    posix_spawn_file_actions_destroy(&actions);
    RunTimes times;
    if (spawned && WIFEXITED(status) && WEXITSTATUS(status) == 0)
    {
        times.wall = std::chrono::duration<double>(end - start).count();
        times.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    }
    return times;
}
} // namespace

// A script calling an engine method: Actor.SetPosition through the wrapper's overload
// dispatch, 1,000 calls per iteration.
static void BM_ScriptSetPosition(benchmark::State& state)
{
    if (!StartPython(state) || !RunPython(state, "from tarvo import *\n"
                                                 "bench_actor = Actor()\n"
                                                 "def bench_calls():\n"
                                                 "    set_position = bench_actor.SetPosition\n"
                                                 "    for i in range(1000):\n"
                                                 "        set_position(1.0, 2.0)\n"))
        return;
    PyObject* calls = PyDict_GetItemString(MainNames(), "bench_calls");
    for (auto _ : state)
    {
        PyObject* result = PyObject_CallNoArgs(calls);
        Py_XDECREF(result);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ScriptSetPosition)->Unit(benchmark::kMicrosecond);

// One simulated frame over 1,000 actors whose Update is written in Python (the engine
// calls into the script, which calls back into the engine).
static void BM_ScriptActorsFrame(benchmark::State& state)
{
    if (!StartPython(state) || !RunPython(state, "from tarvo import *\n"
                                                 "class BenchSpinner(Actor):\n"
                                                 "    def Update(self, dt):\n"
                                                 "        self.SetRotation(self.GetRotation() + 90.0 * dt)\n"
                                                 "for i in range(1000):\n"
                                                 "    World.GetInstance().Add(BenchSpinner())\n"))
        return;
    World& world = World::GetInstance();
    double now = 0.0;
    world.SetTimeSource([&now] { return now; });
    for (auto _ : state)
    {
        now += 0.016;
        world.Tick(true);
    }
    world.SetTimeSource(nullptr);
    world.ResetWorld();
}
BENCHMARK(BM_ScriptActorsFrame)->Unit(benchmark::kMillisecond);

// The game from start to its first frame and exit, with the script host (the run
// folder) and without it (the same folder without Resources/Scripts). Needs a display.
// Wall time is the benchmark's time; game_cpu_ms is the game's processor time.
static void BM_GameStartUp(benchmark::State& state)
{
    if (!std::getenv("DISPLAY"))
    {
        state.SkipWithError("no display");
        return;
    }
    const bool withScripts = state.range(0) != 0;
    namespace fs = std::filesystem;
    const fs::path run = fs::current_path();
    const fs::path bare = fs::temp_directory_path() / ("tarvo_bench_" + std::to_string(getpid()));
    fs::create_directories(bare / "Resources");
    for (const auto& entry : fs::directory_iterator(run / "Resources"))
        if (entry.path().filename() != "Scripts" && !fs::exists(bare / "Resources" / entry.path().filename()))
            fs::create_directory_symlink(entry.path(), bare / "Resources" / entry.path().filename());
    if (!fs::exists(bare / "Config"))
        fs::create_directory_symlink(run / "Config", bare / "Config");

    double cpuTotal = 0.0;
    for (auto _ : state)
    {
        const RunTimes times = TimeOneFrameRun(withScripts ? run.string() : bare.string());
        if (times.wall < 0.0)
        {
            state.SkipWithError("the game failed");
            break;
        }
        state.SetIterationTime(times.wall);
        cpuTotal += times.cpu;
    }
    state.counters["game_cpu_ms"] = benchmark::Counter(cpuTotal * 1000.0, benchmark::Counter::kAvgIterations);
    fs::remove_all(bare);
}
BENCHMARK(BM_GameStartUp)
    ->ArgName("scripts")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
