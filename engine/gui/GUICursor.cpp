#include "engine/gui/GUICursor.h"

#include "engine/core/Controls.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/Vertex.h"
#include "engine/render/VertexBuffer.h"

namespace OrvaneEngine
{
namespace
{
// A copied model is drawn as every GUI model: blended, sorted by its fixed
// depth, unlit and without depth test, and hidden until the owner shows it.
constexpr std::uint32_t CopySetFlags = Model::FlagBlended | Model::FlagFixedDepth;
constexpr std::uint32_t CopyClearFlags = Model::FlagVisible | Model::FlagLit | Model::FlagDepthTest;
} // namespace

GUICursor::GUICursor(MessageManager* log_, Window* window_, ModelManager* modelManager_, Controls* controls_,
                     Camera* guiCamera_, const ShaderDescriptor* descriptor, float size)
    : log(log_), window(window_), modelManager(modelManager_), controls(controls_), guiCamera(guiCamera_)
{
    model = modelManager->CreateModel(TexturedModelFlags, 4, 4, 1, descriptor, guiCamera);

    // A strip over the square that hangs down and right of the hot spot.
    struct Corner
    {
        float x, y, u, v;
    };
    const Corner corners[4] = {{size, -size, 1.0f, 0.0f},
                               {size, 0.0f, 1.0f, 1.0f},
                               {0.0f, -size, 0.0f, 0.0f},
                               {0.0f, 0.0f, 0.0f, 1.0f}};
    Vertex* vertices = model->GetVertexBuffer()->LockVertices(0, 4);
    for (std::size_t i = 0; i < 4; ++i)
    {
        vertices[i].position = Vector3(corners[i].x, corners[i].y, 0.0f);
        vertices[i].normal = Vector3(0.0f, 0.0f, 1.0f);
        vertices[i].u = corners[i].u;
        vertices[i].v = corners[i].v;
    }
    model->GetVertexBuffer()->Unlock();
    const std::uint32_t indices[4] = {0, 1, 2, 3};
    model->GetIndexBuffer()->SetIndices(0, 4, indices);

    model->baseMatrix = model->worldMatrix;
    model->depth = Depth;
}

GUICursor::GUICursor(MessageManager* log_, Window* window_, ModelManager* modelManager_, Controls* controls_,
                     Camera* guiCamera_, const Model* source)
    : log(log_), window(window_), modelManager(modelManager_), controls(controls_), guiCamera(guiCamera_)
{
    if (source == nullptr)
        return;
    model = modelManager->CloneModel(source, nullptr, 0);
    model->SetFlags(CopySetFlags);
    model->ClearFlags(CopyClearFlags);
    model->SetCamera(guiCamera);
    model->baseMatrix = model->worldMatrix;
    model->depth = Depth;
}

GUICursor::~GUICursor()
{
    if (model != nullptr)
        modelManager->ReleaseModel(model);
}

void GUICursor::UpdatePosition()
{
    // A window without client area maps nowhere; dividing by it would hand
    // NaN to every hover test.
    if (window->width == 0 || window->height == 0)
        return;
    const float windowWidth = static_cast<float>(window->width);
    const float windowHeight = static_cast<float>(window->height);
    const Vector2 mouse = controls->GetCursorPosition();
    position.x = guiCamera->width * mouse.x / windowWidth;
    position.y = guiCamera->height * (windowHeight - mouse.y - 1.0f) / windowHeight;
}

void GUICursor::Render()
{
    if (model == nullptr)
        return;
    Matrix4 translation;
    Matrix4::Translation(translation, Vector3(position.x, position.y, 0.0f));
    model->worldMatrix = translation.Multiply(model->baseMatrix);
    if (visible)
        model->SetFlags(Model::FlagVisible);
    else
        model->ClearFlags(Model::FlagVisible);
}

} // namespace OrvaneEngine
