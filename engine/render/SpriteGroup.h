#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector3.h"
#include "engine/render/Sprite.h"

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{

class Camera;
class CameraManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;

// A fixed pool of camera-facing squares drawn through one procedural model.
// Every update writes the squares in use into the model's vertices, facing
// the camera and, with sort on, farthest first, and sets how many indices
// the model draws. Indices and texture coordinates are written once.
class SpriteGroup
{
public:
    // Coloured static triangle list, depth test without depth writes, blended
    // group, box from the vertices, visible.
    static constexpr std::uint32_t ModelFlags = 0x2C84A9;

    // A null camera means the camera manager's default camera. A count whose
    // vertex or index count would not fit in 32 bits is refused with an
    // error line, and the group has no sprite.
    SpriteGroup(MessageManager* log, CameraManager* cameraManager, ShaderManager* shaderManager,
                ModelManager* modelManager, std::uint32_t count, const ShaderDescriptor& descriptor,
                Camera* camera);
    // Shares the source's managers, count and camera; the model is a copy.
    // Without copySprites every sprite of the copy starts free.
    SpriteGroup(const SpriteGroup& source, bool copySprites);
    virtual ~SpriteGroup();
    SpriteGroup(const SpriteGroup&) = delete;
    SpriteGroup& operator=(const SpriteGroup&) = delete;

    // The index of the sprite taken, with angle 0. When none is free: 0, and
    // nothing changes.
    std::uint32_t AddSprite(const Vector3& position, float size, const Color& color);
    // An index beyond the pool or of a free sprite is ignored, so no index
    // can be handed out twice.
    void RemoveSprite(std::uint32_t index);
    // An index beyond the pool gives a spare record that is never drawn.
    Sprite& GetSprite(std::uint32_t index);
    bool IsVisible() const;
    void SetVisible(bool visible);
    // Writes the squares in use into the model.
    void Update();

    std::uint32_t GetFreeCount() const { return static_cast<std::uint32_t>(freeSprites.size()); }
    std::uint32_t GetCount() const { return count; }
    Model* GetModel() const { return model; }
    Camera* GetCamera() const { return camera; }
    // Top of the stack last.
    const std::vector<std::uint32_t>& GetFreeSprites() const { return freeSprites; }

private:
    void WriteIndicesAndTextureCoordinates();
    // Every sprite free, 0 to count - 1 pushed so that count - 1 is taken first.
    void FreeAllSprites();

    MessageManager* log;
    CameraManager* cameraManager;
    ModelManager* modelManager;
    ShaderManager* shaderManager;
    std::vector<std::uint32_t> freeSprites;
    std::uint32_t count = 0;
    std::vector<Sprite> sprites;
    std::vector<Sprite*> drawList;
    Camera* camera = nullptr;
    Model* model = nullptr;

public:
    // Draw ordered by depth.
    std::uint8_t sort = 1;
    // The average position of the sprites drawn by the last update; (0, 0, 0) when none.
    Vector3 centre{0.0f, 0.0f, 0.0f};
    // Multiplied into every sprite's colour.
    Color color{1.0f, 1.0f, 1.0f, 1.0f};

private:
    Sprite spare;
};

} // namespace OrvaneEngine
