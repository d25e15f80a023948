#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Mirabel
{

// Placing pieces on the board: the combo, the snap, the texts, the opening of
// blocked places and the cursor kind.

struct ComboStep
{
    std::uint32_t combo;
    // Arcade levels brake the train by the previous combo after a quick placement.
    bool brakes;
    std::uint32_t brakeCombo;
};
// Placements within 2.8 s of each other count 1, 2, 3, 4, 5, 1, ...
ComboStep NextCombo(std::uint32_t combo, float timeSinceLastPlacement);

// A pending tip forbids placing: its snap distance is negative.
float SnapDistance(bool tipPending);

// "+points", and for a combo above 1 a line with the combo text whose
// "%COMBO%" (in any case) becomes the combo.
std::u16string PlacementText(std::uint32_t points, std::uint32_t combo, const std::u16string& comboText);

// A board place as the opening pass sees it.
struct PlaceState
{
    std::uint32_t state; // 0 normal, 1 blocked
    bool shown;
    const std::vector<std::uint32_t>* neighbours;
};
// Opens, in index order, each blocked place with at least one normal
// neighbour whose normal neighbours are all filled. An opened place becomes
// normal and unfilled for the places after it. Returns the opened indices.
// Neighbour indices outside the board are ignored.
std::vector<std::uint32_t> OpenBlockedPlaces(std::vector<PlaceState>& places);

enum CursorKind : std::uint32_t
{
    CursorNormal = 0,
    CursorTip = 1,
    CursorMagnet = 2,
};
std::uint32_t EmptyHandCursorKind(bool tipPending, bool magnetPending);
// While carrying: a showing tip highlight, then a pending magnet, decide;
// otherwise the kind stays as it was.
std::uint32_t CarryingCursorKind(std::uint32_t current, bool anyTipHighlight, bool magnetPending);

} // namespace Mirabel
