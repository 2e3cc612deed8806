#include "Scripting/ScriptFailure.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <utility>

namespace
{
ScriptFailures::Handler handler;
std::function<void()> recoveryHandler;

// Lives in the interpreter as the module tarvo_failures: reading a traceback is Python's
// own business.
const char* const DescribeSource = R"PY(
import os
import sys
import traceback

# The engine's shadow module: its wrappers are where an engine call was made from, not
# where the game went wrong.
_engine_module = sys.modules.get("tarvo")
_engine_file = getattr(_engine_module, "__file__", None)


def _is_engine(filename):
    return _engine_file is not None and os.path.abspath(filename) == os.path.abspath(_engine_file)


def _short(filename):
    """A game file relative to the working directory (the game's folder), others whole."""
    if not filename or not os.path.isabs(filename):
        return filename or ""
    relative = os.path.relpath(filename)
    return filename if relative.startswith("..") else relative


def _status(code):
    if code is None:
        return 0
    if isinstance(code, bool) or not isinstance(code, int):
        # sys.exit("message") prints the message and fails, as Python itself does.
        sys.__stderr__.write("%s\n" % (code,))
        return 1
    return code % 256


def describe(kind, error, calls):
    """(error line, file, line, last calls, traceback text, exit status or None)"""
    if issubclass(kind, SystemExit):
        status = _status(error.code if error is not None else None)
        return ("SystemExit: %s" % status, "", 0, [], "", status)
    text = "".join(traceback.format_exception(kind, error, calls))
    last = traceback.format_exception_only(kind, error)[-1].strip()
    frames = [f for f in traceback.extract_tb(calls) if not _is_engine(f.filename)]
    where, line = "", 0
    if isinstance(error, SyntaxError) and error.filename:
        where, line = error.filename, error.lineno or 0
    elif frames:
        where, line = frames[-1].filename, frames[-1].lineno or 0
    shown = ["%s:%s in %s: %s" % (_short(f.filename), f.lineno, f.name, (f.line or "").strip()) for f in frames[-5:]]
    return (last, _short(where), line, shown, text, None)
)PY";

// The describing function, from the module made at the first failure; kept in
// sys.modules, so an interpreter started anew makes it anew. A new reference, or null.
PyObject* DescribeFunction()
{
    PyObject* name = PyUnicode_FromString("tarvo_failures");
    PyObject* module = name ? PyImport_GetModule(name) : nullptr;
    Py_XDECREF(name);
    if (!module && !PyErr_Occurred())
    {
        module = PyModule_New("tarvo_failures");
        PyObject* names = module ? PyModule_GetDict(module) : nullptr;
        PyObject* result = nullptr;
        if (names)
        {
            PyDict_SetItemString(names, "__builtins__", PyEval_GetBuiltins());
            result = PyRun_String(DescribeSource, Py_file_input, names, names);
        }
        if (!result || PyDict_SetItemString(PyImport_GetModuleDict(), "tarvo_failures", module) != 0)
            Py_CLEAR(module);
        Py_XDECREF(result);
    }
    PyObject* describe = module ? PyObject_GetAttrString(module, "describe") : nullptr;
    Py_XDECREF(module);
    return describe;
}

String Text(PyObject* object)
{
    const char* utf8 = object && PyUnicode_Check(object) ? PyUnicode_AsUTF8(object) : nullptr;
    if (!utf8)
        PyErr_Clear();
    return utf8 ? utf8 : "";
}
} // namespace

namespace ScriptFailures
{
void SetHandler(Handler newHandler, std::function<void()> recovered)
{
    handler = std::move(newHandler);
    recoveryHandler = std::move(recovered);
}

bool HasHandler() { return static_cast<bool>(handler); }

void Hand(const ScriptFailure& failure)
{
    if (handler)
        handler(failure);
}

void HandRecovery()
{
    if (recoveryHandler)
        recoveryHandler();
}

ScriptFailure TakePendingError(const String& callback)
{
    ScriptFailure failure;
    failure.callback = callback;
    PyObject* type = nullptr;
    PyObject* value = nullptr;
    PyObject* traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    if (!type)
        return failure;
    PyObject* describe = DescribeFunction();
    PyObject* described = describe ? PyObject_CallFunction(describe, "OOO", type, value ? value : Py_None,
                                                           traceback ? traceback : Py_None)
                                   : nullptr;
    if (described && PyTuple_Check(described) && PyTuple_Size(described) == 6)
    {
        failure.error = Text(PyTuple_GetItem(described, 0));
        failure.file = Text(PyTuple_GetItem(described, 1));
        failure.line = static_cast<int>(PyLong_AsLong(PyTuple_GetItem(described, 2)));
        PyObject* calls = PyTuple_GetItem(described, 3);
        for (Py_ssize_t i = 0; PyList_Check(calls) && i < PyList_Size(calls); ++i)
            failure.lastCalls.push_back(Text(PyList_GetItem(calls, i)));
        failure.traceback = Text(PyTuple_GetItem(described, 4));
        PyObject* status = PyTuple_GetItem(described, 5);
        failure.exits = status != Py_None;
        failure.exitStatus = failure.exits ? static_cast<int>(PyLong_AsLong(status)) : 0;
    }
    else
    {
        // Describing failed too: the exception's own words are all there is.
        PyErr_Clear();
        PyObject* text = value ? PyObject_Str(value) : nullptr;
        failure.error = Text(text);
        Py_XDECREF(text);
    }
    Py_XDECREF(described);
    Py_XDECREF(describe);
    Py_XDECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);
    PyErr_Clear();
    return failure;
}
} // namespace ScriptFailures
