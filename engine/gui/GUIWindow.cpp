#include "engine/gui/GUIWindow.h"

#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/Vertex.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint32_t QuadModelFlags = 0xC11;
constexpr std::uint32_t ColoredQuadModelFlags = 0xC31;
// Loaded and copied models lose their own visibility, lighting and depth
// test, and join the blended group sorted by the window's depth.
constexpr std::uint32_t ClearedModelFlags = 0x400C0;
constexpr std::uint32_t SetModelFlags = 0xC00;
constexpr float LevelStep = 0.01f;
constexpr float NoLayerDepth = -15.0f;

std::uint32_t ExtraModelFlags(std::uint32_t windowFlags)
{
    return (windowFlags & GUIWindow::FlagColored) != 0 ? Model::FlagColored : 0;
}

void AdoptModel(Model* model)
{
    if (model == nullptr)
        return;
    model->ClearFlags(ClearedModelFlags);
    model->SetFlags(SetModelFlags);
}

float LayerDepth(std::uint32_t flags)
{
    if ((flags & GUIWindow::FlagBackLayer) != 0)
        return -10.0f;
    if ((flags & GUIWindow::FlagMiddleLayer) != 0)
        return -20.0f;
    if ((flags & GUIWindow::FlagFrontLayer) != 0)
        return -30.0f;
    return NoLayerDepth;
}

// The unit square, texture coordinates growing with x and y, as a strip.
struct QuadCorner
{
    float x, y, u, v;
};

void FillQuad(Model& model, const Vector2& extent)
{
    const QuadCorner corners[4] = {
        {1.0f, 0.0f, extent.x, 0.0f},
        {1.0f, 1.0f, extent.x, extent.y},
        {0.0f, 0.0f, 0.0f, 0.0f},
        {0.0f, 1.0f, 0.0f, extent.y},
    };
    VertexBuffer& vertices = *model.GetVertexBuffer();
    if (vertices.IsColored())
    {
        // A tinted window starts untinted.
        const std::uint32_t white = vertices.PackColor(Color(1.0f, 1.0f, 1.0f, 1.0f));
        ColoredVertex* out = vertices.LockColoredVertices(0, 4);
        for (int i = 0; i < 4; ++i)
        {
            out[i].position = Vector3(corners[i].x, corners[i].y, 0.0f);
            out[i].normal = Vector3(0.0f, 0.0f, 0.0f);
            out[i].color = white;
            out[i].u = corners[i].u;
            out[i].v = corners[i].v;
        }
    }
    else
    {
        Vertex* out = vertices.LockVertices(0, 4);
        for (int i = 0; i < 4; ++i)
        {
            out[i].position = Vector3(corners[i].x, corners[i].y, 0.0f);
            out[i].normal = Vector3(0.0f, 0.0f, 0.0f);
            out[i].u = corners[i].u;
            out[i].v = corners[i].v;
        }
    }
    vertices.Unlock();
    const std::uint32_t indices[4] = {0, 1, 2, 3};
    model.GetIndexBuffer()->SetIndices(0, 4, indices);
    model.GetIndexBuffer()->SetIndexCount(4);
    model.UpdatePrimitiveCount();
    model.ComputeBoundingBox(model.boundingVolume);
    model.boundingVolume.SetMatrix(model.worldMatrix);
}

} // namespace

GUIWindow::GUIWindow(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, Camera* guiCamera,
                     std::uint32_t flags_, const Vector2& position_, const Vector2& size_,
                     const ShaderDescriptor* descriptor, GUIWindow* parent_, const Vector2& textureExtent)
    : log(log_), shaderManager(shaderManager_), modelManager(modelManager_), fontManager(fontManager_),
      textManager(textManager_)
{
    const std::uint32_t modelFlags = (flags_ & FlagColored) != 0 ? ColoredQuadModelFlags : QuadModelFlags;
    model = modelManager->CreateModel(modelFlags, 4, 4, 1, descriptor, guiCamera);
    FillQuad(*model, textureExtent);
    Construct(flags_, position_, size_, parent_);
}

GUIWindow::GUIWindow(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, Camera* guiCamera,
                     std::uint32_t flags_, const Vector2& position_, const Vector2& size_,
                     const std::string& modelFileName, GUIWindow* parent_)
    : log(log_), shaderManager(shaderManager_), modelManager(modelManager_), fontManager(fontManager_),
      textManager(textManager_)
{
    model = modelManager->LoadModel(modelFileName, guiCamera, ExtraModelFlags(flags_));
    AdoptModel(model);
    Construct(flags_, position_, size_, parent_);
}

GUIWindow::GUIWindow(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, Camera* guiCamera,
                     std::uint32_t flags_, const Vector2& position_, const Vector2& size_, const Model* source,
                     GUIWindow* parent_)
    : log(log_), shaderManager(shaderManager_), modelManager(modelManager_), fontManager(fontManager_),
      textManager(textManager_)
{
    if (source != nullptr)
        model = modelManager->CloneModel(source, guiCamera, ExtraModelFlags(flags_));
    AdoptModel(model);
    Construct(flags_, position_, size_, parent_);
}

void GUIWindow::Construct(std::uint32_t flags_, const Vector2& position_, const Vector2& size_, GUIWindow* parent_)
{
    flags = 0;
    SetFlags(flags_);
    level = 1;
    SetParent(parent_);
    position = position_;
    size = size_;
}

GUIWindow::~GUIWindow()
{
    if (parent != nullptr)
        parent->RemoveChild(this);
    // The children outlive this window as windows without parent.
    const std::vector<GUIWindow*> orphans = std::move(children);
    children.clear();
    for (GUIWindow* child : orphans)
    {
        child->parent = nullptr;
        child->SetParent(nullptr);
    }
    if (model != nullptr)
        modelManager->ReleaseModel(model);
}

bool GUIWindow::Update(const Vector2& cursor, bool, bool)
{
    hovered = false;
    if (!visible)
        return false;
    Vector2 corner = GetAbsolutePosition();
    Vector2 extent = size;
    if (customHitRect)
    {
        corner += hitRectOrigin;
        extent = hitRectSize;
    }
    hovered = cursor.x > corner.x && cursor.y > corner.y && cursor.x < corner.x + extent.x &&
              cursor.y < corner.y + extent.y;
    return true;
}

bool GUIWindow::Render()
{
    if (!visible)
    {
        textEntryCount = 0;
        return false;
    }
    if (autoFit && model != nullptr)
    {
        const Vector2 corner = GetAbsolutePosition();
        Matrix4 translation;
        Matrix4::Translation(translation, Vector3(corner.x, corner.y, 0.0f));
        const Matrix4 scaling = Matrix4::MakeScaling(Vector3(size.x, size.y, 1.0f));
        model->worldMatrix = translation.Multiply(scaling).Multiply(model->baseMatrix);
        model->boundingVolume.SetMatrix(model->worldMatrix);
    }
    for (std::uint32_t i = 0; i < textEntryCount; ++i)
        PrintEntry(*textEntries[i]);
    textEntryCount = 0;
    return true;
}

void GUIWindow::PrintEntry(const GUITextEntry& entry)
{
    const std::u16string& text =
        entry.fromKey && textManager != nullptr ? textManager->GetText(entry.key, entry.keyNumber) : entry.text;
    // A font that is not loaded prints nothing, so it needs no override.
    GUIFont* scaled = entry.scale >= 0.0f ? fontManager->GetFont(entry.fontId) : nullptr;
    const float ownHeight = scaled != nullptr ? scaled->glyphHeight : 0.0f;
    if (scaled != nullptr)
        scaled->glyphHeight = entry.scale;
    fontManager->PrintText(entry.alignment, entry.fontId, entry.angle, this, entry.position, entry.color, text);
    if (scaled != nullptr)
        scaled->glyphHeight = ownHeight;
}

void GUIWindow::SetLevel(std::int32_t level_)
{
    level = level_;
    if (parent != nullptr)
    {
        depth = parent->depth - static_cast<float>(level) * LevelStep;
        CopyDepthToModel();
    }
    for (GUIWindow* child : children)
        child->SetLevel(child->level);
}

void GUIWindow::SetColor(const Color& color)
{
    if (model != nullptr)
        model->SetColor(color);
}

void GUIWindow::UpdateVisibility()
{
    const bool wasVisible = visible;
    visible = (flags & FlagShown) != 0 && (parent == nullptr || parent->visible);
    if (visible && !wasVisible)
        hovered = false;
    if (model != nullptr)
    {
        if (visible)
            model->SetFlags(Model::FlagVisible);
        else
            model->ClearFlags(Model::FlagVisible);
    }
    for (GUIWindow* child : children)
        child->UpdateVisibility();
}

void GUIWindow::SetFlags(std::uint32_t bits)
{
    if ((flags & bits) != 0)
        return;
    flags |= bits;
    if ((bits & FlagShown) != 0)
        UpdateVisibility();
    if (parent == nullptr)
    {
        depth = LayerDepth(flags);
        CopyDepthToModel();
    }
}

void GUIWindow::ClearFlags(std::uint32_t bits)
{
    if ((flags & bits) == 0)
        return;
    flags &= ~bits;
    if ((bits & FlagShown) != 0)
        UpdateVisibility();
    if ((bits & LayerFlags) != 0)
    {
        depth = NoLayerDepth;
        CopyDepthToModel();
    }
}

void GUIWindow::SetParent(GUIWindow* parent_)
{
    if (parent != nullptr)
        parent->RemoveChild(this);
    parent = parent_;
    if (parent == nullptr)
    {
        if ((flags & LayerFlags) == 0)
        {
            depth = NoLayerDepth;
            CopyDepthToModel();
        }
    }
    else
    {
        parent->AddChild(this);
        flags &= ~LayerFlags;
        SetLevel(level);
    }
    UpdateVisibility();
}

void GUIWindow::AddChild(GUIWindow* child)
{
    children.push_back(child);
}

void GUIWindow::RemoveChild(GUIWindow* child)
{
    const auto found = std::find(children.begin(), children.end(), child);
    if (found != children.end())
        children.erase(found);
}

Vector2 GUIWindow::GetParentPosition() const
{
    Vector2 sum(0.0f, 0.0f);
    for (const GUIWindow* ancestor = parent; ancestor != nullptr; ancestor = ancestor->parent)
        sum += ancestor->position;
    return sum;
}

Vector2 GUIWindow::GetAbsolutePosition() const
{
    Vector2 absolute = GetParentPosition();
    absolute += position;
    return absolute;
}

Color GUIWindow::GetColor() const
{
    const VertexBuffer* vertices = model != nullptr ? model->GetVertexBuffer() : nullptr;
    if (vertices == nullptr || !vertices->IsColored() || vertices->GetVertexCount() == 0)
        return Color(1.0f, 1.0f, 1.0f, 1.0f);
    return vertices->GetColor(0);
}

ShaderUser* GUIWindow::GetShaderUser() const
{
    return model != nullptr ? model->GetShaderUser() : nullptr;
}

void GUIWindow::SetShader(const ShaderDescriptor& descriptor)
{
    if (model != nullptr)
        model->ReplaceShader(descriptor);
}

namespace
{

// The entry's placement and look; what it prints is set by the caller.
GUITextEntry& Place(GUITextEntry& entry, std::uint32_t alignment, std::uint32_t fontId, const Vector2& position,
                    const Color& color, float angle, float scale)
{
    entry.alignment = alignment;
    entry.fontId = fontId;
    entry.angle = angle;
    entry.scale = scale;
    entry.position = position;
    entry.color = color;
    return entry;
}

} // namespace

void GUIWindow::AddTextByKey(std::uint32_t alignment, std::uint32_t fontId, const Vector2& position_,
                             const Color& color, const std::string& key, std::int32_t keyNumber, float angle,
                             float scale)
{
    GUITextEntry& entry = Place(*AllocTextEntry(), alignment, fontId, position_, color, angle, scale);
    entry.text.clear();
    entry.key = key;
    entry.keyNumber = keyNumber;
    entry.fromKey = true;
}

void GUIWindow::AddWideText(std::uint32_t alignment, std::uint32_t fontId, const Vector2& position_,
                            const Color& color, const std::u16string& text, float angle, float scale)
{
    if (text.empty())
        return;
    GUITextEntry& entry = Place(*AllocTextEntry(), alignment, fontId, position_, color, angle, scale);
    entry.text = text;
    entry.key.clear();
    entry.keyNumber = -1;
    entry.fromKey = false;
}

GUITextEntry* GUIWindow::AllocTextEntry()
{
    if (textEntryCount >= textEntries.size())
        textEntries.push_back(std::make_unique<GUITextEntry>());
    return textEntries[textEntryCount++].get();
}

void GUIWindow::CopyDepthToModel()
{
    if (model != nullptr)
        model->depth = depth;
}

} // namespace OrvaneEngine
