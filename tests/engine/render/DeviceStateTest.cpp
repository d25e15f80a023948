#include "engine/core/Error.h"
#include "engine/render/Image.h"
#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/Results.h"
#include "tests/engine/render/DrawFixture.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace OrvaneEngine;
using corvellan::test::Mesh;

namespace
{

class DeviceStateTest : public corvellan::test::DrawFixture
{
protected:
    std::uint32_t RenderState(std::uint32_t state)
    {
        std::uint32_t value = 0xDEADBEEFu;
        EXPECT_EQ(renderSystem->d3dDevice->GetRenderState(state, &value), d3d7::D3D_OK) << state;
        return value;
    }

    std::uint32_t StageState(std::uint32_t stage, std::uint32_t state)
    {
        std::uint32_t value = 0xDEADBEEFu;
        EXPECT_EQ(renderSystem->d3dDevice->GetTextureStageState(stage, state, &value), d3d7::D3D_OK) << state;
        return value;
    }

    d3d7::D3DMATRIX Transform(std::uint32_t state)
    {
        d3d7::D3DMATRIX matrix;
        EXPECT_EQ(renderSystem->d3dDevice->GetTransform(state, &matrix), d3d7::D3D_OK);
        return matrix;
    }

    static Matrix4 Counting()
    {
        Matrix4 matrix;
        for (int i = 0; i < 16; ++i)
            matrix.m[i] = static_cast<float>(i + 1);
        return matrix;
    }

    // A list or strip over a buffer of n vertices with the given indices.
    Mesh Indexed(std::uint32_t vertexCount, const std::vector<std::uint32_t>& indices, bool colored = false)
    {
        Mesh mesh;
        mesh.vertices = renderSystem->CreateVertexBuffer(0, colored, vertexCount);
        mesh.indices = renderSystem->CreateIndexBuffer(0, static_cast<std::uint32_t>(indices.size()));
        mesh.indices->SetIndices(0, static_cast<std::uint32_t>(indices.size()), indices.data());
        return mesh;
    }

    std::size_t Errors(const std::string& part) { return CountEntries(2, part); }
};

TEST_F(DeviceStateTest, BlendFactorsMapOntoTheDevicesFactors)
{
    CreateSmall();
    const std::uint32_t expected[] = {d3d7::D3DBLEND_ZERO,         d3d7::D3DBLEND_ONE,          d3d7::D3DBLEND_DESTCOLOR,
                                      d3d7::D3DBLEND_INVDESTCOLOR, d3d7::D3DBLEND_SRCALPHA,     d3d7::D3DBLEND_INVSRCALPHA,
                                      d3d7::D3DBLEND_DESTALPHA,    d3d7::D3DBLEND_INVDESTALPHA, d3d7::D3DBLEND_SRCALPHASAT,
                                      d3d7::D3DBLEND_SRCCOLOR,     d3d7::D3DBLEND_INVSRCCOLOR,  d3d7::D3DBLEND_ZERO};
    for (std::uint32_t factor = 0; factor < 12; ++factor)
    {
        renderSystem->SetBlend(factor, BlendOne);
        EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_SRCBLEND), expected[factor]) << factor;
        renderSystem->SetBlend(BlendOne, factor == 8 ? BlendZero : factor);
        EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_DESTBLEND), factor == 8 ? d3d7::D3DBLEND_ZERO : expected[factor]);
    }
    EXPECT_TRUE(Entries(2).empty());
    // GL saturates the source alpha only as a source factor: the device refuses it.
    renderSystem->SetBlend(BlendOne, BlendSrcAlphaSat);
    EXPECT_EQ(Errors("Direct3D Subsystem (RenderSystem_D3D7::UpdateBlend): "), 1u);
    EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_DESTBLEND), d3d7::D3DBLEND_ZERO);
}

TEST_F(DeviceStateTest, FiltersFollowTheTableAndTheAnisotropySetting)
{
    d3d7::MachineDescription machine = MachineOnDesktop(1024, 768);
    for (d3d7::DeviceDescription& device : machine.adapters[0].devices)
        device.maxAnisotropy = 4;
    d3d7::testing::SetMachine(machine);
    CreateSmallOnMachine();
    if (renderSystem->maxAnisotropy < 4)
        GTEST_SKIP() << "this GL offers no anisotropic filtering";
    const struct
    {
        std::uint32_t anisotropy;
        std::uint32_t filter;
        std::uint32_t magnify;
        std::uint32_t minify;
        std::uint32_t mip;
    } rows[] = {
        {1, TextureFilterTrilinear, d3d7::D3DTFG_LINEAR, d3d7::D3DTFN_LINEAR, d3d7::D3DTFP_LINEAR},
        {4, TextureFilterTrilinear, d3d7::D3DTFG_ANISOTROPIC, d3d7::D3DTFN_ANISOTROPIC, d3d7::D3DTFP_LINEAR},
        {16, TextureFilterBilinear, d3d7::D3DTFG_LINEAR, d3d7::D3DTFN_LINEAR, d3d7::D3DTFP_NONE},
        {1, TextureFilterPoint, d3d7::D3DTFG_POINT, d3d7::D3DTFN_POINT, d3d7::D3DTFP_NONE},
        // Not a filter: the device keeps what it had.
        {1, 3, d3d7::D3DTFG_POINT, d3d7::D3DTFN_POINT, d3d7::D3DTFP_NONE},
    };
    for (const auto& row : rows)
    {
        config.textureAnisotropy = row.anisotropy;
        renderSystem->Refresh();
        // A filter is sent when it changes; a model sets it after the anisotropy was chosen.
        renderSystem->forceStates = true;
        renderSystem->SetTextureFilter(1, row.filter);
        renderSystem->forceStates = false;
        EXPECT_EQ(StageState(1, d3d7::D3DTSS_MAGFILTER), row.magnify) << row.anisotropy << " " << row.filter;
        EXPECT_EQ(StageState(1, d3d7::D3DTSS_MINFILTER), row.minify) << row.anisotropy << " " << row.filter;
        EXPECT_EQ(StageState(1, d3d7::D3DTSS_MIPFILTER), row.mip) << row.anisotropy << " " << row.filter;
        EXPECT_EQ(StageState(1, d3d7::D3DTSS_MAXANISOTROPY), std::min(row.anisotropy, 4u));
    }
    EXPECT_EQ(config.textureAnisotropy, 1u);
}

TEST_F(DeviceStateTest, AddressAndCullModesMapOntoTheDevicesModes)
{
    CreateSmall();
    const struct
    {
        std::uint32_t engine;
        std::uint32_t address;
        std::uint32_t cull;
    } rows[] = {
        {0, d3d7::D3DTADDRESS_CLAMP, d3d7::D3DCULL_NONE},
        {1, d3d7::D3DTADDRESS_WRAP, d3d7::D3DCULL_CW},
        {2, d3d7::D3DTADDRESS_WRAP, d3d7::D3DCULL_CCW},
        {3, d3d7::D3DTADDRESS_WRAP, d3d7::D3DCULL_NONE},
        {7, d3d7::D3DTADDRESS_WRAP, d3d7::D3DCULL_NONE},
    };
    for (const auto& row : rows)
    {
        renderSystem->SetTextureAdressU(0, row.engine);
        renderSystem->SetTextureAdressV(1, row.engine);
        renderSystem->SetCullMode(row.engine);
        EXPECT_EQ(StageState(0, d3d7::D3DTSS_ADDRESSU), row.address) << row.engine;
        EXPECT_EQ(StageState(1, d3d7::D3DTSS_ADDRESSV), row.address) << row.engine;
        EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_CULLMODE), row.cull) << row.engine;
    }
}

TEST_F(DeviceStateTest, MatricesReachTheDeviceInItsLayout)
{
    CreateSmall();
    const Matrix4 counting = Counting();
    renderSystem->SetViewMatrix(counting);
    renderSystem->SetWorldMatrix(counting);
    renderSystem->SetTextureTransform(1, 2.0f, 3.0f, 0.25f, 0.75f);
    const d3d7::D3DMATRIX view = Transform(d3d7::D3DTRANSFORMSTATE_VIEW);
    const d3d7::D3DMATRIX world = Transform(d3d7::D3DTRANSFORMSTATE_WORLD);
    const d3d7::D3DMATRIX texture = Transform(d3d7::D3DTRANSFORMSTATE_TEXTURE0 + 1);
    for (int i = 0; i < 16; ++i)
    {
        const bool thirdColumn = i % 4 == 2;
        EXPECT_FLOAT_EQ(view.m[i], thirdColumn ? -counting.m[i] : counting.m[i]) << i;
        EXPECT_FLOAT_EQ(world.m[i], counting.m[(i % 4) * 4 + i / 4]) << i;
    }
    const float rows[16] = {2, 0, 0, 0, 0, 3, 0, 0, 0.25f, 0.75f, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(texture.m[i], rows[i]) << i;

    renderSystem->projectionMatrix = counting;
    renderSystem->UpdateProjectionMatrix();
    const d3d7::D3DMATRIX projection = Transform(d3d7::D3DTRANSFORMSTATE_PROJECTION);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(projection.m[i], counting.m[i]);
}

TEST_F(DeviceStateTest, DefaultStatesAreSetAfterEveryDeviceCreation)
{
    for (const bool stencil : {false, true})
    {
        renderSystem.reset();
        window.reset();
        CreateSmall(32, stencil);
        for (int pass = 0; pass < 2; ++pass)
        {
            for (std::uint32_t stage = 0; stage < renderSystem->textureStageCount; ++stage)
            {
                EXPECT_EQ(StageState(stage, d3d7::D3DTSS_TEXTURETRANSFORMFLAGS), d3d7::D3DTTFF_COUNT2);
                EXPECT_EQ(StageState(stage, d3d7::D3DTSS_TEXCOORDINDEX), 0u);
                EXPECT_EQ(StageState(stage, d3d7::D3DTSS_COLOROP), d3d7::D3DTOP_MODULATE);
                EXPECT_EQ(StageState(stage, d3d7::D3DTSS_ALPHAARG1), d3d7::D3DTA_TEXTURE);
                EXPECT_EQ(StageState(stage, d3d7::D3DTSS_ALPHAARG2), d3d7::D3DTA_DIFFUSE);
                EXPECT_EQ(StageState(stage, d3d7::D3DTSS_ALPHAOP),
                          stage == 0 ? d3d7::D3DTOP_MODULATE : d3d7::D3DTOP_DISABLE);
                EXPECT_EQ(StageState(stage, d3d7::D3DTSS_MAGFILTER), d3d7::D3DTFG_LINEAR);
                EXPECT_EQ(StageState(stage, d3d7::D3DTSS_ADDRESSU), d3d7::D3DTADDRESS_WRAP);
            }
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_COLORVERTEX), 1u);
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_DIFFUSEMATERIALSOURCE), d3d7::D3DMCS_COLOR1);
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_AMBIENTMATERIALSOURCE), d3d7::D3DMCS_COLOR1);
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_ZFUNC), d3d7::D3DCMP_LESS);
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_ZENABLE), 0u);
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_ZWRITEENABLE), 1u);
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_LIGHTING), 0u);
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_CULLMODE), d3d7::D3DCULL_NONE);
            // The device's own start values unless a stencil buffer came with the depth buffer.
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_STENCILFUNC), stencil ? d3d7::D3DCMP_EQUAL : d3d7::D3DCMP_ALWAYS);
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_STENCILPASS),
                      stencil ? d3d7::D3DSTENCILOP_INCR : d3d7::D3DSTENCILOP_KEEP);
            EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_STENCILMASK), 0xFFFFFFFFu);
            d3d7::D3DMATERIAL7 material;
            ASSERT_EQ(renderSystem->d3dDevice->GetMaterial(&material), d3d7::D3D_OK);
            EXPECT_FLOAT_EQ(material.ambient.r, 0.6f);
            EXPECT_FLOAT_EQ(material.diffuse.g, 1.0f);
            EXPECT_FLOAT_EQ(material.emissive.a, 1.0f);
            EXPECT_FLOAT_EQ(material.specular.r, 0.0f);
            // And again on the device a reset makes.
            renderSystem->SetZ(true);
            renderSystem->CheckVideoMode();
            renderSystem->Reset(3);
        }
        EXPECT_TRUE(Entries(2).empty()) << stencil;
    }
}

TEST_F(DeviceStateTest, DrawsCountTheirIndicesAndVertices)
{
    CreateSmall();
    const struct
    {
        bool strip;
        std::uint32_t primitives;
        std::uint32_t indexCount;
    } rows[] = {{true, 1, 3}, {false, 1, 3}, {true, 10, 12}, {false, 10, 30}};
    for (const auto& row : rows)
    {
        std::vector<std::uint32_t> indices(30);
        std::iota(indices.begin(), indices.end(), 0u);
        Mesh mesh = Indexed(30, indices, row.strip);
        renderSystem->DrawIndexedPrimitive(row.strip, mesh.indices.get(), mesh.vertices.get(), row.primitives);
        const d3d7::testing::DrawRecord last = d3d7::testing::GetLastDraw();
        EXPECT_EQ(last.primitiveType, row.strip ? d3d7::D3DPT_TRIANGLESTRIP : d3d7::D3DPT_TRIANGLELIST);
        EXPECT_EQ(last.indexCount, row.indexCount);
        EXPECT_EQ(last.vertexCount, 30u);
        EXPECT_EQ(last.fvf, row.strip ? 0x152u : 0x112u);
        EXPECT_EQ(last.indexSize, 2u);
    }

    // Indices 5, 7, 9: the largest used index + 1.
    Mesh sparse = Indexed(10, {5, 7, 9});
    renderSystem->DrawIndexedPrimitive(false, sparse.indices.get(), sparse.vertices.get(), 1);
    EXPECT_EQ(d3d7::testing::GetLastDraw().vertexCount, 10u);
    EXPECT_TRUE(Entries(2).empty());
}

TEST_F(DeviceStateTest, LargeIndexBuffersDrawWithTheirOwnIndexSize)
{
    CreateSmall();
    // 70,000 indices: the last triangle uses vertices beyond 65,535.
    std::vector<std::uint32_t> indices(70000);
    std::iota(indices.begin(), indices.end(), 0u);
    Mesh mesh = Indexed(70000, indices, true);
    ASSERT_TRUE(mesh.indices->Is32Bit());
    // Only the last triangle is visible; cut to 16 bits its indices would name 4460 to 4462.
    ColoredVertex* vertices = mesh.vertices->LockColoredVertices(0, 70000);
    for (std::uint32_t i = 0; i < 70000; ++i)
        vertices[i].position = Vector3(0.0f, 0.0f, 5.0f);
    vertices[69996] = ColoredVertex{Vector3(-1.0f, -1.0f, -0.5f), Vector3(0, 0, 1), 0xFFFF0000u, 0, 0};
    vertices[69997] = ColoredVertex{Vector3(3.0f, -1.0f, -0.5f), Vector3(0, 0, 1), 0xFFFF0000u, 0, 0};
    vertices[69998] = ColoredVertex{Vector3(-1.0f, 3.0f, -0.5f), Vector3(0, 0, 1), 0xFFFF0000u, 0, 0};
    mesh.vertices->Unlock();
    renderSystem->BeginScene();
    renderSystem->DrawIndexedPrimitive(false, mesh.indices.get(), mesh.vertices.get(), 70000 / 3);
    renderSystem->EndScene();
    Grab();
    EXPECT_EQ(d3d7::testing::GetLastDraw().indexSize, 4u);
    EXPECT_EQ(d3d7::testing::GetLastDraw().vertexCount, 70000u);
    EXPECT_TRUE(corvellan::test::Near(At(0.0f, 0.0f), corvellan::test::Rgb{255, 0, 0}));
}

TEST_F(DeviceStateTest, DrawsBeyondTheBuffersAreSkippedWithOneErrorPerBuffer)
{
    CreateSmall();
    const std::string text = "RenderSystem_D3D7::DrawIndexedPrimitive: skipped a draw";
    // An index past the four vertices, as a damaged file could hold.
    Mesh beyond = Indexed(4, {0, 1, 9});
    const std::uint32_t before = d3d7::testing::GetLastDraw().draws;
    for (int frame = 0; frame < 3; ++frame)
        renderSystem->DrawIndexedPrimitive(false, beyond.indices.get(), beyond.vertices.get(), 1);
    EXPECT_EQ(Errors(text), 1u);
    EXPECT_EQ(d3d7::testing::GetLastDraw().draws, before);

    // More primitives than the used indices hold.
    Mesh short_ = Indexed(4, {0, 1, 2});
    renderSystem->DrawIndexedPrimitive(false, short_.indices.get(), short_.vertices.get(), 2);
    renderSystem->DrawIndexedPrimitive(true, short_.indices.get(), short_.vertices.get(), 2);
    EXPECT_EQ(Errors(text), 2u);
    EXPECT_EQ(d3d7::testing::GetLastDraw().draws, before);

    // Nothing to draw is no error.
    short_.indices->SetIndexCount(0);
    renderSystem->DrawIndexedPrimitive(false, short_.indices.get(), short_.vertices.get(), 0);
    renderSystem->DrawIndexedPrimitive(false, short_.indices.get(), short_.vertices.get(), 1);
    EXPECT_EQ(Errors(text), 2u);
}

TEST_F(DeviceStateTest, AmbientColourAndMaterialReachTheDevice)
{
    CreateSmall();
    renderSystem->SetAmbientColor(Color(1.5f, -0.2f, 0.5f, 1.0f));
    EXPECT_EQ(RenderState(d3d7::D3DRENDERSTATE_AMBIENT), 0xFFFF007Fu);
    renderSystem->SetMaterial(Color(0.6f, 0.5f, 0.4f, 1.0f), Color(0.1f, 0.2f, 0.3f, 0.4f),
                              Color(0.0f, 0.0f, 0.0f, 0.0f), Color(0.7f, 0.8f, 0.9f, 1.0f), 12.0f);
    d3d7::D3DMATERIAL7 material;
    ASSERT_EQ(renderSystem->d3dDevice->GetMaterial(&material), d3d7::D3D_OK);
    EXPECT_FLOAT_EQ(material.ambient.g, 0.5f);
    EXPECT_FLOAT_EQ(material.diffuse.a, 0.4f);
    EXPECT_FLOAT_EQ(material.emissive.b, 0.9f);
    EXPECT_FLOAT_EQ(material.power, 12.0f);
}

TEST_F(DeviceStateTest, FailedDeviceCallsAreReportedWithTheSlotsName)
{
    CreateSmall();
    const struct
    {
        const char* operation;
        void (*set)(RenderSystem&);
        const char* context;
    } rows[] = {
        {"SetRenderState", [](RenderSystem& rs) { rs.SetZWrite(false); }, "RenderSystem_D3D7::UpdateZWrite"},
        {"SetTransform", [](RenderSystem& rs) { rs.SetWorldMatrix(Counting()); }, "RenderSystem_D3D7::UpdateWorldMatrix"},
        {"SetTextureStageState", [](RenderSystem& rs) { rs.SetTextureAdressU(0, 0); },
         "RenderSystem_D3D7::UpdateTextureAdressU"},
        {"SetTexture", [](RenderSystem& rs) { rs.forceStates = true; rs.SetTexture(0, nullptr); rs.forceStates = false; },
         "RenderSystem_D3D7::UpdateTexture"},
        {"SetMaterial",
         [](RenderSystem& rs) {
             rs.SetMaterial(Color(0, 0, 0, 0), Color(0, 0, 0, 0), Color(0, 0, 0, 0), Color(0, 0, 0, 0), 0);
         },
         "RenderSystem_D3D7::SetMaterial"},
    };
    for (const auto& row : rows)
    {
        log.ClearMessages();
        d3d7::testing::FailCall(row.operation, d3d7::DDERR_GENERIC);
        row.set(*renderSystem);
        EXPECT_EQ(Errors(std::string("Direct3D Subsystem (") + row.context + "): "), 1u) << row.context;
    }
}

TEST_F(DeviceStateTest, ACaptureWithoutItsTemporarySurfaceThrows)
{
    CreateSmall();
    const std::int32_t surfaces = d3d7::testing::GetLiveObjectCount(d3d7::testing::ObjectKind::Surface);
    for (const char* operation : {"CreateSurface", "Lock"})
    {
        d3d7::testing::FailCall(operation, d3d7::DDERR_OUTOFMEMORY);
        Image image;
        try
        {
            renderSystem->CaptureScreen(image);
            ADD_FAILURE() << operation;
        }
        catch (const Error& error)
        {
            EXPECT_EQ(error.GetText(), "Error creating temporary surface!");
        }
        // The image was already made at the mode's size.
        EXPECT_EQ(image.GetWidth(), kWidth);
        EXPECT_EQ(image.GetHeight(), kHeight);
    }
    EXPECT_EQ(d3d7::testing::GetLiveObjectCount(d3d7::testing::ObjectKind::Surface), surfaces);
}

} // namespace
