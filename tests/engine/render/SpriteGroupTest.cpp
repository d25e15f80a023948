#include "tests/engine/render/ParticleFixture.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace OrvaneEngine::particle_test
{
namespace
{

class SpriteGroupTest : public ParticleFixture
{
protected:
    SpriteGroup* Group(std::uint32_t count) { return groups.CreateSpriteGroup(count, ShaderDescriptor(0), &camera); }

    static void ExpectNear(const Vector3& actual, const Vector3& expected)
    {
        EXPECT_NEAR(actual.x, expected.x, 1e-5f);
        EXPECT_NEAR(actual.y, expected.y, 1e-5f);
        EXPECT_NEAR(actual.z, expected.z, 1e-5f);
    }

    const Color white{1.0f, 1.0f, 1.0f, 1.0f};
};

TEST_F(SpriteGroupTest, ConstructionWritesIndicesAndTextureCoordinatesOnce)
{
    const std::uint32_t modelsBefore = models.GetModelCount();
    SpriteGroup* group = Group(4);
    EXPECT_EQ(models.GetModelCount(), modelsBefore + 1);
    Model* model = group->GetModel();
    EXPECT_EQ(model->GetFlags(), 0x2C84A9u);
    EXPECT_EQ(model->GetCamera(), &camera);
    ASSERT_EQ(model->GetVertexBuffer()->GetVertexCount(), 16u);
    EXPECT_TRUE(model->GetVertexBuffer()->IsColored());
    const IndexBuffer& indices = *model->GetIndexBuffer();
    ASSERT_EQ(indices.GetCapacity(), 24u);
    EXPECT_FALSE(indices.Is32Bit());
    for (std::uint32_t i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        const std::uint32_t expected[6] = {4 * i, 4 * i + 1, 4 * i + 2, 4 * i + 2, 4 * i + 1, 4 * i + 3};
        for (std::uint32_t j = 0; j < 6; ++j)
            EXPECT_EQ(IndexAt(indices, 6 * i + j), expected[j]);
        const ColoredVertex* quad = Vertices(*group) + 4 * i;
        const float uv[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
        for (std::uint32_t corner = 0; corner < 4; ++corner)
        {
            EXPECT_EQ(quad[corner].u, uv[corner][0]);
            EXPECT_EQ(quad[corner].v, uv[corner][1]);
        }
    }
    EXPECT_EQ(group->GetFreeCount(), 4u);
    EXPECT_EQ(group->sort, 1);
    EXPECT_FALSE(group->color != white);
    EXPECT_TRUE(group->IsVisible());

    // Without a camera of its own the group faces the default camera.
    SpriteGroup* defaulted = groups.CreateSpriteGroup(1, ShaderDescriptor(0), nullptr);
    EXPECT_EQ(defaulted->GetCamera(), cameraManager.defaultCamera);
}

TEST_F(SpriteGroupTest, SpritesAreHandedOutLastInFirstOutAndNeverTwice)
{
    SpriteGroup* group = Group(4);
    std::vector<std::uint32_t> taken;
    for (int i = 0; i < 4; ++i)
        taken.push_back(group->AddSprite(Vector3(1.0f, 2.0f, 3.0f), 2.0f, white));
    EXPECT_EQ(taken, (std::vector<std::uint32_t>{3, 2, 1, 0}));
    const Sprite& sprite = group->GetSprite(1);
    EXPECT_EQ(sprite.free, 0);
    EXPECT_EQ(sprite.size, 2.0f);
    EXPECT_EQ(sprite.angle, 0.0f);
    EXPECT_EQ(sprite.position.y, 2.0f);

    // Full: 0 and nothing changes.
    group->GetSprite(0).size = 9.0f;
    EXPECT_EQ(group->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white), 0u);
    EXPECT_EQ(group->GetSprite(0).size, 9.0f);

    group->RemoveSprite(2);
    EXPECT_EQ(group->GetSprite(2).free, 1);
    EXPECT_EQ(group->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white), 2u);

    // Out of range, free already, removed twice: each index once on the stack.
    group->RemoveSprite(7);
    group->RemoveSprite(1);
    group->RemoveSprite(1);
    group->RemoveSprite(3);
    EXPECT_EQ(group->GetFreeSprites(), (std::vector<std::uint32_t>{1, 3}));
    EXPECT_EQ(group->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white), 3u);
    EXPECT_EQ(group->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white), 1u);
    EXPECT_EQ(group->GetFreeCount(), 0u);

    // A record beyond the pool is a spare that is never drawn.
    group->GetSprite(4).size = 5.0f;
    EXPECT_EQ(group->GetSprite(4).free, 1);
}

TEST_F(SpriteGroupTest, QuadsFaceTheCameraAndTurnAboutItsDirection)
{
    SpriteGroup* group = Group(2);
    group->Update();
    EXPECT_EQ(group->GetModel()->GetIndexBuffer()->GetIndexCount(), 0u);
    ExpectNear(group->centre, Vector3(0.0f, 0.0f, 0.0f));

    const std::uint32_t index = group->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white);
    group->Update();
    EXPECT_EQ(group->GetModel()->GetIndexBuffer()->GetIndexCount(), 6u);
    const ColoredVertex* quad = Vertices(*group);
    ExpectNear(quad[0].position, Vector3(-1.0f, -1.0f, 0.0f));
    ExpectNear(quad[1].position, Vector3(-1.0f, 1.0f, 0.0f));
    ExpectNear(quad[2].position, Vector3(1.0f, -1.0f, 0.0f));
    ExpectNear(quad[3].position, Vector3(1.0f, 1.0f, 0.0f));
    EXPECT_EQ(quad[0].color, 0xFFFFFFFFu);
    // Texture coordinates are written once and left alone.
    EXPECT_EQ(quad[1].v, 1.0f);

    // Other axes: the corners follow R and U, scaled by the size, around the position.
    camera.right = Vector3(0.0f, 0.0f, 1.0f);
    camera.up = Vector3(1.0f, 0.0f, 0.0f);
    camera.direction = Vector3(0.0f, 1.0f, 0.0f);
    group->GetSprite(index).position = Vector3(10.0f, 20.0f, 30.0f);
    group->GetSprite(index).size = 2.0f;
    group->Update();
    ExpectNear(quad[0].position, Vector3(8.0f, 20.0f, 28.0f));
    ExpectNear(quad[1].position, Vector3(12.0f, 20.0f, 28.0f));
    ExpectNear(quad[2].position, Vector3(8.0f, 20.0f, 32.0f));
    ExpectNear(quad[3].position, Vector3(12.0f, 20.0f, 32.0f));
    ExpectNear(group->centre, Vector3(10.0f, 20.0f, 30.0f));

    // A quarter turn about D moves every corner onto a neighbouring corner;
    // an angle within the tolerance turns nothing.
    camera.right = Vector3(1.0f, 0.0f, 0.0f);
    camera.up = Vector3(0.0f, 1.0f, 0.0f);
    camera.direction = Vector3(0.0f, 0.0f, 1.0f);
    Sprite& sprite = group->GetSprite(index);
    sprite.position = Vector3(5.0f, 5.0f, 0.0f);
    sprite.size = 1.0f;
    sprite.angle = 0.00005f;
    group->Update();
    ExpectNear(quad[0].position, Vector3(4.0f, 4.0f, 0.0f));
    sprite.angle = std::numbers::pi_v<float> / 2.0f;
    group->Update();
    Matrix4 turn;
    Matrix4::RotationAxis(turn, Vector3(0.0f, 0.0f, 1.0f), sprite.angle);
    const Vector3 turned = turn.TransformPoint(Vector3(-1.0f, -1.0f, 0.0f));
    // Whichever way the turn goes, c0 lands on c1 or c2, c3 opposite it.
    EXPECT_TRUE(std::fabs(turned.x + turned.y) < 1e-5f);
    ExpectNear(quad[0].position, Vector3(5.0f + turned.x, 5.0f + turned.y, 0.0f));
    ExpectNear(quad[3].position, Vector3(5.0f - turned.x, 5.0f - turned.y, 0.0f));
    ExpectNear(quad[1].position, Vector3(5.0f + turned.y, 5.0f - turned.x, 0.0f));
    ExpectNear(quad[2].position, Vector3(5.0f - turned.y, 5.0f + turned.x, 0.0f));
}

TEST_F(SpriteGroupTest, SortingDrawsTheFarthestFirstAndNaNsLast)
{
    SpriteGroup* group = Group(6);
    // Keys D . (P - position) = -z: 5, 10, NaN, 1, NaN, 7 in index order 5..0.
    const float zs[] = {-5.0f, -10.0f, std::numeric_limits<float>::quiet_NaN(), -1.0f,
                        std::numeric_limits<float>::quiet_NaN(), -7.0f};
    for (float z : zs)
        group->AddSprite(Vector3(0.0f, 0.0f, z), 1.0f, white);
    group->Update();
    const ColoredVertex* vertices = Vertices(*group);
    EXPECT_EQ(vertices[0].position.z, -10.0f);
    EXPECT_EQ(vertices[4].position.z, -7.0f);
    EXPECT_EQ(vertices[8].position.z, -5.0f);
    EXPECT_EQ(vertices[12].position.z, -1.0f);
    EXPECT_TRUE(std::isnan(vertices[16].position.z));
    EXPECT_TRUE(std::isnan(vertices[20].position.z));
    EXPECT_EQ(group->GetModel()->GetIndexBuffer()->GetIndexCount(), 36u);

    // Sort off: index order.
    group->sort = 0;
    group->Update();
    const float unsorted[] = {-7.0f, std::numeric_limits<float>::quiet_NaN(), -1.0f,
                              std::numeric_limits<float>::quiet_NaN(), -10.0f, -5.0f};
    for (std::uint32_t j = 0; j < 6; ++j)
    {
        if (std::isnan(unsorted[j]))
            EXPECT_TRUE(std::isnan(vertices[4 * j].position.z)) << j;
        else
            EXPECT_EQ(vertices[4 * j].position.z, unsorted[j]) << j;
    }
}

TEST_F(SpriteGroupTest, ColoursAreModulatedByTheGroupColour)
{
    SpriteGroup* group = Group(2);
    group->color = Color(1.0f, 1.0f, 1.0f, 0.5f);
    group->AddSprite(Vector3(0.0f, 0.0f, -1.0f), 1.0f, white);
    group->AddSprite(Vector3(0.0f, 0.0f, -2.0f), 1.0f, Color(1.0f, 0.0f, 0.5f, 1.0f));
    group->Update();
    const ColoredVertex* vertices = Vertices(*group);
    for (std::uint32_t v = 0; v < 4; ++v)
    {
        EXPECT_EQ(vertices[v].color, 0x80FF0080u) << v;
        EXPECT_EQ(vertices[4 + v].color, 0x80FFFFFFu) << v;
    }
}

TEST_F(SpriteGroupTest, HiddenGroupLeavesItsVerticesAlone)
{
    SpriteGroup* group = Group(1);
    group->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white);
    group->SetVisible(false);
    EXPECT_FALSE(group->IsVisible());
    EXPECT_EQ(group->GetModel()->GetFlags() & Model::FlagVisible, 0u);
    group->Update();
    const ColoredVertex* vertices = Vertices(*group);
    EXPECT_EQ(vertices[0].position.x, 0.0f);
    EXPECT_EQ(vertices[0].color, 0xFFFFFFFFu);
    group->SetVisible(true);
    EXPECT_TRUE(group->IsVisible());
    group->Update();
    EXPECT_EQ(vertices[0].position.x, -1.0f);
}

TEST_F(SpriteGroupTest, CopiesGetAPoolOfTheirOwn)
{
    SpriteGroup* source = Group(4);
    source->AddSprite(Vector3(1.0f, 0.0f, 0.0f), 1.0f, white);
    source->AddSprite(Vector3(2.0f, 0.0f, 0.0f), 1.0f, white);
    source->sort = 0;
    source->color = Color(0.5f, 0.5f, 0.5f, 0.5f);
    source->Update();

    SpriteGroup* empty = groups.CloneSpriteGroup(source, false);
    EXPECT_NE(empty->GetModel(), source->GetModel());
    // The model copy brings the texture coordinates along.
    const ColoredVertex* copied = Vertices(*empty);
    EXPECT_EQ(copied[13].u, 0.0f);
    EXPECT_EQ(copied[13].v, 1.0f);
    EXPECT_EQ(copied[14].u, 1.0f);
    EXPECT_EQ(copied[14].v, 0.0f);
    EXPECT_EQ(empty->GetModel()->GetFlags(), source->GetModel()->GetFlags());
    EXPECT_EQ(empty->GetCamera(), &camera);
    EXPECT_EQ(empty->GetFreeSprites(), (std::vector<std::uint32_t>{0, 1, 2, 3}));
    for (std::uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(empty->GetSprite(i).free, 1);
    EXPECT_EQ(empty->sort, 0);
    EXPECT_FALSE(empty->color != source->color);
    ExpectNear(empty->centre, Vector3(1.5f, 0.0f, 0.0f));
    // Four sprites for four owners, and a fifth asks in vain.
    for (std::uint32_t expected : {3u, 2u, 1u, 0u})
        EXPECT_EQ(empty->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white), expected);

    SpriteGroup* full = groups.CloneSpriteGroup(source, true);
    EXPECT_EQ(full->GetFreeSprites(), source->GetFreeSprites());
    EXPECT_EQ(full->GetSprite(3).free, 0);
    EXPECT_EQ(full->GetSprite(2).position.x, 2.0f);
    EXPECT_EQ(full->GetSprite(1).free, 1);
    full->Update();
    EXPECT_EQ(full->GetModel()->GetIndexBuffer()->GetIndexCount(), 12u);
}

TEST_F(SpriteGroupTest, LargePoolsUseWideIndicesAndOversizedOnesAreRefused)
{
    // 10,923 sprites need 65,538 indices: past the 16-bit range.
    SpriteGroup* wide = Group(10923);
    const IndexBuffer& indices = *wide->GetModel()->GetIndexBuffer();
    ASSERT_TRUE(indices.Is32Bit());
    EXPECT_EQ(IndexAt(indices, 6 * 10922 + 5), 4u * 10922 + 3);
    EXPECT_EQ(IndexAt(indices, 6 * 5000 + 2), 4u * 5000 + 2);
    wide->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white);
    wide->Update();
    EXPECT_EQ(indices.GetIndexCount(), 6u);

    // 6 x 715,827,883 does not fit in 32 bits: refused, an empty pool.
    log.ClearMessages();
    SpriteGroup* refused = Group(715827883u);
    EXPECT_EQ(refused->GetCount(), 0u);
    EXPECT_EQ(Entries(2).size(), 1u);
    EXPECT_EQ(refused->GetModel()->GetIndexBuffer()->GetCapacity(), 0u);
    EXPECT_EQ(refused->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white), 0u);
    refused->Update();
    EXPECT_EQ(refused->GetModel()->GetIndexBuffer()->GetIndexCount(), 0u);

    SpriteGroup* none = Group(0);
    none->Update();
    EXPECT_EQ(none->GetModel()->GetIndexBuffer()->GetIndexCount(), 0u);
}

TEST_F(SpriteGroupTest, ManagerUpdatesAndDeletesRegisteredGroupsOnly)
{
    SpriteGroup* registered = Group(1);
    // The framework hands a shader user over as the descriptor.
    ShaderDescriptor blended(ShaderDescriptor::Blended);
    blended.SetBlendFactor(0, 4);
    ShaderUser* user = shaderManager.AddShaderUser(blended);
    SpriteGroup* resource = groups.CreateSpriteGroupResource(1, *user, &camera);
    EXPECT_EQ(resource->GetModel()->GetShaderUser()->flags, ShaderDescriptor::Blended);
    EXPECT_EQ(resource->GetModel()->GetShaderUser()->sourceBlend, 4u);
    EXPECT_EQ(groups.GetSpriteGroupCount(), 1u);
    registered->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white);
    resource->AddSprite(Vector3(0.0f, 0.0f, 0.0f), 1.0f, white);
    groups.Update();
    EXPECT_EQ(registered->GetModel()->GetIndexBuffer()->GetIndexCount(), 6u);
    EXPECT_EQ(Vertices(*resource)[0].position.x, 0.0f);

    groups.DeleteSpriteGroup(resource);
    groups.DeleteSpriteGroup(nullptr);
    EXPECT_EQ(resource->GetFreeCount(), 0u);
    resource->Update();
    EXPECT_EQ(Vertices(*resource)[0].position.x, -1.0f);
    delete resource;

    const std::uint32_t modelsBefore = models.GetModelCount();
    groups.DeleteSpriteGroup(registered);
    EXPECT_EQ(groups.GetSpriteGroupCount(), 0u);
    EXPECT_EQ(models.GetModelCount(), modelsBefore - 1);
}

} // namespace
} // namespace OrvaneEngine::particle_test
