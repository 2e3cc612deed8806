#include "Platform/PlayerStorage.h"

// Files on a disk need nothing more.
void KeepPlayerFiles() {}
