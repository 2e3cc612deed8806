// The texts scripts see when a call into the engine or a script override fails. SWIG's
// runtime writes its own words; every text that reaches a script, the log or the console
// passes through ScriptFacingText, which puts the engine's words in their place. The
// generated code is left as SWIG writes it: the hooks below sit between its runtime and
// its wrappers. Included by the module file before everything else.

%{
#include <cstring>
#include <string>

namespace
{
struct ScriptErrorWords
{
    const char* generators;
    const char* engines;
};

// The start of each text as SWIG writes it, and as scripts see it.
const ScriptErrorWords ScriptErrorTexts[] = {
    {"SWIG director method error.", "Swig director method error."},
    {"SWIG director type mismatch", "Swig director type mismatch"},
    {"SWIG director pure virtual method called", "Swig director pure virtual method called"},
    {"Wrong number or type of arguments for overloaded function", "Wrong number of arguments for overloaded function"},
};

const char* const PureVirtualCalled = "Swig director pure virtual method called";

std::string ScriptFacingText(const std::string& text)
{
    for (const ScriptErrorWords& words : ScriptErrorTexts)
        if (text.compare(0, std::strlen(words.generators), words.generators) == 0)
            return words.engines + text.substr(std::strlen(words.generators));
    return text;
}

// The str() of a Python exception value; "" if it has none.
std::string ExceptionText(PyObject* value)
{
    PyObject* text = value ? PyObject_Str(value) : nullptr;
    const char* utf8 = text ? PyUnicode_AsUTF8(text) : nullptr;
    std::string result = utf8 ? utf8 : "";
    Py_XDECREF(text);
    if (!utf8)
        PyErr_Clear();
    return result;
}

// Puts the engine's words into the pending Python error, keeping its type.
void RewordPendingError()
{
    PyObject* type = nullptr;
    PyObject* value = nullptr;
    PyObject* traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    if (!type)
        return;
    const std::string text = ScriptFacingText(ExceptionText(value));
    PyErr_SetString(type, text.c_str());
    Py_DECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);
}

// Failed overload dispatch in every wrapper comes here, through the #define below.
void RaiseOverloadError(const char* message)
{
    SWIG_Python_RaiseOrModifyTypeError(ScriptFacingText(message).c_str());
}
} // namespace

#define SWIG_Python_RaiseOrModifyTypeError RaiseOverloadError
%}

// A pure operation reached without a script override (Console.Execute(self, line) on a
// subclass that has none, or the engine calling such a subclass).
%define PURE_IN_SCRIPTS(Method)
%exception Method
{
    MAIN_THREAD_ONLY("$symname")
    try
    {
        $action
    }
    catch (Swig::DirectorPureVirtualException&)
    {
        RewordPendingError();
        throw;
    }
}
%enddef
PURE_IN_SCRIPTS(Console::Execute)
PURE_IN_SCRIPTS(Console::GetCompletions)
