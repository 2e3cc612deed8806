# Run once when the engine starts: puts a Python console in place of the test console.
#
# The console behaves like Python's own interactive prompt: expressions print their
# value, statements run, a block continues on "... " lines until an empty line, errors
# show their traceback, and Tab completes names and attributes. Everything in the
# tarvo module is already imported, so `a = Actor(); World.GetInstance().Add(a)` works
# as typed.

import _thread
import sys

import tarvo

# The interpreter and completion modules load at the console's first use: importing them
# here would cost the game's start-up about 35 ms.


class ConsoleOutput:
    """A file-like object that writes into the console. The console belongs to the game's
    main thread: what other threads print goes to the terminal instead."""

    def __init__(self, console):
        self.console = console
        self.thread = _thread.get_ident()

    def write(self, text):
        if _thread.get_ident() != self.thread:
            return sys.__stdout__.write(text) if sys.__stdout__ else len(text)
        self.console.WriteToOutput(text)
        return len(text)

    def flush(self):
        pass


class PythonConsole(tarvo.Console):
    Prompt = ">>> "
    ContinuationPrompt = "... "
    ExitHint = (
        "exit() does not end the game: World.GetInstance().StopGame() does,"
        " and backquote closes the console.\n"
    )

    def __init__(self):
        tarvo.Console.__init__(self)
        self.names = {"__name__": "__console__", "__doc__": None}
        exec("from tarvo import *", self.names)
        self.output = ConsoleOutput(self)
        self.interpreter = None
        self.completer = None
        self.pending = []
        self.prompt = self.Prompt
        self.SetPrompt(self.prompt)

    def Execute(self, line):
        import code
        import contextlib

        if self.interpreter is None:
            self.interpreter = code.InteractiveInterpreter(self.names)
            # Python writes tracebacks through the interpreter's write().
            self.interpreter.write = self.output.write
        self.WriteToOutput(self.prompt + line + "\n")
        self.pending.append(line)
        more = False
        try:
            with contextlib.redirect_stderr(self.output):
                more = self.interpreter.runsource("\n".join(self.pending), "<console>", "single")
        except SystemExit:
            # The interpreter passes SystemExit on rather than printing it. The game
            # stops only when asked through the engine, after the frame, as Escape does.
            self.WriteToOutput(self.ExitHint)
        finally:
            # Whatever ended the line, it must not linger in front of the next one.
            if not more:
                self.pending = []
            self.prompt = self.ContinuationPrompt if more else self.Prompt
            self.SetPrompt(self.prompt)

    def GetCompletions(self, line):
        # Tab puts the first candidate in place of the whole line, so each candidate is
        # the line with its last word completed.
        start = len(line)
        while start > 0 and (line[start - 1].isalnum() or line[start - 1] in "_."):
            start -= 1
        word = line[start:]
        if not word:
            return []
        if self.completer is None:
            import rlcompleter

            self.completer = rlcompleter.Completer(self.names)
        found = []
        state = 0
        while True:
            try:
                candidate = self.completer.complete(word, state)
            except Exception:
                break
            if candidate is None:
                break
            if candidate not in found:
                found.append(candidate)
            state += 1
        return [line[:start] + candidate for candidate in found]


console = PythonConsole()
tarvo.World.GetInstance().RegisterConsole(console)
# What scripts print, also from Update or ReceiveMessage, goes where the user looks.
sys.stdout = console.output
