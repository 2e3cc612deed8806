#pragma once

// Plugs the script host into the World: Initialize with World::ScriptingService starts
// the interpreter and runs the start-up script once the console exists, and Destroy
// finalises it and gives back the console from before the scripts. Plugging in twice
// does nothing.
void PlugInScripting();
