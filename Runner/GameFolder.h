#pragma once

#include "Util/StringUtil.h"

// The start script every game folder holds.
extern const char* const GameStartScript;

// One line saying why `folder` can't be played (missing, not a folder, unreadable, a name
// that is not UTF-8, no main.py, a main.py that is no readable file or a link that
// loops), or empty when it can be.
String ProblemWithGameFolder(const String& folder);
