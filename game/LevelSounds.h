#pragma once

#include <cstdint>

namespace Mirabel
{

// The level's entries in the game's sound table, and its music channel.
namespace LevelSound
{
inline constexpr std::uint32_t LevelBegin = 5;
inline constexpr std::uint32_t LevelComplete = 6;
inline constexpr std::uint32_t LevelFailed = 7;
inline constexpr std::uint32_t ElementGet = 8;
// Combo 1 to 5 play ElementPut + combo.
inline constexpr std::uint32_t ElementPut = 8;
inline constexpr std::uint32_t ElementPutBad = 14;
inline constexpr std::uint32_t ElementCancel = 15;
inline constexpr std::uint32_t BonusTip = 16;
inline constexpr std::uint32_t BonusMagnet = 17;
inline constexpr std::uint32_t BonusTipApply = 18;
inline constexpr std::uint32_t BonusMagnetApply = 19;
inline constexpr std::uint32_t BonusPauseApply = 20;
inline constexpr std::uint32_t BonusRollBackApply = 21;
inline constexpr std::uint32_t PathIntroduction = 22;
inline constexpr std::uint32_t PathIntroductionEnd = 23;
inline constexpr std::uint32_t PathBegin = 24;
inline constexpr std::uint32_t PathEnd = 25;
inline constexpr std::uint32_t PathWarning = 26;
inline constexpr std::uint32_t ChargePathScore = 27;

inline constexpr std::uint32_t MusicChannel = 1;
inline constexpr std::uint32_t LevelMusicTrack = 1;
// Music rates are speeds of the fade level: 0.5 takes two seconds.
inline constexpr float MusicFadeOutRate = 0.5f;
inline constexpr float MusicFadeInRate = 0.15f;
} // namespace LevelSound

} // namespace Mirabel
