#pragma once

#include "Util/StringUtil.h"

#include <unordered_map>

// The names keys and game-pad buttons go by in binding files and input scripts
// ("A", "SPACE", "F1", "KP_ENTER", "P1BUTTON_A", ...), with the engine's codes for them.
namespace KeyNames
{
// The bindable buttons of the first and the second pad have codes from these on, in
// Controller::IsBindableButtonDown's order.
constexpr int FirstPadButton = 1000;
constexpr int SecondPadButton = 1020;
constexpr int PadButtonCount = 12;

// Upper-case names to codes; letters have their lower-case codes. Built on first use,
// apart from the router: reading an input script names keys before the program has found
// its run folder and player folder, whose bindings the router reads.
const std::unordered_map<String, int>& Table();
} // namespace KeyNames
