// The engine runs on the game's main thread alone: its lists, the World's layers and the
// graphics context are never locked. A script thread that calls into it gets a Python
// error instead of corrupting them (text measured on a thread once blanked glyphs for
// the rest of the run). Threads that only compute are welcome: the frame lets them run
// while it draws (ScriptHost::LetOtherThreadsRun).

%{
namespace
{
void RaiseNotOnMainThread(const char* call)
{
    PyErr_Format(PyExc_RuntimeError,
                 "%s was called from a thread of its own: the engine runs on the game's main thread only. "
                 "Compute on threads and hand the results to an Update (through a queue.Queue, say).",
                 call);
}
} // namespace

// The first statement of every wrapper; `call` is the wrapper's name.
#define MAIN_THREAD_ONLY(call)                                                                                         \
    if (!ScriptHost::IsMainThread())                                                                                   \
    {                                                                                                                  \
        RaiseNotOnMainThread(call);                                                                                    \
        SWIG_fail;                                                                                                     \
    }
%}

%exception
{
    MAIN_THREAD_ONLY("$symname")
    $action
}
