#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Platform/KeyCodes.h"
#include "Scripting/ScriptHost.h"

#include <benchmark/benchmark.h>

namespace
{
// The game's Python console, registered by start.py (run from build/release/run).
Console* PythonConsole(benchmark::State& state)
{
    if (!ScriptHost::IsRunning() && !ScriptHost::StartScriptHost())
    {
        state.SkipWithError("the script host did not start (run from build/release/run)");
        return nullptr;
    }
    Console* console = World::GetInstance().GetConsole();
    if (!console)
        state.SkipWithError("start.py registered no console");
    return console;
}
} // namespace

// A line of N characters typed (or pasted) into the Python console, one character at a
// time, with the completion list drawn after every 100 characters, as a frame drawn
// between bursts of typing would. The whole line is one iteration. The console keeps
// at most Console::MaxInputLength characters of it.
static void BM_ConsoleTypeLine(benchmark::State& state)
{
    Console* console = PythonConsole(state);
    if (!console)
        return;
    console->SetEnabled(true);
    const String pattern = "x1 + ";
    const auto length = static_cast<size_t>(state.range(0));
    for (auto _ : state)
    {
        for (size_t i = 0; i < length; ++i)
        {
            console->HandleCharacter(pattern[i % pattern.size()]);
            // Drawn with a name at the caret, so there is something to complete.
            if (i % 100 == 96)
                benchmark::DoNotOptimize(console->GetShownCompletions());
        }
        state.PauseTiming();
        // Entered, the line raises a SyntaxError and is gone.
        console->HandleKeyDown(KeyCodes::KEY_ENTER);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * length));
}
BENCHMARK(BM_ConsoleTypeLine)
    ->Arg(1000)
    ->Arg(4000)
    ->Arg(16000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// One line written to a console that already holds `range(0)` lines: the cost of a
// script's print once the game has run for a while.
static void BM_ConsoleWriteLine(benchmark::State& state)
{
    Console* console = PythonConsole(state);
    if (!console)
        return;
    for (int64_t i = 0; i < state.range(0); ++i)
        console->WriteToOutput("frame 123456 at 4.567 s\n");
    for (auto _ : state)
        console->WriteToOutput("frame 123456 at 4.567 s\n");
}
BENCHMARK(BM_ConsoleWriteLine)->Arg(100)->Arg(3000)->Unit(benchmark::kMicrosecond);
