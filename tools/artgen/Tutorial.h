#pragma once

#include "Text.h"

// The tutorial's pages: 1024 x 768 pictures (the window's size) that teach the game in
// words and scenes made of the game's own art.
namespace Art
{
constexpr int TutorialPageCount = 5;
constexpr int TutorialPageWidth = 1024;
constexpr int TutorialPageHeight = 768;

// `page` counts from 1. The canvas must be TutorialPageWidth x TutorialPageHeight.
void DrawTutorialPage(Canvas& canvas, const Font& font, int page);
} // namespace Art
