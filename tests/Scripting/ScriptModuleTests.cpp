#include "ScriptTest.h"

#include "Actors/Actor.h"
#include "Infrastructure/Console.h"
#include "Input/MouseListener.h"
#include "Messaging/Switchboard.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/LogCapture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

using ScriptModule = ScriptTest;
using ::testing::HasSubstr;

TEST_F(ScriptModule, ExposesExactlyTheListedNames)
{
    std::ifstream file(TARVO_SOURCE_DIR "/Scripting/ModuleNames.txt");
    ASSERT_TRUE(file) << "the checked-in list of names";
    std::set<std::string> listed;
    for (std::string line; std::getline(file, line);)
        if (!line.empty())
            listed.insert(line);

    std::istringstream live(Eval("'\\n'.join(n for n in dir(__import__('_tarvo')) if not n.startswith('__'))"));
    std::set<std::string> exposed;
    for (std::string line; std::getline(live, line);)
        exposed.insert(line);

    std::vector<std::string> missing;
    std::vector<std::string> extra;
    std::set_difference(listed.begin(), listed.end(), exposed.begin(), exposed.end(), std::back_inserter(missing));
    std::set_difference(exposed.begin(), exposed.end(), listed.begin(), listed.end(), std::back_inserter(extra));
    EXPECT_TRUE(missing.empty()) << "listed but not exposed, e.g. " << (missing.empty() ? "" : missing.front());
    EXPECT_TRUE(extra.empty()) << "exposed but not listed, e.g. " << (extra.empty() ? "" : extra.front());
    // What scripts must not see.
    for (const char* hidden : {"HUDActor", "GameManager", "InputRouter", "Vec2i", "MathKit", "SystemLog"})
        EXPECT_EQ(exposed.count(hidden), 0u) << hidden;
}

TEST_F(ScriptModule, ArgumentErrorsUseTheModulesOwnTexts)
{
    EXPECT_RUNS("from tarvo import *");
    EXPECT_EQ(ErrorOf("SoundDevice.GetInstance().PlaySound(None, 1.0, False, 'x')"),
              "Wrong number of arguments for overloaded function 'SoundDevice_PlaySound'.\n"
              "  Possible C/C++ prototypes are:\n"
              "    SoundDevice::PlaySound(SAMPLE_HANDLE,float,bool,int)\n"
              "    SoundDevice::PlaySound(SAMPLE_HANDLE,float,bool)\n"
              "    SoundDevice::PlaySound(SAMPLE_HANDLE,float)\n"
              "    SoundDevice::PlaySound(SAMPLE_HANDLE)\n");
    EXPECT_EQ(ErrorOf("Switchboard.GetInstance().SubscribeTo(Actor(), 42)"),
              "in method 'Switchboard_SubscribeTo', argument 3 of type 'String'");
    EXPECT_EQ(ErrorOf("ParticleActor().SetGravity(None)"),
              "invalid null reference in method 'ParticleActor_SetGravity', argument 2 of type 'Vector2'");
    EXPECT_EQ(ErrorOf("Console()"), "accessing abstract class or protected constructor");
}

TEST_F(ScriptModule, OverloadsAndDefaultsDispatch)
{
    EXPECT_RUNS("from tarvo import *\n"
                "a = Actor()\n"
                "a.SetSize(2.0)\n"
                "assert (a.GetSize().X, a.GetSize().Y) == (2.0, 2.0)\n"
                "a.SetSize(Vector2(3.0, 1.0))\n"
                "assert a.GetSize() == Vector2(3.0, 1.0)\n"
                "a.SetColor(1, 0, 0)\n"
                "assert (a.GetColor().R, a.GetColor().A) == (1.0, 1.0)\n"
                "assert Color(255, 0, 0) == Color(1.0, 0.0, 0.0)\n"
                "assert Color('#0xff0000') == Color(1.0, 0.0, 0.0)\n"
                "a.MoveTo(Vector2(1.0, 1.0), 0.5)\n"
                "assert Vector2.Distance(Vector2(0.0, 0.0), Vector2(3.0, 4.0)) == 5.0\n"
                "assert -Vector2(1.0, 2.0) == Vector2(-1.0, -2.0)\n"
                "assert (Vector2(1.0, 2.0) + cvar.Vector2_One) * 2.0 == Vector2(4.0, 6.0)\n");
}

TEST_F(ScriptModule, ConstantsAndGlobals)
{
    EXPECT_RUNS("import _tarvo\n"
                "assert (_tarvo.MOUSE_LEFT, _tarvo.MOUSE_MIDDLE, _tarvo.MOUSE_RIGHT) == (0, 1, 2)\n"
                "assert (_tarvo.SAT_None, _tarvo.SAT_Loop, _tarvo.SAT_PingPong, _tarvo.SAT_OneShot) == (0, 1, 2, 3)\n"
                "assert (_tarvo.ADS_Square, _tarvo.ADS_Circle) == (0, 1)\n"
                "assert (_tarvo.PhysicsActor_SHAPETYPE_BOX, _tarvo.PhysicsActor_SHAPETYPE_CIRCLE) == (0, 1)\n"
                "import tarvo\n"
                "assert tarvo.cvar.Vector2_UnitY.Y == 1.0\n"
                "tarvo.cvar.Vector2_One = tarvo.Vector2(2.0, 2.0)\n");
    EXPECT_EQ(Vector2::One, Vector2(2.0f, 2.0f)) << "the globals are the engine's own";
    Vector2::One = Vector2(1.0f, 1.0f);
}

TEST_F(ScriptModule, ContainersBehaveLikePythonSequencesAndSets)
{
    EXPECT_RUNS("from tarvo import *\n"
                "names = StringList(['b', 'a'])\n"
                "names.append('c')\n"
                "assert list(names) == ['b', 'a', 'c'] and len(names[1:]) == 2 and names\n"
                "assert not StringList() and len(StringList(3, 'x')) == 3\n"
                "points = VectorList()\n"
                "points.push_back(Vector2(1.0, 2.0))\n"
                "assert points[0].Y == 2.0\n"
                "a, b = Actor(), TextActor()\n"
                "a.Tag('red, round')\n"
                "b.Tag('red')\n"
                "assert sorted(TagCollection.GetInstance().GetTagList()) == ['red', 'round']\n"
                "tagged = TagCollection.GetInstance().GetObjectsTagged('red')\n"
                "assert len(tagged) == 2\n"
                "assert sorted(type(x).__name__ for x in tagged) == ['Actor', 'TextActor']\n"
                "assert 'round' in a.GetTags()\n"
                "actors = ActorSet()\n"
                "actors.insert(a)\n"
                "actors.insert(a)\n"
                "assert len(actors) == 1 and a in actors\n"
                "assert [type(x).__name__ for x in ActorList([b, a])] == ['TextActor', 'Actor']\n");
}

TEST_F(ScriptModule, ActorsComeBackAsTheMostDerivedClass)
{
    EXPECT_RUNS("from tarvo import *\n"
                "t = TextActor('Console', 'hello')\n"
                "World.GetInstance().Add(t)\n"
                "found = Actor.GetNamed(t.GetName())\n"
                "assert isinstance(found, TextActor), type(found)\n"
                "assert found.GetDisplayString() == 'hello'\n"
                "assert Actor.GetNamed('nobody') is None\n"
                "assert isinstance(t.GetSelf(), TextActor)\n");
}

TEST_F(ScriptModule, ScriptSubclassesAreCalledByTheEngine)
{
    FrameDriver frames;
    EXPECT_RUNS("from tarvo import *\n"
                "class Counter(Actor):\n"
                "    def __init__(self):\n"
                "        Actor.__init__(self)\n"
                "        self.updates = 0\n"
                "        self.heard = []\n"
                "    def Update(self, dt):\n"
                "        self.updates += 1\n"
                "        Actor.Update(self, dt)\n"
                "    def ReceiveMessage(self, message):\n"
                "        self.heard.append(message.GetMessageName())\n"
                "    def GetClassName(self):\n"
                "        return 'Counter'\n"
                "c = Counter()\n"
                "World.GetInstance().Add(c)\n"
                "Switchboard.GetInstance().SubscribeTo(c, 'Ping')\n"
                "assert Switchboard.GetInstance().GetSubscribersTo('Ping') == (c,)\n"
                "Switchboard.GetInstance().Broadcast(Message('Ping'))\n"
                "c.MoveTo(Vector2(4.0, 0.0), 1.0)\n");
    frames.Tick(0.5f);
    frames.Tick(0.5f);
    EXPECT_EQ(Eval("c.updates"), "2");
    EXPECT_EQ(Eval("c.heard"), "['Ping']");
    EXPECT_EQ(Eval("c.GetName()"), "Counter") << "the engine asked the script for the class name";
    EXPECT_EQ(Eval("c.GetPosition().X"), "4.0") << "the base class's Update still runs the tween";
    Actor* engineSide = Actor::GetNamed("Counter");
    ASSERT_NE(engineSide, nullptr);
    EXPECT_EQ(engineSide->GetClassName(), "Counter");
}

TEST_F(ScriptModule, AScriptConsoleSubclassWorks)
{
    EXPECT_RUNS("from tarvo import *\n"
                "class Upper(Console):\n"
                "    def __init__(self):\n"
                "        Console.__init__(self)\n"
                "    def Execute(self, line):\n"
                "        self.WriteToOutput(line.upper())\n"
                "    def GetCompletions(self, line):\n"
                "        return [line + 'x', line + 'y']\n"
                "World.GetInstance().RegisterConsole(Upper())\n");
    Console* console = World::GetInstance().GetConsole();
    ASSERT_NE(console, nullptr);
    console->Execute("shout");
    EXPECT_EQ(console->GetOutputLines().back(), "SHOUT");
    EXPECT_EQ(console->GetCompletions("ab"), (StringList{"abx", "aby"}));
    EXPECT_RUNS("import gc\ngc.collect()") << "the registered console outlives its Python name";
    console->Execute("still here");
    EXPECT_EQ(console->GetOutputLines().back(), "SHOUTSTILL HERE");
}

TEST_F(ScriptModule, FailingOverridesAreReportedAndTheEngineGoesOn)
{
    LogCapture log;
    FrameDriver frames;
    EXPECT_RUNS("from tarvo import *\n"
                "class Broken(Actor):\n"
                "    def Update(self, dt):\n"
                "        1 / 0\n"
                "    def GetClassName(self):\n"
                "        return 42\n"
                "class AlsoBroken(Actor):\n"
                "    def Update(self, dt):\n"
                "        [][1]\n"
                "class BadConsole(Console):\n"
                "    def Execute(self, line):\n"
                "        raise ValueError('no ' + line)\n"
                "    def GetCompletions(self, line):\n"
                "        return 7\n"
                "World.GetInstance().Add(Broken())\n"
                "World.GetInstance().Add(AlsoBroken())\n"
                "bad = BadConsole()\n"
                "World.GetInstance().RegisterConsole(bad)\n");
    EXPECT_TRUE(log.Contains("ERROR: Swig director type mismatch in output value of type 'String const'"))
        << "World.Add asked for the class name";
    frames.Tick(0.1f);
    frames.Tick(0.1f);
    EXPECT_EQ(PyErr_Occurred(), nullptr);
    EXPECT_EQ(log.Count("ERROR: Swig director method error. Error detected when calling 'Actor.Update'"), 2u)
        << "two failures, each reported once although both recur every frame";
    Console* console = World::GetInstance().GetConsole();
    console->Execute("way");
    EXPECT_EQ(console->GetCompletions("abc"), StringList());
    EXPECT_TRUE(log.Contains("ERROR: Swig director method error. Error detected when calling 'Console.Execute'"));
    EXPECT_TRUE(log.Contains("ERROR: Swig director type mismatch in output value of type 'StringList'"));
    std::string output;
    for (const String& line : console->GetOutputLines())
        output += line + "\n";
    EXPECT_NE(output.find("ZeroDivisionError"), std::string::npos) << output;
    EXPECT_NE(output.find("ValueError: no way"), std::string::npos) << output;
    EXPECT_NE(output.find("TypeError: Swig director type mismatch"), std::string::npos) << output;
    EXPECT_EQ(output.find("SWIG"), std::string::npos) << "the runtime's own words stay out: " << output;
    EXPECT_EQ(Eval("1 + 1"), "2") << "the interpreter is fine afterwards";
}

TEST_F(ScriptModule, MessagesPassToTheSwitchboardAndAreFreedOnce)
{
    FrameDriver frames;
    EXPECT_RUNS("from tarvo import *\n"
                "class Keeper(Actor):\n"
                "    kept = None\n"
                "    def ReceiveMessage(self, message):\n"
                "        Keeper.kept = message\n"
                "k = Keeper()\n"
                "World.GetInstance().Add(k)\n"
                "Switchboard.GetInstance().SubscribeTo(k, 'Hello')\n"
                "m = Message('Hello')\n"
                "Switchboard.GetInstance().Broadcast(m)\n"
                "Switchboard.GetInstance().DeferredBroadcast(Message('Hello'), 0.1)\n");
    frames.Tick(0.05f);
    frames.Tick(0.1f);
    frames.Tick(0.1f);
    // The Switchboard deleted both; the script's names can no longer reach them.
    EXPECT_RUNS("import gc\ngc.collect()");
    EXPECT_THAT(ErrorOf("m.GetMessageName()"), HasSubstr("in method 'Message_GetMessageName'"));
    EXPECT_THAT(ErrorOf("Keeper.kept.GetMessageName()"), HasSubstr("in method 'Message_GetMessageName'"));
}

TEST_F(ScriptModule, ListenersHandedToScriptsFailCleanlyOnceDeleted)
{
    // A listener that is no actor (a screen, a manager), as a subscriber and as a sender.
    struct Plain : MessageListener
    {
        void ReceiveMessage(Message*) override {}
    };
    FrameDriver frames;
    auto* listener = new Plain();
    Switchboard::GetInstance().SubscribeTo(listener, "Listen");
    EXPECT_RUNS("from tarvo import *\n"
                "(subscriber,) = Switchboard.GetInstance().GetSubscribersTo('Listen')\n"
                "class Keeper(Actor):\n"
                "    sender = None\n"
                "    def ReceiveMessage(self, message):\n"
                "        Keeper.sender = message.GetSender()\n"
                "k = Keeper()\n"
                "World.GetInstance().Add(k)\n"
                "Switchboard.GetInstance().SubscribeTo(k, 'Heard')\n");
    Switchboard::GetInstance().Broadcast(new Message("Heard", listener));
    frames.Tick(0.1f);
    EXPECT_EQ(Eval("Keeper.sender is not None"), "True");
    delete listener;
    EXPECT_THAT(ErrorOf("subscriber.ReceiveMessage(Message('x'))"), HasSubstr("argument 1"));
    EXPECT_THAT(ErrorOf("Keeper.sender.ReceiveMessage(Message('x'))"), HasSubstr("argument 1"));
    EXPECT_RUNS("del subscriber, k\nKeeper.sender = None");
}

TEST_F(ScriptModule, EngineHeldActorsOutliveTheirScriptNamesAndFailCleanlyOnceDeleted)
{
    FrameDriver frames;
    EXPECT_RUNS("from tarvo import *\n"
                "import gc\n"
                "class Spinner(Actor):\n"
                "    def Update(self, dt):\n"
                "        self.SetRotation(self.GetRotation() + 90.0)\n"
                "World.GetInstance().Add(Spinner().__disown__())\n"
                "World.GetInstance().Add(Spinner())\n"
                "gc.collect()\n");
    frames.Tick(0.1f);
    int spinners = 0;
    for (Renderable* element : World::GetInstance().GetElements())
        if (auto* actor = dynamic_cast<Actor*>(element); actor && actor->GetClassName() == "Actor")
            spinners += actor->GetRotation() == 90.0f ? 1 : 0;
    EXPECT_EQ(spinners, 2) << "both still update through Python";

    EXPECT_RUNS("plain = Actor()\n"
                "World.GetInstance().Add(plain)\n"
                "spinner = Spinner()\n"
                "World.GetInstance().Add(spinner)\n"
                "again = Actor.GetNamed(plain.GetName())\n"
                "early = Actor()\n"
                "early.Tag('early')\n"
                "(looked,) = TagCollection.GetInstance().GetObjectsTagged('early')\n"
                "World.GetInstance().Add(early)\n"
                "plain.Destroy()\n"
                "early.Destroy()\n"
                "spinner.Destroy()\n");
    frames.Tick(0.1f);
    EXPECT_THAT(ErrorOf("plain.SetPosition(1.0, 2.0)"), HasSubstr("'Actor_SetPosition'"));
    EXPECT_THAT(ErrorOf("again.GetName()"), HasSubstr("argument 1"));
    EXPECT_THAT(ErrorOf("spinner.GetRotation()"), HasSubstr("argument 1"));
    EXPECT_THAT(ErrorOf("early.GetName()"), HasSubstr("argument 1")) << "looked up before it was added";
    EXPECT_THAT(ErrorOf("looked.GetName()"), HasSubstr("argument 1"));
    EXPECT_RUNS("del plain, again, spinner, early, looked\ngc.collect()");
}

TEST_F(ScriptModule, StopGameFromAScriptEndsTheLoop)
{
    EXPECT_RUNS("from tarvo import *\n"
                "class Stopper(Actor):\n"
                "    def Update(self, dt):\n"
                "        World.GetInstance().StopGame()\n"
                "World.GetInstance().Add(Stopper())\n");
    FrameDriver frames;
    frames.Tick(0.1f);
    EXPECT_FALSE(World::GetInstance().IsRunning());
}

TEST_F(ScriptModule, APureOperationWithoutAnOverrideSaysSo)
{
    LogCapture log;
    EXPECT_RUNS("from tarvo import *\n"
                "class Mute(Console):\n"
                "    pass\n"
                "mute = Mute()\n"
                "World.GetInstance().RegisterConsole(mute)\n");
    EXPECT_EQ(ErrorOf("Console.Execute(mute, 'x')"), "Swig director pure virtual method called Console::Execute");
    Console* console = World::GetInstance().GetConsole();
    ASSERT_NE(console, nullptr);
    console->Execute("hello");
    EXPECT_EQ(console->GetCompletions("abc"), StringList());
    EXPECT_TRUE(log.Contains("ERROR: Swig director pure virtual method called Console::Execute"));
    EXPECT_TRUE(log.Contains("ERROR: Swig director pure virtual method called Console::GetCompletions"));
    for (const String& line : log.lines)
        EXPECT_EQ(line.find("method error"), String::npos) << "reported as what it is, not as a failing override";
    EXPECT_EQ(PyErr_Occurred(), nullptr);
}

TEST_F(ScriptModule, SystemExitInAnOverrideIsOneLineAndTheGameGoesOn)
{
    LogCapture log;
    FrameDriver frames;
    EXPECT_RUNS("from tarvo import *\n"
                "import sys\n"
                "class Quitter(Actor):\n"
                "    def Update(self, dt):\n"
                "        sys.exit(2)\n"
                "World.GetInstance().Add(Quitter())\n"
                "class Echo(Console):\n"
                "    def Execute(self, line):\n"
                "        exit()\n"
                "    def GetCompletions(self, line):\n"
                "        return []\n"
                "World.GetInstance().RegisterConsole(Echo())\n");
    frames.Tick(0.1f);
    frames.Tick(0.1f);
    World::GetInstance().GetConsole()->Execute("anything");
    EXPECT_EQ(log.Count("ERROR: Swig director method error. Error detected when calling 'Actor.Update': SystemExit "
                        "does not end the game; World.GetInstance().StopGame() does"),
              1u);
    EXPECT_TRUE(log.Contains("ERROR: Swig director method error. Error detected when calling 'Console.Execute': "
                             "SystemExit does not end the game; World.GetInstance().StopGame() does"));
    std::string output;
    for (const String& line : World::GetInstance().GetConsole()->GetOutputLines())
        output += line + "\n";
    EXPECT_EQ(output.find("Traceback"), std::string::npos) << output;
}

TEST_F(ScriptModule, ScriptMouseListenersHearTheMouse)
{
    EXPECT_RUNS("from tarvo import *\n"
                "class Clicks(MouseListener):\n"
                "    def __init__(self):\n"
                "        MouseListener.__init__(self)\n"
                "        self.events = []\n"
                "    def MouseMotionEvent(self, position):\n"
                "        self.events.append(('move', position))\n"
                "        MouseListener.MouseMotionEvent(self, position)\n"
                "    def MouseDownEvent(self, position, button):\n"
                "        self.events.append(('down', position, button))\n"
                "    def MouseUpEvent(self, position, button):\n"
                "        self.events.append(('up', position, button == MOUSE_RIGHT))\n"
                "class Plain(MouseListener):\n"
                "    pass\n"
                "clicks = Clicks()\n"
                "plain = Plain()\n");
    MouseInput::OnMotion(10, 20);
    MouseInput::OnButton(0, true);
    MouseInput::OnButton(1, false);
    EXPECT_EQ(Eval("clicks.events"), "[('move', (10, 20)), ('down', (10, 20), 0), ('up', (10, 20), True)]");
    EXPECT_THAT(ErrorOf("MouseListener.MouseMotionEvent(clicks, 'x')"), HasSubstr("of type 'Vec2i'"));

    // A listener whose object is gone hears nothing more, and nothing breaks.
    EXPECT_RUNS("del clicks, plain\nimport gc\ngc.collect()");
    MouseInput::OnMotion(1, 2);
    EXPECT_EQ(PyErr_Occurred(), nullptr);
}
