#pragma once

// Plugs sound into the World: Initialize with World::SoundService starts the device (so
// opening the audio device doesn't stall the first sound), every frame delivers the
// finished-sound notifications, and Destroy shuts audio down. Plugging in twice does
// nothing.
void PlugInSound();
