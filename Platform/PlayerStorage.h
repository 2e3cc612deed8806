#pragma once

// Makes what the program wrote under the player's folders (Platform/PlayerFolders.h)
// outlast the program. On the desktop the files already do; in the browser they live in
// memory until this copies them to the browser's own storage for the next visit.
void KeepPlayerFiles();
