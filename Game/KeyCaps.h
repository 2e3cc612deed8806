#pragma once

#include "Util/StringUtil.h"

#include <vector>

// Keys and pad buttons drawn as the player sees them on the keyboard and the pad, with
// the labels of Game/KeyLabels.h. Positions are window pixels, origin top left.
namespace KeyCaps
{
constexpr float Height = 40.0f;
constexpr float Gap = 8.0f;

// The width of the cap of an engine key or pad-button code.
float WidthOf(int keyCode);
// Draws the key's cap (a pad button's is round) with its top-left corner at (left, top);
// returns its width.
float Draw(int keyCode, float left, float top);
// Draws the caps side by side, Gap apart; returns the x just after the last.
float DrawRow(const std::vector<int>& keyCodes, float left, float top);
// The width DrawRow takes.
float RowWidth(const std::vector<int>& keyCodes);
} // namespace KeyCaps
