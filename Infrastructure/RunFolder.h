#pragma once

#include "Util/StringUtil.h"

// Whether the working directory holds the Resources/ folder the program reads its images,
// sounds, font and scripts from. If not, logs one ERROR line that says where it looked
// and returns false: started elsewhere, every file would fail on its own.
bool FindRunFolder();
