#pragma once

// The game's five sound effects, loaded once through the sound device and kept for the
// whole run. A sound that failed to load is simply not played.
enum GameSound
{
    GS_Lie = 0,
    GS_MoneyPickup,
    GS_LieMeterBust,
    GS_StockGoal,
    GS_ConsumerDied,
    GS_Count
};

namespace GameSounds
{
// Loads the five files the first time; later calls do nothing.
void Load();
// Once, at the game's mix volume, which leaves room for several at a time.
void Play(GameSound sound);
} // namespace GameSounds
