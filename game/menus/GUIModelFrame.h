#pragma once

#include <cstdint>

namespace OrvaneEngine
{
class GUIWindow;
}

namespace Mirabel
{

// Picks one frame of a window's model for display: through the model's
// animation when it has frames, else through its texture animation.
class GUIModelFrame
{
public:
    // The frames either way; 1 for a model without any.
    static std::uint32_t Count(const OrvaneEngine::GUIWindow* window);
    // Nothing for a model of one frame.
    static void Set(OrvaneEngine::GUIWindow* window, std::uint32_t frame);
    // Frames named by the data may lie beyond the model's: the last one is shown then.
    static void SetClamped(OrvaneEngine::GUIWindow* window, std::uint32_t frame);
};

} // namespace Mirabel
