#include "engine/render/SpriteGroup.h"

#include "engine/core/Matrix4.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint32_t VerticesPerSprite = 4;
constexpr std::uint32_t IndicesPerSprite = 6;
// Indices are written through a small buffer, so a large pool needs no
// second copy of its index list.
constexpr std::uint32_t SpritesPerBatch = 1024;

// Larger keys first; a NaN key (from a NaN position) after every number, so
// the order stays strict and weak whatever the positions are.
bool DrawnBefore(const Sprite* a, const Sprite* b)
{
    if (std::isnan(a->depthKey))
        return false;
    if (std::isnan(b->depthKey))
        return true;
    return a->depthKey > b->depthKey;
}

std::uint32_t CheckedCount(MessageManager* log, std::uint32_t count)
{
    const std::uint64_t indices = static_cast<std::uint64_t>(count) * IndicesPerSprite;
    if (indices <= std::numeric_limits<std::uint32_t>::max())
        return count;
    log->Error("SpriteGroup: " + UIntToString(count, 0) + " sprites need more than 2^32 indices; the group is empty");
    return 0;
}

} // namespace

SpriteGroup::SpriteGroup(MessageManager* log_, CameraManager* cameraManager_, ShaderManager* shaderManager_,
                         ModelManager* modelManager_, std::uint32_t count_, const ShaderDescriptor& descriptor,
                         Camera* camera_)
    : log(log_), cameraManager(cameraManager_), modelManager(modelManager_), shaderManager(shaderManager_),
      count(CheckedCount(log_, count_)), sprites(count), drawList(count),
      camera(camera_ != nullptr ? camera_ : cameraManager_->defaultCamera)
{
    model = modelManager->CreateModel(ModelFlags, count * VerticesPerSprite, count * IndicesPerSprite, 1,
                                      &descriptor, camera);
    WriteIndicesAndTextureCoordinates();
    FreeAllSprites();
}

SpriteGroup::SpriteGroup(const SpriteGroup& source, bool copySprites)
    : log(source.log), cameraManager(source.cameraManager), modelManager(source.modelManager),
      shaderManager(source.shaderManager), count(source.count), sprites(source.count), drawList(source.count),
      camera(source.camera), sort(source.sort), centre(source.centre), color(source.color)
{
    model = modelManager->CloneModel(source.model, nullptr, 0);
    if (copySprites)
    {
        freeSprites = source.freeSprites;
        sprites = source.sprites;
    }
    else
    {
        // The source's stack lacks the sprites it has in use; with all sprites
        // free here, that stack would leave some never handed out and others
        // pushed twice once their owners give them back.
        FreeAllSprites();
    }
}

SpriteGroup::~SpriteGroup()
{
    modelManager->ReleaseModel(model);
}

void SpriteGroup::WriteIndicesAndTextureCoordinates()
{
    IndexBuffer* indexBuffer = model->GetIndexBuffer();
    std::vector<std::uint32_t> batch;
    batch.reserve(static_cast<std::size_t>(std::min(count, SpritesPerBatch)) * IndicesPerSprite);
    for (std::uint32_t first = 0; first < count; first += SpritesPerBatch)
    {
        const std::uint32_t last = first + std::min(SpritesPerBatch, count - first);
        batch.clear();
        for (std::uint32_t i = first; i < last; ++i)
        {
            const std::uint32_t v = i * VerticesPerSprite;
            batch.insert(batch.end(), {v, v + 1, v + 2, v + 2, v + 1, v + 3});
        }
        indexBuffer->SetIndices(first * IndicesPerSprite, static_cast<std::uint32_t>(batch.size()), batch.data());
    }

    VertexBuffer* vertexBuffer = model->GetVertexBuffer();
    ColoredVertex* vertices = vertexBuffer->LockColoredVertices(0, count * VerticesPerSprite);
    for (std::uint32_t i = 0; i < count; ++i)
    {
        ColoredVertex* quad = vertices + static_cast<std::size_t>(i) * VerticesPerSprite;
        quad[0].u = 0.0f;
        quad[0].v = 0.0f;
        quad[1].u = 0.0f;
        quad[1].v = 1.0f;
        quad[2].u = 1.0f;
        quad[2].v = 0.0f;
        quad[3].u = 1.0f;
        quad[3].v = 1.0f;
    }
    vertexBuffer->Unlock();
}

void SpriteGroup::FreeAllSprites()
{
    freeSprites.clear();
    freeSprites.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
    {
        sprites[i].free = 1;
        freeSprites.push_back(i);
    }
}

std::uint32_t SpriteGroup::AddSprite(const Vector3& position, float size, const Color& spriteColor)
{
    if (freeSprites.empty())
        return 0;
    const std::uint32_t index = freeSprites.back();
    freeSprites.pop_back();
    Sprite& sprite = sprites[index];
    sprite.free = 0;
    sprite.position = position;
    sprite.size = size;
    sprite.angle = 0.0f;
    sprite.color = spriteColor;
    return index;
}

void SpriteGroup::RemoveSprite(std::uint32_t index)
{
    if (index >= count || sprites[index].free)
        return;
    sprites[index].free = 1;
    freeSprites.push_back(index);
}

Sprite& SpriteGroup::GetSprite(std::uint32_t index)
{
    if (index >= count)
    {
        spare = Sprite();
        return spare;
    }
    return sprites[index];
}

bool SpriteGroup::IsVisible() const
{
    return (model->GetFlags() & Model::FlagVisible) != 0;
}

void SpriteGroup::SetVisible(bool visible)
{
    if (visible)
        model->SetFlags(Model::FlagVisible);
    else
        model->ClearFlags(Model::FlagVisible);
}

void SpriteGroup::Update()
{
    if (!IsVisible())
        return;
    IndexBuffer* indexBuffer = model->GetIndexBuffer();
    if (camera == nullptr)
    {
        // Without a camera there is no way to face: nothing is drawn.
        indexBuffer->SetIndexCount(0);
        return;
    }
    const Vector3 p = camera->position;
    const Vector3 r = camera->right;
    const Vector3 u = camera->up;
    const Vector3 d = camera->direction;

    centre = Vector3(0.0f, 0.0f, 0.0f);
    std::uint32_t n = 0;
    for (Sprite& sprite : sprites)
    {
        if (sprite.free)
            continue;
        if (sort)
            sprite.depthKey = d.Dot(p - sprite.position);
        drawList[n++] = &sprite;
    }
    if (sort)
        std::sort(drawList.begin(), drawList.begin() + n, DrawnBefore);

    VertexBuffer* vertexBuffer = model->GetVertexBuffer();
    ColoredVertex* vertices = vertexBuffer->LockColoredVertices(0, n * VerticesPerSprite);
    const Vector3 rightPlusUp = r + u;
    const Vector3 upMinusRight = u - r;
    const Vector3 rightMinusUp = r - u;
    for (std::uint32_t j = 0; j < n; ++j)
    {
        const Sprite& sprite = *drawList[j];
        const Vector3& position = sprite.position;
        const float s = sprite.size;
        centre += position;
        Vector3 corners[VerticesPerSprite] = {position - rightPlusUp * s, position + upMinusRight * s,
                                              position + rightMinusUp * s, position + rightPlusUp * s};
        if (std::fabs(sprite.angle) > 0.0001f)
        {
            Matrix4 rotation;
            Matrix4::RotationAxis(rotation, d, sprite.angle);
            for (Vector3& corner : corners)
                corner = position + rotation.TransformPoint(corner - position);
        }
        const std::uint32_t packed = vertexBuffer->PackColor(sprite.color.Modulate(color));
        ColoredVertex* quad = vertices + static_cast<std::size_t>(j) * VerticesPerSprite;
        for (std::uint32_t corner = 0; corner < VerticesPerSprite; ++corner)
        {
            quad[corner].position = corners[corner];
            quad[corner].color = packed;
        }
    }
    vertexBuffer->Unlock();
    if (n > 0)
        centre /= static_cast<float>(n);
    indexBuffer->SetIndexCount(n * IndicesPerSprite);
}

} // namespace OrvaneEngine
