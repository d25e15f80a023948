#pragma once

#include "engine/core/Vector2.h"

#include <cstdint>

namespace OrvaneEngine
{

class Camera;
class Controls;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class Window;

// A pointer image that follows the mouse on the virtual screen. The hot spot
// is the top-left corner of its image.
class GUICursor
{
public:
    static constexpr float Depth = -30.1f;
    static constexpr std::uint32_t TexturedModelFlags = 0x48C11;

    // An s × s textured square hanging down and right of the hot spot.
    GUICursor(MessageManager* log, Window* window, ModelManager* modelManager, Controls* controls, Camera* guiCamera,
              const ShaderDescriptor* descriptor, float size);
    // A copy of the model, or no image at all.
    GUICursor(MessageManager* log, Window* window, ModelManager* modelManager, Controls* controls, Camera* guiCamera,
              const Model* model);
    virtual ~GUICursor();
    GUICursor(const GUICursor&) = delete;
    GUICursor& operator=(const GUICursor&) = delete;

    // Maps the mouse's client pixels to the virtual screen (y upwards). A
    // window without client area keeps the last position.
    void UpdatePosition();
    // Places the image at the position and shows it while visible.
    void Render();

    Model* GetModel() const { return model; }

    bool visible = false;
    Vector2 position{0.0f, 0.0f};

private:
    MessageManager* log;
    Window* window;
    ModelManager* modelManager;
    Controls* controls;
    Camera* guiCamera;
    Model* model = nullptr;
};

} // namespace OrvaneEngine
