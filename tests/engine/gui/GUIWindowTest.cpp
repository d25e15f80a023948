// Windows: the flag and depth rules, the parent tree, visibility, the hover
// test, the three model sources, auto-fit, colours and the queued texts.
#include "content/ModelMeshes.h"
#include "engine/core/Matrix4.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/Vertex.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/GuiServices.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::test::GuiServices;

constexpr std::uint32_t Visible = Model::FlagVisible;

class GUIWindowTest : public ::testing::Test
{
public:
    GUIWindow* Plain(std::uint32_t flags, GUIWindow* parent = nullptr, Vector2 position = {0.0f, 0.0f},
                     Vector2 size = {1.0f, 1.0f})
    {
        return gui().CreateTexturedWindow(flags, position, size, nullptr, parent, Vector2(1.0f, 1.0f));
    }

    GUIManager& gui() { return *services.gui; }

    GuiServices services;
};

// Every step names the window's expected depth after it; the model's depth
// always follows the window's.
TEST_F(GUIWindowTest, DepthFollowsLayersLevelsAndParents)
{
    struct Row
    {
        const char* what;
        std::function<GUIWindow*(GUIWindowTest&)> make;
        float depth;
    };
    const std::vector<Row> rows = {
        {"no layer", [](GUIWindowTest& t) { return t.Plain(0); }, -15.0f},
        {"flags 5", [](GUIWindowTest& t) { return t.Plain(5); }, -10.0f},
        {"flags 5, clear 4",
         [](GUIWindowTest& t) {
             GUIWindow* w = t.Plain(5);
             w->ClearFlags(4);
             return w;
         },
         -15.0f},
        {"flags 8|16", [](GUIWindowTest& t) { return t.Plain(8 | 16); }, -20.0f},
        {"flags 8|16, clear 16",
         [](GUIWindowTest& t) {
             GUIWindow* w = t.Plain(8 | 16);
             w->ClearFlags(16);
             return w;
         },
         -15.0f},
        {"flags 18", [](GUIWindowTest& t) { return t.Plain(18); }, -30.0f},
        {"child", [](GUIWindowTest& t) { return t.Plain(1, t.Plain(1)); }, -15.01f},
        {"grandchild", [](GUIWindowTest& t) { return t.Plain(1, t.Plain(1, t.Plain(1))); }, -15.02f},
        {"child of layer 8 with its own layer bits", [](GUIWindowTest& t) { return t.Plain(16 | 1, t.Plain(9)); },
         -20.01f},
        {"child at level -1",
         [](GUIWindowTest& t) {
             GUIWindow* w = t.Plain(1, t.Plain(1));
             w->SetLevel(-1);
             return w;
         },
         -14.99f},
        {"child at level 2",
         [](GUIWindowTest& t) {
             GUIWindow* w = t.Plain(1, t.Plain(1));
             w->SetLevel(2);
             return w;
         },
         -15.02f},
        {"root moved to 16: the child stays",
         [](GUIWindowTest& t) {
             GUIWindow* root = t.Plain(1);
             GUIWindow* child = t.Plain(1, root);
             root->SetFlags(16);
             return child;
         },
         -15.01f},
        {"root moved to 16, then a level re-applied",
         [](GUIWindowTest& t) {
             GUIWindow* root = t.Plain(1);
             GUIWindow* child = t.Plain(1, t.Plain(1, root));
             root->SetFlags(16);
             root->SetLevel(1);
             return child;
         },
         -30.02f},
        {"flags 1|8 on a shown window changes nothing",
         [](GUIWindowTest& t) {
             GUIWindow* w = t.Plain(1);
             w->SetFlags(1 | 8);
             return w;
         },
         -15.0f},
        {"parent released: the orphan without layer bits",
         [](GUIWindowTest& t) {
             GUIWindow* parent = t.Plain(9);
             GUIWindow* child = t.Plain(1, parent);
             t.gui().ReleaseWindow(parent);
             return child;
         },
         -15.0f},
        {"moved to no parent keeps its layer",
         [](GUIWindowTest& t) {
             GUIWindow* w = t.Plain(5);
             w->SetParent(nullptr);
             return w;
         },
         -10.0f},
    };
    for (const Row& row : rows)
    {
        GUIWindow* window = row.make(*this);
        EXPECT_FLOAT_EQ(window->depth, row.depth) << row.what;
        ASSERT_NE(window->model, nullptr) << row.what;
        EXPECT_EQ(window->model->depth, window->depth) << row.what;
    }
}

TEST_F(GUIWindowTest, FlagRulesAndTheParentTree)
{
    GUIWindow* shown = Plain(1);
    shown->SetFlags(1 | 8);
    EXPECT_EQ(shown->flags, 1u);
    shown->ClearFlags(4 | 8);
    EXPECT_EQ(shown->flags, 1u) << "none of the bits set: nothing changes";

    GUIWindow* root = Plain(1);
    GUIWindow* child = Plain(1 | 16, root);
    EXPECT_EQ(child->flags, 1u) << "a child loses its layer bits";
    EXPECT_EQ(root->GetChildren(), std::vector<GUIWindow*>({child}));
    child->SetParent(shown);
    EXPECT_TRUE(root->GetChildren().empty());
    EXPECT_EQ(shown->GetChildren(), std::vector<GUIWindow*>({child}));

    root->position = Vector2(10.0f, 20.0f);
    shown->position = Vector2(1.0f, 2.0f);
    child->SetParent(shown);
    shown->SetParent(root);
    child->position = Vector2(100.0f, 200.0f);
    EXPECT_FLOAT_EQ(child->GetParentPosition().x, 11.0f);
    EXPECT_FLOAT_EQ(child->GetParentPosition().y, 22.0f);
    EXPECT_FLOAT_EQ(child->GetAbsolutePosition().x, 111.0f);
    EXPECT_FLOAT_EQ(child->GetAbsolutePosition().y, 222.0f);
    EXPECT_EQ(shown->GetChildren(), std::vector<GUIWindow*>({child})) << "joining the same parent again once";
}

TEST_F(GUIWindowTest, VisibilityFollowsTheParentChainAndTheModelFlag)
{
    GUIWindow* parent = Plain(0);
    GUIWindow* child = Plain(1, parent);
    EXPECT_FALSE(child->visible);
    EXPECT_EQ(child->model->GetFlags() & Visible, 0u);

    child->hovered = true;
    parent->SetFlags(1);
    EXPECT_TRUE(parent->visible);
    EXPECT_TRUE(child->visible);
    EXPECT_FALSE(child->hovered) << "becoming visible clears the hover";
    EXPECT_NE(child->model->GetFlags() & Visible, 0u);

    child->hovered = true;
    child->UpdateVisibility();
    EXPECT_TRUE(child->hovered) << "only a change to visible clears it";

    parent->ClearFlags(1);
    EXPECT_FALSE(child->visible);
    EXPECT_EQ(child->model->GetFlags() & Visible, 0u);

    parent->SetFlags(1);
    gui().ReleaseWindow(parent);
    EXPECT_EQ(child->parent, nullptr);
    EXPECT_TRUE(child->visible) << "an orphan counts as a root";
    EXPECT_FLOAT_EQ(child->depth, -15.0f);
    EXPECT_FLOAT_EQ(child->model->depth, -15.0f);
    gui().Render();
}

TEST_F(GUIWindowTest, HoverIsStrictOnEveryEdge)
{
    GUIWindow* window = Plain(1, nullptr, Vector2(100.0f, 50.0f), Vector2(200.0f, 100.0f));
    GUIWindow* custom = Plain(1, nullptr, Vector2(100.0f, 50.0f), Vector2(200.0f, 100.0f));
    custom->customHitRect = true;
    custom->hitRectOrigin = Vector2(10.0f, 20.0f);
    custom->hitRectSize = Vector2(30.0f, 40.0f);
    struct Row
    {
        GUIWindow* window;
        Vector2 cursor;
        bool hovered;
    };
    const float in = 0.001f;
    const std::vector<Row> rows = {
        {window, {100.0f, 100.0f}, false},       {window, {300.0f, 100.0f}, false},
        {window, {200.0f, 50.0f}, false},        {window, {200.0f, 150.0f}, false},
        {window, {100.0f, 50.0f}, false},        {window, {300.0f, 150.0f}, false},
        {window, {100.0f, 150.0f}, false},       {window, {300.0f, 50.0f}, false},
        {window, {100.0f + in, 50.0f + in}, true}, {window, {300.0f - in, 150.0f - in}, true},
        {window, {200.0f, 100.0f}, true},        {custom, {200.0f, 100.0f}, false},
        {custom, {110.0f, 70.0f}, false},        {custom, {140.0f, 110.0f}, false},
        {custom, {110.0f + in, 70.0f + in}, true}, {custom, {140.0f - in, 110.0f - in}, true},
    };
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        EXPECT_TRUE(rows[i].window->Update(rows[i].cursor, false, false)) << "row " << i;
        EXPECT_EQ(rows[i].window->hovered, rows[i].hovered) << "row " << i;
    }

    window->hovered = true;
    window->ClearFlags(1);
    EXPECT_FALSE(window->Update(Vector2(200.0f, 100.0f), true, true));
    EXPECT_FALSE(window->hovered) << "an invisible window is never hovered";
}

TEST_F(GUIWindowTest, TexturedQuadIsTheUnitSquareAsAStrip)
{
    for (const std::uint32_t flags : {1u, 3u})
    {
        GUIWindow* window = gui().CreateTexturedWindow(flags, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), nullptr,
                                                       nullptr, Vector2(0.5f, 0.25f));
        Model& model = *window->model;
        const bool colored = (flags & 2) != 0;
        EXPECT_EQ(model.GetFlags(), (colored ? 0xC31u : 0xC11u) | Visible) << flags;
        EXPECT_TRUE(model.IsStrip());
        EXPECT_EQ(model.GetCamera(), gui().GetCamera());

        IndexBuffer& indices = *model.GetIndexBuffer();
        ASSERT_EQ(indices.GetIndexCount(), 4u);
        const auto* narrow = reinterpret_cast<const std::uint16_t*>(indices.GetData());
        EXPECT_EQ(std::vector<std::uint16_t>(narrow, narrow + 4), std::vector<std::uint16_t>({0, 1, 2, 3}));

        struct Corner
        {
            float x, y, u, v;
        };
        const Corner expected[4] = {
            {1.0f, 0.0f, 0.5f, 0.0f}, {1.0f, 1.0f, 0.5f, 0.25f}, {0.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 0.25f}};
        VertexBuffer& vertices = *model.GetVertexBuffer();
        ASSERT_EQ(vertices.GetVertexCount(), 4u);
        ASSERT_EQ(vertices.IsColored(), colored);
        for (std::uint32_t i = 0; i < 4; ++i)
        {
            const std::uint8_t* at = vertices.GetData() + i * vertices.GetStride();
            const auto* position = reinterpret_cast<const Vector3*>(at);
            const float* uv = reinterpret_cast<const float*>(at + vertices.GetStride() - 8);
            EXPECT_EQ(position->x, expected[i].x) << i;
            EXPECT_EQ(position->y, expected[i].y) << i;
            EXPECT_EQ(position->z, 0.0f) << i;
            EXPECT_EQ(uv[0], expected[i].u) << i;
            EXPECT_EQ(uv[1], expected[i].v) << i;
        }
        EXPECT_FLOAT_EQ(model.boundingVolume.center.x, 0.5f);
        EXPECT_FLOAT_EQ(model.boundingVolume.center.y, 0.5f);
        EXPECT_FLOAT_EQ(model.boundingVolume.halfExtents.x, 0.5f);

        const Color color = window->GetColor();
        EXPECT_EQ(color.r, 1.0f);
        EXPECT_EQ(color.a, 1.0f) << "a coloured window starts white, not transparent";
    }
}

TEST_F(GUIWindowTest, AutoFitPlacesTheModelOnTheWindowsRectangle)
{
    GUIWindow* parent = Plain(1, nullptr, Vector2(100.0f, 50.0f), Vector2(10.0f, 10.0f));
    GUIWindow* window = Plain(1, parent, Vector2(20.0f, 30.0f), Vector2(200.0f, 100.0f));
    Matrix4::Translation(window->model->baseMatrix, Vector3(0.0f, 0.0f, 0.5f));
    EXPECT_TRUE(window->Render());

    Matrix4 translation;
    Matrix4::Translation(translation, Vector3(120.0f, 80.0f, 0.0f));
    const Matrix4 expected = translation.Multiply(Matrix4::MakeScaling(Vector3(200.0f, 100.0f, 1.0f)))
                                 .Multiply(window->model->baseMatrix);
    EXPECT_TRUE(window->model->worldMatrix == expected);
    const Vector3 corner = window->model->worldMatrix.TransformPoint(Vector3(1.0f, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(corner.x, 320.0f);
    EXPECT_FLOAT_EQ(corner.y, 180.0f);
    EXPECT_FLOAT_EQ(window->model->boundingVolume.center.x, 220.0f);
    EXPECT_FLOAT_EQ(window->model->boundingVolume.center.y, 130.0f);
    EXPECT_FLOAT_EQ(window->model->boundingVolume.center.z, 0.5f);

    GUIWindow* fixed = Plain(1, nullptr, Vector2(5.0f, 5.0f), Vector2(7.0f, 7.0f));
    fixed->autoFit = false;
    Matrix4 placed;
    Matrix4::Translation(placed, Vector3(1.0f, 2.0f, 3.0f));
    fixed->model->worldMatrix = placed;
    fixed->Render();
    EXPECT_TRUE(fixed->model->worldMatrix == placed) << "without auto-fit the owner places the model";

    const Matrix4 before = window->model->worldMatrix;
    window->position = Vector2(0.0f, 0.0f);
    window->ClearFlags(1);
    EXPECT_FALSE(window->Render());
    EXPECT_TRUE(window->model->worldMatrix == before) << "an invisible window is not placed";
}

TEST_F(GUIWindowTest, LoadedAndCopiedModelsJoinTheBlendedGroupHidden)
{
    ASSERT_TRUE(services.WriteModel("panel.mlf", corvellan::content::MakeQuadMesh(0, 0, 1, 1, 0)));
    const std::uint32_t fileFlags = services.Load("panel.mlf")->GetFlags();
    ASSERT_EQ(fileFlags & 0x20u, 0u);
    const std::uint32_t expected = (fileFlags & ~0x400C0u) | 0xC00u;

    struct Row
    {
        std::uint32_t windowFlags;
        bool fromFile;
        std::uint32_t modelFlags;
    };
    const std::vector<Row> rows = {
        {0, true, expected},          {2, true, expected | 0x20u},  {1, true, expected | Visible},
        {0, false, expected},         {2, false, expected | 0x20u}, {3, false, expected | 0x20u | Visible},
    };
    const std::unique_ptr<Model> source = services.Load("panel.mlf", Visible | 0xC0u);
    for (const Row& row : rows)
    {
        GUIWindow* window =
            row.fromFile
                ? gui().CreateWindowFromFile(row.windowFlags, Vector2(0, 0), Vector2(1, 1), "panel.mlf", nullptr)
                : gui().CreateWindow(row.windowFlags, Vector2(0, 0), Vector2(1, 1), source.get(), nullptr);
        ASSERT_NE(window->model, nullptr);
        EXPECT_EQ(window->model->GetFlags(), row.modelFlags) << row.windowFlags << (row.fromFile ? " file" : " copy");
        EXPECT_EQ(window->model->GetCamera(), gui().GetCamera());
        EXPECT_EQ(window->model->depth, -15.0f);
    }

    GUIWindow* bare = gui().CreateWindow(3, Vector2(0, 0), Vector2(1, 1), nullptr, nullptr);
    EXPECT_EQ(bare->model, nullptr);
    EXPECT_EQ(bare->GetShaderUser(), nullptr);
    bare->SetColor(Color(0.5f, 0.5f, 0.5f, 0.5f));
    bare->SetShader(ShaderDescriptor(0));
    EXPECT_EQ(bare->GetColor().g, 1.0f);
    EXPECT_TRUE(bare->Render());
}

TEST_F(GUIWindowTest, ColorNeedsTheColoredFlag)
{
    GUIWindow* plain = Plain(1);
    GUIWindow* colored = Plain(3);
    const Color tint(0.25f, 0.5f, 0.75f, 0.5f);
    plain->SetColor(tint);
    colored->SetColor(tint);
    const Color white = plain->GetColor();
    EXPECT_EQ(white.r, 1.0f);
    EXPECT_EQ(white.g, 1.0f);
    EXPECT_EQ(white.b, 1.0f);
    EXPECT_EQ(white.a, 1.0f);
    const Color got = colored->GetColor();
    EXPECT_NEAR(got.r, 0.25f, 1.0f / 255);
    EXPECT_NEAR(got.g, 0.5f, 1.0f / 255);
    EXPECT_NEAR(got.b, 0.75f, 1.0f / 255);
    EXPECT_NEAR(got.a, 0.5f, 1.0f / 255);
    EXPECT_EQ(colored->GetShaderUser(), colored->model->GetShaderUser());
    EXPECT_NE(colored->GetShaderUser(), nullptr);

    GUIWindow* empty = gui().CreateWindow(3, Vector2(0, 0), Vector2(1, 1), services.Procedural(0x20, 0, 0).get(),
                                          nullptr);
    EXPECT_EQ(empty->GetColor().a, 1.0f) << "a model without vertices reads white";
}

TEST_F(GUIWindowTest, QueuedTextsArePooledAndLastOneFrame)
{
    GUIWindow* window = Plain(1);
    const GUITextEntry* first = window->AllocTextEntry();
    window->AddWideText(3, 2, Vector2(4.0f, 5.0f), Color(0.1f, 0.2f, 0.3f, 0.4f), u"Hi", 0.5f, 20.0f);
    window->AddWideText(3, 2, Vector2(0.0f, 0.0f), Color(1, 1, 1, 1), u"");
    window->AddTextByKey(16, 7, Vector2(1.0f, 2.0f), Color(1, 1, 1, 1), "EXIT_TEXT_", 3);
    ASSERT_EQ(window->GetTextEntryCount(), 3u) << "the empty text is not queued";
    EXPECT_EQ(&window->GetTextEntry(0), first);
    const GUITextEntry& wide = window->GetTextEntry(1);
    EXPECT_EQ(wide.text, u"Hi");
    EXPECT_FALSE(wide.fromKey);
    EXPECT_EQ(wide.alignment, 3u);
    EXPECT_EQ(wide.fontId, 2u);
    EXPECT_EQ(wide.angle, 0.5f);
    EXPECT_EQ(wide.scale, 20.0f);
    EXPECT_EQ(wide.position.x, 4.0f);
    EXPECT_EQ(wide.color.b, 0.3f);
    const GUITextEntry& keyed = window->GetTextEntry(2);
    EXPECT_TRUE(keyed.fromKey);
    EXPECT_EQ(keyed.key, "EXIT_TEXT_");
    EXPECT_EQ(keyed.keyNumber, 3);
    EXPECT_EQ(keyed.scale, -1.0f);

    EXPECT_TRUE(window->Render());
    EXPECT_EQ(window->GetTextEntryCount(), 0u);
    window->AddWideText(0, 0, Vector2(0, 0), Color(1, 1, 1, 1), u"again");
    EXPECT_EQ(&window->GetTextEntry(0), first) << "the pool is reused";

    window->ClearFlags(1);
    EXPECT_FALSE(window->Render());
    EXPECT_EQ(window->GetTextEntryCount(), 0u) << "a hidden window drops its texts";
    window->SetFlags(1);
    EXPECT_TRUE(window->Render());
}

} // namespace
} // namespace OrvaneEngine
