#pragma once

#include "engine/render/ShaderDescriptor.h"

#include <array>
#include <cstdint>

namespace OrvaneEngine
{

class MessageManager;
class Shader;
class TimerManager;

// What one drawn object holds: its own copy of the descriptor and an
// animation time per stage, over a shader shared with every equal
// descriptor. Its owner may write the descriptor's fields and the animation
// times (to show a chosen frame); the next update and apply use them. Made and
// deleted only by the shader manager.
class ShaderUser : public ShaderDescriptor
{
public:
    // Counts itself as a user of the shader. A stage with the random-start
    // bit starts at a random time in [0, frame count).
    ShaderUser(MessageManager* log, TimerManager* timers, Shader* shader, const ShaderDescriptor& descriptor);
    // The last user deletes the shader.
    ~ShaderUser() override;
    ShaderUser(const ShaderUser&) = delete;
    ShaderUser& operator=(const ShaderUser&) = delete;

    // Advances every animated stage by its speed and the frame time.
    void Update();
    // Sets the render state for drawing this user.
    void Apply();

    Shader* GetShader() const { return shader; }

    // In frames, one per stage.
    std::array<float, MaxStages> animationTime{0.0f, 0.0f};

private:
    // The manager records the key it filed the user under.
    friend class ShaderManager;

    [[maybe_unused]] MessageManager* log;
    TimerManager* timers;
    Shader* shader;
    // The key at registration: the owner may change the names afterwards.
    std::uint32_t registeredKey = 0;
};

} // namespace OrvaneEngine
