#include "game/TrackGeometry.h"

#include "engine/core/Vector3.h"

#include <cmath>

namespace Mirabel
{
namespace
{

constexpr float kShortestSegment = 0.0001f;

float Length(float x, float y)
{
    return std::sqrt(x * x + y * y);
}

} // namespace

TrackPath BuildTrackPath(const std::vector<OrvaneEngine::Vector2>& centres)
{
    TrackPath path;
    for (const OrvaneEngine::Vector2& centre : centres)
    {
        if (!path.points.empty())
        {
            const OrvaneEngine::Vector2& last = path.points.back();
            if (Length(centre.x - last.x, centre.y - last.y) < kShortestSegment)
                continue;
        }
        path.points.push_back(centre);
    }
    for (std::size_t i = 0; i + 1 < path.points.size(); ++i)
    {
        const OrvaneEngine::Vector2& a = path.points[i];
        const OrvaneEngine::Vector2& b = path.points[i + 1];
        const OrvaneEngine::Vector2 segment(b.x - a.x, b.y - a.y);
        const float length = Length(segment.x, segment.y);
        path.segments.push_back(segment);
        path.lengths.push_back(length);
        path.length += length;
        path.planes.emplace_back(OrvaneEngine::Vector3(a.x, a.y, 0.0f), OrvaneEngine::Vector3(b.x, b.y, 0.0f),
                                 OrvaneEngine::Vector3(b.x, b.y, 1.0f));
    }
    return path;
}

OrvaneEngine::Vector2 PointAtDistance(const TrackPath& path, float distance)
{
    if (path.points.empty())
        return OrvaneEngine::Vector2(0.0f, 0.0f);
    float start = 0.0f;
    for (std::size_t i = 0; i < path.lengths.size(); ++i)
    {
        if (start + path.lengths[i] >= distance)
        {
            const float t = (distance - start) / path.lengths[i];
            return OrvaneEngine::Vector2(path.points[i].x + path.segments[i].x * t,
                                         path.points[i].y + path.segments[i].y * t);
        }
        start += path.lengths[i];
    }
    return path.points.back();
}

float NearestPathDistance(const TrackPath& path, const OrvaneEngine::Vector2& point, bool& left)
{
    float best = 100000.0f;
    float result = 0.0f;
    left = true;
    float start = 0.0f;
    const OrvaneEngine::Vector3 p(point.x, point.y, 0.0f);
    for (std::size_t i = 0; i < path.lengths.size(); ++i)
    {
        const OrvaneEngine::Plane& plane = path.planes[i];
        const float dist = plane.GetDistance(p);
        const float fx = point.x - plane.normal.x * dist;
        const float fy = point.y - plane.normal.y * dist;
        const OrvaneEngine::Vector2& a = path.points[i];
        const OrvaneEngine::Vector2& b = path.points[i + 1];
        const bool onSegment = (a.x - fx) * (b.x - fx) + (a.y - fy) * (b.y - fy) <= 0.0f;
        if (onSegment && std::fabs(dist) < best)
        {
            best = std::fabs(dist);
            result = start + Length(fx - a.x, fy - a.y);
            left = dist < 0.0f;
        }
        start += path.lengths[i];
    }
    return result;
}

} // namespace Mirabel
