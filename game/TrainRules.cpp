#include "game/TrainRules.h"

#include <algorithm>

namespace Mirabel
{
namespace
{

constexpr float kEpsilon = 0.0001f;

bool IsWideGap(float lo, float hi)
{
    return hi - lo + kEpsilon > 2.0f * kPieceSpacing;
}

float CheckpointDistance(std::uint32_t k, float trackLength)
{
    return static_cast<float>(k) * trackLength / static_cast<float>(kCheckpointCount - 1);
}

} // namespace

void MoveTrainBackward(std::vector<float>& distances, float move, CarriagePlace& carriage)
{
    if (!distances.empty())
    {
        distances.back() += move;
        for (std::size_t i = distances.size() - 1; i-- > 0;)
            distances[i] = std::min(distances[i], distances[i + 1] - kPieceSpacing);
    }
    if (!carriage.shown)
        return;
    if (distances.empty())
        carriage.distance += move;
    else
        carriage.distance = std::min(carriage.distance, distances.front() - kPieceSpacing);
}

void MoveTrainForward(std::vector<float>& distances, float move, const CarriagePlace& carriage)
{
    if (distances.empty())
        return;
    if (carriage.shown)
        distances.front() = std::max(distances.front(), carriage.distance + kPieceSpacing);
    else
        distances.front() += move;
    for (std::size_t i = 1; i < distances.size(); ++i)
        distances[i] = std::max(distances[i], distances[i - 1] + kPieceSpacing);
}

void SpaceTrain(std::vector<float>& distances, CarriagePlace& carriage)
{
    for (std::size_t i = distances.size(); i-- > 1;)
    {
        if (distances[i] - distances[i - 1] - kEpsilon < kPieceSpacing)
            distances[i - 1] = distances[i] - kPieceSpacing;
    }
    if (!carriage.shown)
        return;
    if (!distances.empty() && distances.front() - carriage.distance - kEpsilon < kPieceSpacing)
        carriage.distance = distances.front() - kPieceSpacing;
    if (carriage.distance < 0.0f)
        carriage.shown = false;
}

bool CanFeed(const std::vector<float>& distances)
{
    return distances.empty() || distances.front() >= kPieceSpacing;
}

float FeedDistance(const std::vector<float>& distances)
{
    return distances.empty() ? 0.0f : distances.front() - kPieceSpacing;
}

std::optional<TrainSlot> FindDropSlot(const std::vector<float>& distances, const CarriagePlace& carriage,
                                      float trackLength, float s)
{
    const float end = trackLength + kPieceSpacing;
    if (distances.empty() && !carriage.shown)
        return TrainSlot{0, s};
    if (distances.empty())
    {
        if (carriage.distance <= s && s <= end && IsWideGap(carriage.distance, end))
            return TrainSlot{0, s};
        return std::nullopt;
    }
    const std::size_t n = distances.size();
    for (std::size_t k = 0; k <= n; ++k)
    {
        const float hi = k < n ? distances[k] : end;
        const float lo = k > 0 ? distances[k - 1] : (carriage.shown ? carriage.distance : -kPieceSpacing);
        if (s < lo || s > hi || !IsWideGap(lo, hi))
            continue;
        const float a = hi - s;
        const float b = s - lo;
        if (a + kEpsilon <= kPieceSpacing || b + kEpsilon <= kPieceSpacing)
            return TrainSlot{k, a <= b ? hi - kPieceSpacing : lo + kPieceSpacing};
        return TrainSlot{k, s};
    }
    return std::nullopt;
}

std::optional<TrainSlot> FindReturnSlot(const std::vector<float>& distances, const CarriagePlace& carriage,
                                        float trackLength)
{
    if (distances.empty() && !carriage.shown)
        return TrainSlot{0, 0.0f};
    if (distances.empty())
    {
        if (trackLength - carriage.distance + kEpsilon > kPieceSpacing)
            return TrainSlot{0, carriage.distance + kPieceSpacing};
        return std::nullopt;
    }
    const std::size_t n = distances.size();
    for (std::size_t k = 0; k <= n; ++k)
    {
        const float hi = k < n ? distances[k] : trackLength + kPieceSpacing;
        const float lo = k > 0 ? distances[k - 1] : (carriage.shown ? carriage.distance : -kPieceSpacing);
        if (IsWideGap(lo, hi))
            return TrainSlot{k, lo + kPieceSpacing};
    }
    return std::nullopt;
}

std::uint32_t FirstCheckpoint(float chargeStart, float trackLength)
{
    std::uint32_t k = 0;
    while (k < kCheckpointCount && CheckpointDistance(k, trackLength) < chargeStart - kEpsilon)
        ++k;
    return k;
}

std::uint32_t PassCheckpoints(std::uint32_t& next, float carriageDistance, float trackLength)
{
    std::uint32_t passed = 0;
    while (next < kCheckpointCount && CheckpointDistance(next, trackLength) <= carriageDistance + kEpsilon)
    {
        ++next;
        ++passed;
    }
    return passed;
}

} // namespace Mirabel
