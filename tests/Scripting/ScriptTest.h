#pragma once

#include "Infrastructure/World.h"
#include "Scripting/ScriptHost.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <gtest/gtest.h>

#include <string>

// The script host started from the run folder (its start.py registers the Python
// console), with helpers that run Python in the interpreter's __main__.
class ScriptTest : public ::testing::Test
{
public:
    // Runs statements; returns "" or the traceback of what they raised.
    static std::string Run(const std::string& source);
    // The str() of an expression's value, or "<raised> " and the traceback.
    static std::string Eval(const std::string& expression);
    // The text of the exception the statements raise, or "<nothing raised>".
    static std::string ErrorOf(const std::string& source);

protected:
    void SetUp() override { ASSERT_TRUE(ScriptHost::StartScriptHost()); }
    void TearDown() override { ScriptHost::Finalize(); }
};

namespace ScriptTestDetail
{
inline std::string TakeTraceback()
{
    PyObject* type = nullptr;
    PyObject* value = nullptr;
    PyObject* traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    std::string text = "exception";
    PyObject* module = PyImport_ImportModule("traceback");
    PyObject* lines = module ? PyObject_CallMethod(module, "format_exception", "OOO", type, value ? value : Py_None,
                                                   traceback ? traceback : Py_None)
                             : nullptr;
    PyObject* empty = PyUnicode_FromString("");
    PyObject* joined = lines ? PyUnicode_Join(empty, lines) : nullptr;
    Py_XDECREF(empty);
    if (joined)
        text = PyUnicode_AsUTF8(joined);
    Py_XDECREF(joined);
    Py_XDECREF(lines);
    Py_XDECREF(module);
    Py_XDECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);
    PyErr_Clear();
    return text;
}

inline PyObject* MainNames() { return PyModule_GetDict(PyImport_AddModule("__main__")); }
} // namespace ScriptTestDetail

inline std::string ScriptTest::Run(const std::string& source)
{
    PyObject* result =
        PyRun_String(source.c_str(), Py_file_input, ScriptTestDetail::MainNames(), ScriptTestDetail::MainNames());
    if (!result)
        return ScriptTestDetail::TakeTraceback();
    Py_DECREF(result);
    return "";
}

inline std::string ScriptTest::Eval(const std::string& expression)
{
    PyObject* result =
        PyRun_String(expression.c_str(), Py_eval_input, ScriptTestDetail::MainNames(), ScriptTestDetail::MainNames());
    if (!result)
        return "<raised> " + ScriptTestDetail::TakeTraceback();
    PyObject* text = PyObject_Str(result);
    std::string value = text ? PyUnicode_AsUTF8(text) : "<no str>";
    Py_XDECREF(text);
    Py_DECREF(result);
    return value;
}

inline std::string ScriptTest::ErrorOf(const std::string& source)
{
    const std::string wrapped = "try:\n    exec(" + std::string("__source") + ")\n    __error = '<nothing raised>'\n" +
                                "except Exception as e:\n    __error = str(e)\n";
    PyObject* code = PyUnicode_FromString(source.c_str());
    PyDict_SetItemString(ScriptTestDetail::MainNames(), "__source", code);
    Py_DECREF(code);
    const std::string failure = Run(wrapped);
    return failure.empty() ? Eval("__error") : failure;
}

// The Python statements ran without raising.
#define EXPECT_RUNS(source) EXPECT_EQ(ScriptTest::Run(source), "")
