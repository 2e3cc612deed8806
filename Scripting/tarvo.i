// The script module: the engine as the embedded interpreter sees it. SWIG turns this
// file and the per-folder files it includes into the built-in module _tarvo and the
// shadow module tarvo.py at build time.

// The docstrings, which the build makes from the comments above the declarations here
// and in the engine headers (tools/script-docstrings.py), and the module's own. First,
// since a feature reaches only what is declared after it.
%include "tarvo_docstrings.i"
%module(directors="1", docstring=TARVO_MODULE_DOCSTRING) tarvo

// Keep C++ default arguments on the C++ side, so every call goes through the overload
// dispatch and its error texts.
%feature("python:cdefaultargs");

%{
#include "Actors/Actor.h"
#include "Actors/ParticleActor.h"
#include "Actors/Renderable.h"
#include "Actors/TagCollection.h"
#include "Actors/TextActor.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Input/Controller.h"
#include "Input/ControllerManager.h"
#include "Input/InputPolling.h"
#include "Input/MouseListener.h"
#include "Messaging/Message.h"
#include "Messaging/MessageListener.h"
#include "Messaging/Switchboard.h"
#include "Physics/PhysicsActor.h"
#include "Physics/PhysicsWorld.h"
#include "Platform/Log.h"
#include "Scripting/ScriptFailure.h"
#include "Scripting/ScriptHost.h"
#include "Sound/SoundDevice.h"
#include "Util/Color.h"
#include "Util/Vector2.h"
%}

%include <std_string.i>
%include <std_vector.i>
%include <std_set.i>

typedef std::string String;
typedef int GLint;

%include "MainThread.i"
%include "ScriptErrors.i"
%include "Runtime.i"
%include "Util.i"
%include "Messaging.i"
%include "Actors.i"
%include "Infrastructure.i"
%include "Input.i"
%include "Sound.i"
%include "Physics.i"
