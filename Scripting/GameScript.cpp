#include "Scripting/GameScript.h"

#include "Platform/Log.h"
#include "Scripting/ScriptFailure.h"
#include "Scripting/ScriptHost.h"
#include "Util/SafeFiles.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

namespace
{
// Lives in the interpreter as the module tarvo_game. Written in Python because all it
// does is Python's own business: modules, tracebacks, a fresh __main__.
const char* const GameModuleSource = R"PY(
import builtins
import gc
import importlib
import os
import sys
import traceback
import types

# What the engine and its console import now or later, imported before the game's folder
# joins the module path: a game's own random.py or code.py must not stand in for them.
import code
import codeop
import contextlib
import linecache
import random
import rlcompleter
import tokenize

import tarvo

folder = None
script = None
seed = None
# The start-up script's own main module: its console still uses those names when the
# game's main.py takes the name __main__, so they are kept alive here.
console_names = sys.modules.get("__main__")


def _in_folder(path):
    # Only absolute names: code compiled from a string is "<string>", which relative to
    # the working directory (the game folder) would look like one of the game's files.
    return path is not None and os.path.isabs(path) and path.startswith(folder + os.sep)


def _where(error):
    """The file and line of the game's own code that failed, deepest call last."""
    where = None
    if isinstance(error, SyntaxError) and _in_folder(error.filename):
        where = "%s:%s" % (error.filename, error.lineno)
    for frame in traceback.extract_tb(error.__traceback__):
        if _in_folder(frame.filename):
            where = "%s:%s" % (frame.filename, frame.lineno)
    return where or script


def _show(text, logged=True):
    if logged:
        sys.__stderr__.write(text)
        sys.__stderr__.flush()
    console = tarvo.World.GetInstance().GetConsole()
    if console is not None:
        console.WriteToOutput(text)


def run():
    """Runs main.py as a fresh __main__. Returns None, "exit" after sys.exit, or the
    failure's file, line and error in one line; a failure or an exit is also handed to
    the engine (report_failure), which shows it."""
    if seed is not None:
        random.seed(seed)
    module = types.ModuleType("__main__")
    module.__file__ = script
    module.__builtins__ = builtins
    sys.modules["__main__"] = module
    builtins.game = module
    try:
        compiled = compile(read_source(script), script, "exec")
        exec(compiled, module.__dict__)
    except SystemExit as error:
        report_failure("main.py", error)
        return "exit"
    except BaseException as error:
        # The traceback starts in the game's own code, not in this loader.
        calls = error.__traceback__
        if calls is not None and calls.tb_frame.f_code is run.__code__:
            calls = calls.tb_next
        error.__traceback__ = calls
        _show("".join(traceback.format_exception(type(error), error, calls)))
        _show("Fix it and type reload() to run main.py again.\n", logged=False)
        message = traceback.format_exception_only(type(error), error)[-1].strip()
        report_failure("main.py", error)
        return "%s: %s" % (_where(error), message)
    return None


def reload():
    """Starts the game over from main.py with the game folder's files read afresh: the
    World is cleared, the folder's modules are forgotten and main.py runs again."""
    reload_and_tell()


def reload_and_tell():
    """reload(), returning whether main.py ran to its end."""
    tarvo.World.GetInstance().ResetWorld()
    sys.modules["__main__"] = console_names
    for name, module in list(sys.modules.items()):
        if name != "__main__" and _in_folder(getattr(module, "__file__", None)):
            del sys.modules[name]
    importlib.invalidate_caches()
    # What the old run made and still names (mouse listeners, say) goes now, not at
    # some later collection, so it can't answer beside the new run's.
    builtins.game = None
    gc.collect()
    result = run()
    if result == "exit":
        tarvo.World.GetInstance().StopGame()
    elif result:
        sys.__stderr__.write("ERROR: %s\n" % result)
        print("reload failed at " + result)
    else:
        recovered()
        print("reloaded " + script)
    return result is None


def _warn_of_shadows():
    """One WARNING for each of the game's modules named like one of Python's own."""
    for entry in sorted(os.listdir(folder)):
        path = os.path.join(folder, entry)
        if entry.endswith(".py") and os.path.isfile(path):
            name = entry[:-3]
        elif os.path.isfile(os.path.join(path, "__init__.py")):
            name = entry
        else:
            continue
        if name in sys.stdlib_module_names and name != "__main__":
            log("WARNING: The game's %s has the name of Python's standard module %s: an import of %s may get "
                "the other one than meant (the engine's own imports were made before). Renaming it avoids that."
                % (entry, name, name))


def start(game_folder, run_seed):
    global folder, script, seed
    folder = os.path.abspath(game_folder)
    seed = run_seed
    script = os.path.join(folder, "main.py")
    _warn_of_shadows()
    sys.path.insert(0, folder)
    # No __pycache__ in the game's folder: it stays as its author left it, and a module
    # edited twice within a second, same size, can't come back stale from its cache.
    sys.dont_write_bytecode = True
    builtins.reload = reload
    return run()
)PY";

// read_source(path) for the loader: the file's bytes, read as every file the engine runs
// is (a FIFO put in main.py's place must not hang the game), or OSError saying what is
// wrong with it.
PyObject* ReadSource(PyObject*, PyObject* argument)
{
    PyObject* encoded = nullptr;
    if (!PyUnicode_FSConverter(argument, &encoded))
        return nullptr;
    const String path = PyBytes_AsString(encoded);
    Py_DECREF(encoded);
    String source;
    String reason;
    const FileReadStatus status = ReadRegularFile(path, ScriptHost::MaxScriptFileBytes, source, reason);
    if (status != FRS_Read)
    {
        PyErr_SetString(PyExc_OSError, DescribeReadFailure(path, status, reason).c_str());
        return nullptr;
    }
    return PyBytes_FromStringAndSize(source.data(), static_cast<Py_ssize_t>(source.size()));
}

// report_failure(callback, error): hands a failure of the game's script to the engine.
PyObject* ReportFailure(PyObject*, PyObject* args)
{
    const char* callback = nullptr;
    PyObject* error = nullptr;
    if (!PyArg_ParseTuple(args, "sO", &callback, &error))
        return nullptr;
    Py_INCREF(error);
    PyObject* type = Py_NewRef(reinterpret_cast<PyObject*>(Py_TYPE(error)));
    PyErr_Restore(type, error, PyException_GetTraceback(error));
    ScriptFailures::Hand(ScriptFailures::TakePendingError(callback));
    Py_RETURN_NONE;
}

// recovered(): the game's main.py ran to its end again.
PyObject* Recovered(PyObject*, PyObject*)
{
    ScriptFailures::HandRecovery();
    Py_RETURN_NONE;
}

// log(line): one line to the engine's log.
PyObject* LogLine(PyObject*, PyObject* args)
{
    const char* line = nullptr;
    if (!PyArg_ParseTuple(args, "s", &line))
        return nullptr;
    SystemLogInstance().Log(line);
    Py_RETURN_NONE;
}

PyMethodDef EngineFunctions[] = {
    {"read_source", ReadSource, METH_O, "The bytes of a game script."},
    {"report_failure", ReportFailure, METH_VARARGS, "Hands a failure of the game's script to the engine."},
    {"recovered", Recovered, METH_NOARGS, "Tells the engine main.py ran to its end again."},
    {"log", LogLine, METH_VARARGS, "Writes one line to the engine's log."},
    {nullptr, nullptr, 0, nullptr},
};

// Creates the module tarvo_game from the source above; null, with the traceback printed,
// if that fails.
PyObject* CreateGameModule()
{
    PyObject* module = PyModule_New("tarvo_game");
    if (!module)
        return nullptr;
    if (PyModule_AddFunctions(module, EngineFunctions) != 0)
    {
        Py_DECREF(module);
        return nullptr;
    }
    PyObject* names = PyModule_GetDict(module);
    PyDict_SetItemString(names, "__builtins__", PyEval_GetBuiltins());
    PyObject* result = PyRun_String(GameModuleSource, Py_file_input, names, names);
    if (!result || PyDict_SetItemString(PyImport_GetModuleDict(), "tarvo_game", module) != 0)
    {
        Py_XDECREF(result);
        Py_DECREF(module);
        return nullptr;
    }
    Py_DECREF(result);
    return module;
}
} // namespace

namespace GameScript
{
RunResult Run(const String& folder, std::optional<unsigned int> seed)
{
    if (!ScriptHost::IsRunning())
    {
        SystemLogInstance().Printf("ERROR: Python is not running, so %s/main.py can't run.", folder.c_str());
        return GSR_NoInterpreter;
    }
    PyObject* module = CreateGameModule();
    PyObject* runSeed = seed ? PyLong_FromUnsignedLong(*seed) : Py_NewRef(Py_None);
    PyObject* result =
        module && runSeed ? PyObject_CallMethod(module, "start", "sO", folder.c_str(), runSeed) : nullptr;
    Py_XDECREF(runSeed);
    Py_XDECREF(module);
    if (!result)
    {
        PyErr_Print();
        SystemLogInstance().Log("ERROR: the engine's game loader failed; the game can't run.");
        return GSR_Failed;
    }
    RunResult outcome = GSR_Ran;
    if (PyUnicode_Check(result))
    {
        const char* text = PyUnicode_AsUTF8(result);
        if (text && String(text) == "exit")
        {
            SystemLogInstance().Printf("%s/main.py called sys.exit: the game ends.", folder.c_str());
            outcome = GSR_Exited;
        }
        else
        {
            SystemLogInstance().Printf("ERROR: %s", text ? text : "main.py failed");
            outcome = GSR_Failed;
        }
    }
    PyErr_Clear();
    Py_DECREF(result);
    return outcome;
}

bool Reload()
{
    PyObject* module = ScriptHost::IsRunning() ? PyImport_ImportModule("tarvo_game") : nullptr;
    PyObject* result = module ? PyObject_CallMethod(module, "reload_and_tell", nullptr) : nullptr;
    const bool ran = result == Py_True;
    if (!result)
    {
        if (PyErr_Occurred())
            PyErr_Print();
        SystemLogInstance().Log("ERROR: the game can't be reloaded: no game script has run.");
    }
    Py_XDECREF(result);
    Py_XDECREF(module);
    return ran;
}
} // namespace GameScript
