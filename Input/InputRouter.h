#pragma once

#include "Input/MouseListener.h"
#include "Util/StringUtil.h"
#include "Util/Vector2.h"

#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class Controller;
class KeyBinding;

// Key and pad-button bindings read from the player's input_bindings.ini (see
// Platform/PlayerFolders.h) or else from Config/input_bindings.ini, and direct key
// queries. Key codes: printable keys by their lower-case character, special keys
// 257..318 (see Platform/KeyCodes.h), pad buttons 1000..1011 (first pad) and 1020..1031.
//
// While the World's console is open it owns the keyboard and the pads: no press or
// release reaches the bindings and IsKeyDown answers false. Opening it releases every key
// and button the bindings saw held (their release messages are sent then), and a key or
// button the console had counts again only after it is let go and pressed anew, so
// closing the console leaves nothing stuck and fires nothing by itself.
class InputRouter
{
public:
    // Created on first use and never deleted; creation reads the binding file.
    static InputRouter& GetInstance();

    // The code for a key name (any case), or -1 for an unknown name. The names need no
    // router: asking them reads no binding file.
    static int GetKeyCode(const String& keyName);
    // The upper-case name of a code, or an empty text for a code without one.
    static String GetKeyName(int keyCode);
    // `binding` is a press message, "+message" (press) or "-message" (release). An empty
    // text or an unknown key name binds nothing, silently.
    void BindKey(const String& keyName, const String& binding);
    // Fires the press message bound to the key (letters in either case) and counts the
    // key as held. Returns true when the key is bound at all, even to an empty press message.
    bool OnKeyDown(int keyCode);
    // Fires the release message bound to the key, if its press reached OnKeyDown and the
    // console has not taken it since; a release the bindings never saw pressed sends nothing.
    void OnKeyUp(int keyCode);
    // The binding of exactly this code, or null.
    KeyBinding* GetBinding(int keyCode) const;
    // Sends the press and release messages of the pad's buttons that changed since the
    // last poll, in a fixed button order. Logs "Bad controller ID." for a pad other than 0 or 1.
    void PollPadButtons(Controller& controller);
    // Whether the key or pad button is held now for the game: pressed (on the keyboard or
    // by an input script) since the console last had it, and not released. False while the
    // console is open, without an open window unless scripted, and for a pad that is absent.
    bool IsKeyDown(int keyCode) const;
    // The same for a key or pad-button name in any case ("SPACE", "a", "LEFT_ARROW",
    // "P1BUTTON_A"); false for a name that is no key.
    bool IsKeyDown(const String& keyName) const;
    // Whether a key or pad button whose press message is `action` (as the binding file
    // binds it: "Jump" for "SPACE = Jump") is held now for the game.
    bool IsActionDown(const String& action) const;
    // Where the mouse pointer was at its last move, in world units on the play field as
    // the camera shows it now.
    Vector2 GetMousePosition() const;
    // Whether the mouse button is held now; the console never takes the mouse.
    bool IsMouseButtonDown(MouseButtonInput button) const;
    // Whether the key is down on the keyboard or by an input script, whoever owns it: for
    // the console's own use (Shift while typing).
    bool IsKeyDownOnKeyboard(int keyCode) const;
    // The key and pad-button codes whose press message is `pressMessage`, in ascending order.
    std::vector<int> GetKeysBoundTo(const String& pressMessage) const;
    // Whether the World's console is open, and owns the keyboard and the pads.
    static bool IsConsoleOpen();
    // Hands the keys to the console when it has opened since the last call. The console
    // calls it when it opens or closes; the key callback and the pad poll call it too, for
    // a console registered in the place of an open one.
    void FollowConsole();
    // Holds or releases a key for IsKeyDown on behalf of an input script.
    void SetScriptedKey(int keyCode, bool down);

    // Reads a binding file; a missing one binds nothing and says nothing. One that is
    // there but is no regular file (a folder, a FIFO), is over 1 MiB or can't be read
    // binds nothing and logs one WARNING; it is never waited on.
    void ReadBindingFile(const String& fileName);
    // Binds the lines of a binding file. A UTF-8 byte-order mark before the first line is
    // skipped; a line with an unknown key name or no separator logs one WARNING naming
    // `sourceName` and the line number, and the other lines still bind.
    void ReadBindings(const StringList& lines, const String& sourceName);
    // Forgets every binding (the World's shutdown).
    void ClearBindings();

private:
    InputRouter();
    // The player's own binding file when there is one, else the shipped one. A player's
    // file that exists but can't be read logs one WARNING and the shipped one is read.
    void ReadStartBindings();

    std::unordered_map<int, KeyBinding*> bindings;
    std::unordered_map<int, bool> firstPadButtons;
    std::unordered_map<int, bool> secondPadButtons;
    std::unordered_set<int> scriptedKeys;
    // Keys and pad buttons whose press the bindings heard and whose release they haven't;
    // ordered, so that the console's releases broadcast in the same order on every run.
    std::set<int> heldForGame;
    bool consoleWasOpen = false;
};

// Letters in the window layer's upper case (65..90) become the bindable lower-case codes.
int LowerCaseKeyCode(int keyCode);
