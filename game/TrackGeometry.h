#pragma once

#include "engine/core/Plane.h"
#include "engine/core/Vector2.h"

#include <vector>

namespace Mirabel
{

// The polyline a level's train runs along, measured in GUI units from its
// first point. Points closer than a ten-thousandth to the previous kept point
// are dropped, so every segment has a length to divide by.
struct TrackPath
{
    std::vector<OrvaneEngine::Vector2> points;
    std::vector<OrvaneEngine::Vector2> segments;
    std::vector<float> lengths;
    // Vertical through each segment; the signed distance is negative on the
    // left of the direction of travel.
    std::vector<OrvaneEngine::Plane> planes;
    float length = 0.0f;

    bool IsUsable() const { return !lengths.empty(); }
};

TrackPath BuildTrackPath(const std::vector<OrvaneEngine::Vector2>& centres);

// Beyond the end: the last point. Before the start: extrapolated backwards
// along the first segment.
OrvaneEngine::Vector2 PointAtDistance(const TrackPath& path, float distance);

// The distance along the track of the track point nearest to the point, from
// the segments whose perpendicular foot lies on them; ties go to the earlier
// segment. left is true on the left of the direction of travel or when no
// segment holds the foot (the result is then 0).
float NearestPathDistance(const TrackPath& path, const OrvaneEngine::Vector2& point, bool& left);

} // namespace Mirabel
