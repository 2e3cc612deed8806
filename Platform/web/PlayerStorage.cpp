// The page mounts the browser's storage over the players' data folders and fills it
// before the program starts (Platform/web/pre.js); writing it back is asynchronous, and
// a failure there can only be logged.

#include "Platform/PlayerStorage.h"

#include <emscripten.h>

void KeepPlayerFiles()
{
    EM_ASM({
        if (!Module['playerStorageMounted'])
            return;
        FS.syncfs(
            false, function(error) {
                if (error)
                    err('WARNING: could not keep the player files in the browser storage: ' + error);
            });
    });
}
