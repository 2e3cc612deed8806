// How script objects and engine objects share lifetimes, and what happens when a script
// override fails. Included first by the module file.

%{
#include <algorithm>
#include <deque>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace
{
// A script reference whose engine object is gone, or now belongs to the engine alone,
// gets this type: no wrapper accepts it, so using it raises a TypeError instead of
// reaching freed memory.
swig_type_info goneType = {"_p_GoneEngineObject", "engine object no longer available", 0, 0, 0, 0};

void CutScriptReference(PyObject* swigThis)
{
    auto* object = reinterpret_cast<SwigPyObject*>(swigThis);
    object->ty = &goneType;
    object->own = 0;
}

PyObject* SwigThisOf(PyObject* input)
{
    return reinterpret_cast<PyObject*>(SWIG_Python_GetSwigThis(input));
}

// Renderables scripts refer to, each with the pointer objects the script references
// share (one counted reference each). Lookups reuse the first one, so there is usually
// just one; an object made by a script and looked up before it was added has two.
using WatchList = std::unordered_map<Renderable*, std::vector<PyObject*>>;
WatchList& WatchedRenderables()
{
    static auto* watched = new WatchList();
    return *watched;
}

// The actor lists and sets scripts made hold plain pointers. A deleted actor leaves a
// set, and leaves None in its place in a list, so that indices stay put.
std::unordered_set<ActorList*>& ScriptActorLists()
{
    static auto* lists = new std::unordered_set<ActorList*>();
    return *lists;
}
std::unordered_set<ActorSet*>& ScriptActorSets()
{
    static auto* sets = new std::unordered_set<ActorSet*>();
    return *sets;
}

void ForgetInScriptContainers(Renderable* deleted)
{
    // Upcasting compares addresses only: the listed pointers are never read through.
    for (ActorList* list : ScriptActorLists())
        for (Actor*& actor : *list)
            if (actor && static_cast<Renderable*>(actor) == deleted)
                actor = nullptr;
    for (ActorSet* set : ScriptActorSets())
        for (auto entry = set->begin(); entry != set->end();)
            entry = static_cast<Renderable*>(*entry) == deleted ? set->erase(entry) : std::next(entry);
}

// Cuts and lets go of the script references kept in one entry of a watch list.
template <typename Key> void CutWatched(std::unordered_map<Key*, std::vector<PyObject*>>& watched, Key* deleted)
{
    auto found = watched.find(deleted);
    if (found == watched.end())
        return;
    const std::vector<PyObject*> references = std::move(found->second);
    watched.erase(found);
    // Letting go may run script code (a __del__) that watches or deletes others.
    for (PyObject* swigThis : references)
        CutScriptReference(swigThis);
    for (PyObject* swigThis : references)
        Py_DECREF(swigThis);
}

void OnRenderableDeleted(Renderable* deleted)
{
    ForgetInScriptContainers(deleted);
    CutWatched(WatchedRenderables(), deleted);
}

void WatchContainer(ActorList* list)
{
    if (list)
        ScriptActorLists().insert(list);
    Renderable::deletionObserver = OnRenderableDeleted;
}
void WatchContainer(ActorSet* set)
{
    if (set)
        ScriptActorSets().insert(set);
    Renderable::deletionObserver = OnRenderableDeleted;
}

// Listeners that are not actors (a screen, the game's manager) handed to scripts as
// message senders or subscribers.
using ListenerWatchList = std::unordered_map<MessageListener*, std::vector<PyObject*>>;
ListenerWatchList& WatchedListeners()
{
    static auto* watched = new ListenerWatchList();
    return *watched;
}

void OnListenerDeleted(MessageListener* deleted) { CutWatched(WatchedListeners(), deleted); }

void Watch(Renderable* renderable, PyObject* swigThis)
{
    if (!renderable || !swigThis)
        return;
    std::vector<PyObject*>& references = WatchedRenderables()[renderable];
    if (std::find(references.begin(), references.end(), swigThis) != references.end())
        return;
    Py_INCREF(swigThis);
    references.push_back(swigThis);
    Renderable::deletionObserver = OnRenderableDeleted;
}

// The most derived class a script knows for an actor the engine hands out. A script
// subclass's actor comes back as the script's own object.
PyObject* ActorToScript(Actor* actor)
{
    if (!actor)
        return SWIG_Py_Void();
    if (auto* director = dynamic_cast<Swig::Director*>(actor))
    {
        PyObject* self = director->swig_get_self();
        Py_INCREF(self);
        return self;
    }
    auto& watched = WatchedRenderables();
    auto found = watched.find(actor);
    if (found != watched.end() && !found->second.empty())
    {
        PyObject* swigThis = found->second.front();
        auto* shared = reinterpret_cast<SwigPyObject*>(swigThis);
        return SWIG_Python_NewShadowInstance(static_cast<SwigPyClientData*>(shared->ty->clientdata), swigThis);
    }
    swig_type_info* type = SWIGTYPE_p_Actor;
    if (dynamic_cast<TextActor*>(actor))
        type = SWIGTYPE_p_TextActor;
    else if (dynamic_cast<ParticleActor*>(actor))
        type = SWIGTYPE_p_ParticleActor;
    else if (dynamic_cast<PhysicsActor*>(actor))
        type = SWIGTYPE_p_PhysicsActor;
    else if (dynamic_cast<Camera*>(actor))
        type = SWIGTYPE_p_Camera;
    PyObject* result = SWIG_NewPointerObj(SWIG_as_voidptr(actor), type, 0);
    Watch(actor, SwigThisOf(result));
    return result;
}

// A script subclass's object lives as long as the engine object it made.
void KeepScriptSelf(void* engineObject, Swig::Director* director)
{
    if (engineObject && director)
        director->swig_disown();
}

// Reports a failed script override and clears the interpreter's error: one log line
// with the failure's text, the Python traceback into the console. The frame goes on.
// A failure matching one of the last few reports (an Update that raises every frame) is
// not repeated, so the console's output doesn't grow by a traceback per frame.
// SystemExit (exit(), quit(), sys.exit()) is one line in both places: only
// World.StopGame ends the game, after the frame, as Escape does.
void ReportScriptFailure(const Swig::DirectorException& failure)
{
    constexpr size_t RecentReports = 16;
    static std::deque<std::string> recent;
    PyObject* type = nullptr;
    PyObject* value = nullptr;
    PyObject* traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);

    std::string headline = ScriptFacingText(failure.what());
    const std::string original = ExceptionText(value);
    const std::string raised = ScriptFacingText(original);
    if (raised.compare(0, std::strlen(PureVirtualCalled), PureVirtualCalled) == 0)
        headline = raised;
    if (type && raised != original)
    {
        // The traceback shows the error in the engine's words too.
        if (PyObject* reworded = PyObject_CallFunction(type, "s", raised.c_str()))
        {
            Py_XDECREF(value);
            value = reworded;
        }
        PyErr_Clear();
    }
    std::string text;
    if (type && PyErr_GivenExceptionMatches(type, PyExc_SystemExit))
    {
        headline += ": SystemExit does not end the game; World.GetInstance().StopGame() does";
        text = headline + "\n";
    }
    else if (type)
    {
        PyObject* module = PyImport_ImportModule("traceback");
        PyObject* lines = module ? PyObject_CallMethod(module, "format_exception", "OOO", type,
                                                       value ? value : Py_None, traceback ? traceback : Py_None)
                                 : nullptr;
        if (lines)
        {
            for (Py_ssize_t i = 0; i < PySequence_Size(lines); ++i)
            {
                PyObject* line = PySequence_GetItem(lines, i);
                if (const char* utf8 = line ? PyUnicode_AsUTF8(line) : nullptr)
                    text += utf8;
                Py_XDECREF(line);
            }
        }
        Py_XDECREF(lines);
        Py_XDECREF(module);
        PyErr_Clear();
    }
    Py_XDECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);

    const std::string report = headline + "\n" + text;
    if (std::find(recent.begin(), recent.end(), report) != recent.end())
        return;
    recent.push_back(report);
    if (recent.size() > RecentReports)
        recent.pop_front();
    SystemLogInstance().Printf("ERROR: %s", headline.c_str());
    if (Console* console = World::GetInstance().GetConsole())
        console->WriteToOutput(text);
    else
        PySys_WriteStderr("%s", text.c_str());
}
// Cuts the script's reference to a lent object when the call that lent it ends.
class LentForTheCall
{
public:
    explicit LentForTheCall(PyObject* lent) : swigThis(SwigThisOf(lent)) {}
    ~LentForTheCall()
    {
        if (swigThis)
            CutScriptReference(swigThis);
    }
    LentForTheCall(const LentForTheCall&) = delete;
    LentForTheCall& operator=(const LentForTheCall&) = delete;

private:
    PyObject* swigThis;
};
} // namespace

void ForgetScriptReferences()
{
    Renderable::deletionObserver = nullptr;
    auto& watched = WatchedRenderables();
    for (auto& entry : watched)
        for (PyObject* swigThis : entry.second)
            Py_DECREF(swigThis);
    watched.clear();
    MessageListener::deletionObserver = nullptr;
    for (auto& entry : WatchedListeners())
        for (PyObject* swigThis : entry.second)
            Py_DECREF(swigThis);
    WatchedListeners().clear();
    // The containers themselves belong to the interpreter, which is going away.
    ScriptActorLists().clear();
    ScriptActorSets().clear();
}
%}

// Arguments the engine keeps. The script's object lets go of them on the way in, so a
// script that forgets __disown__ cannot free what the engine still holds.
%define HANDED_TO_ENGINE_IN(Type, After)
%typemap(in) Type* HANDED_TO_ENGINE (void* argp = 0, int res = 0)
{
    res = SWIG_ConvertPtr($input, &argp, $descriptor, SWIG_POINTER_DISOWN);
    if (!SWIG_IsOK(res))
    {
        %argument_fail(res, "$type", $symname, $argnum);
    }
    $1 = reinterpret_cast<$ltype>(argp);
    After;
}
%enddef

// The Switchboard deletes a message after delivery: the script's reference ends here.
HANDED_TO_ENGINE_IN(Message, if ($1) CutScriptReference(SwigThisOf($input)))
// The World deletes an element once it is destroyed: script references end then.
HANDED_TO_ENGINE_IN(Renderable, KeepScriptSelf($1, dynamic_cast<Swig::Director*>($1)); Watch($1, SwigThisOf($input)))
// The registered console lives as long as the World holds it.
HANDED_TO_ENGINE_IN(Console, KeepScriptSelf($1, dynamic_cast<Swig::Director*>($1)))

// A message is lent to a script's ReceiveMessage for the call only.
%typemap(directorin) Message* message %{
    $input = SWIG_NewPointerObj(SWIG_as_voidptr($1), $descriptor, 0);
    LentForTheCall lent$argnum($input);
%}

// Actors the engine looks up come out as the most derived class scripts know.
%typemap(out) Actor* GetNamed, Actor* GetSelf %{
    $result = ActorToScript($1);
%}

// A failing override is reported and answered with a neutral value; the engine goes on.
%define SCRIPT_OVERRIDE(Class, Method, Answer)
%feature("director:except") Class::Method
{
    if ($error != NULL)
    {
        ReportScriptFailure(Swig::DirectorMethodException("Error detected when calling '" #Class "." #Method "'"));
        return Answer;
    }
}
%enddef
SCRIPT_OVERRIDE(Actor, Update, )
SCRIPT_OVERRIDE(Actor, ChangeSizeTo, )
SCRIPT_OVERRIDE(Actor, ReceiveMessage, )
SCRIPT_OVERRIDE(Actor, GetClassName, Actor::GetClassName())
SCRIPT_OVERRIDE(Console, Execute, )
SCRIPT_OVERRIDE(Console, GetCompletions, StringList())
SCRIPT_OVERRIDE(PhysicsActor, Update, )
SCRIPT_OVERRIDE(PhysicsActor, ChangeSizeTo, )
SCRIPT_OVERRIDE(PhysicsActor, ReceiveMessage, )
SCRIPT_OVERRIDE(PhysicsActor, GetClassName, PhysicsActor::GetClassName())
SCRIPT_OVERRIDE(PhysicsActor, InitPhysics, )
SCRIPT_OVERRIDE(PhysicsActor, CustomInitPhysics, )
SCRIPT_OVERRIDE(MouseListener, MouseMotionEvent, )
SCRIPT_OVERRIDE(MouseListener, MouseDownEvent, )
SCRIPT_OVERRIDE(MouseListener, MouseUpEvent, )

// An answer of the wrong type is reported the same way.
%typemap(directorout) String GetClassName
{
    std::string* swig_optr = 0;
    int swig_ores = SWIG_AsPtr_std_string($input, &swig_optr);
    if (!SWIG_IsOK(swig_ores) || !swig_optr)
    {
        ReportScriptFailure(Swig::DirectorTypeMismatchException(
            SWIG_ErrorType(SWIG_ArgError((swig_optr ? swig_ores : SWIG_TypeError))),
            "in output value of type 'String const'"));
        return Actor::GetClassName();
    }
    $result = *swig_optr;
    if (SWIG_IsNewObj(swig_ores))
        delete swig_optr;
}
%typemap(directorout) StringList GetCompletions
{
    StringList* swig_optr = 0;
    int swig_ores = swig::asptr($input, &swig_optr);
    if (!SWIG_IsOK(swig_ores) || !swig_optr)
    {
        ReportScriptFailure(Swig::DirectorTypeMismatchException(
            SWIG_ErrorType(SWIG_ArgError((swig_optr ? swig_ores : SWIG_TypeError))), "in output value of type '$type'"));
        return StringList();
    }
    $result = *swig_optr;
    if (SWIG_IsNewObj(swig_ores))
        delete swig_optr;
}
