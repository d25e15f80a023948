#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace Mirabel
{

// The train as a list of distances along the track, from the back (nearest
// the start) to the front, at least kPieceSpacing apart; and the carriage
// that pushes it once the supply is used up.
constexpr float kPieceSpacing = 60.0f;

struct CarriagePlace
{
    bool shown = false;
    float distance = 0.0f;
};

// Backwards: the front moves and pushes the pieces behind it; the carriage
// follows the back piece or, alone, moves by itself.
void MoveTrainBackward(std::vector<float>& distances, float move, CarriagePlace& carriage);
// Forwards: only the back piece moves by itself (or is pushed by the
// carriage), so a gap stays until the pieces behind close it.
void MoveTrainForward(std::vector<float>& distances, float move, const CarriagePlace& carriage);
// Restores the spacing from the front back; a carriage pushed below 0 is hidden.
void SpaceTrain(std::vector<float>& distances, CarriagePlace& carriage);

// Whether a piece may enter at the start, and the distance it gets there.
bool CanFeed(const std::vector<float>& distances);
float FeedDistance(const std::vector<float>& distances);

// Where a piece put back onto the track goes: the train index it is inserted
// at and its distance.
struct TrainSlot
{
    std::size_t index;
    float distance;
};

// A piece dropped beside the track at distance s, in the first gap wider
// than two spacings that holds s; kept a spacing off the gap's edges.
std::optional<TrainSlot> FindDropSlot(const std::vector<float>& distances, const CarriagePlace& carriage,
                                      float trackLength, float s);
// A piece returned in arcade mode: a spacing in front of the first wide gap.
std::optional<TrainSlot> FindReturnSlot(const std::vector<float>& distances, const CarriagePlace& carriage,
                                        float trackLength);

// The final charge pays 45 checkpoints spread evenly along the track, each at
// most once, from the carriage's distance at the start of the charge on.
constexpr std::uint32_t kCheckpointCount = 45;
std::uint32_t FirstCheckpoint(float chargeStart, float trackLength);
// Moves next past every checkpoint the carriage has reached; returns how many.
std::uint32_t PassCheckpoints(std::uint32_t& next, float carriageDistance, float trackLength);

} // namespace Mirabel
