#include "engine/render/AdapterInfo.h"
#include "engine/render/DeviceInfo.h"
#include "engine/render/ModeInfo.h"
#include "engine/render/Texture2D.h"
#include "tests/engine/render/RenderFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace OrvaneEngine;
using corvellan::test::RecordingRenderSystem;

namespace
{

class RenderStateCacheTest : public corvellan::test::RecordingRenderFixture
{
protected:
    void SetUp() override
    {
        renderSystem.InitTextureStages();
        renderSystem.ClearCalls();
    }

    Texture2D first{&log, &config, nullptr, "first", false};
    Texture2D second{&log, &config, nullptr, "second", false};
};

Matrix4 MatrixWith(float element5)
{
    Matrix4 m;
    Matrix4::Identity(m);
    m.m[5] = element5;
    return m;
}

// Each setter sees five calls: a new value, the same value, a change within
// the tolerance, a change beyond it, and the same value again while forced.
TEST_F(RenderStateCacheTest, SettersReachTheDeviceOnlyOnChange)
{
    struct Row
    {
        const char* update;
        std::uint32_t stage;
        // variant 0: the new value; 1: within 0.0001 of it (or the same); 2: beyond.
        std::function<void(RecordingRenderSystem&, int)> set;
    };
    const auto pick = [](int variant, auto a, auto within, auto beyond) {
        return variant == 0 ? a : (variant == 1 ? within : beyond);
    };
    const std::vector<Row> rows = {
        {"UpdateViewMatrix", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) {
             rs.SetViewMatrix(MatrixWith(pick(v, 2.0f, 2.00005f, 2.0002f)));
         }},
        {"UpdateWorldMatrix", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) {
             rs.SetWorldMatrix(MatrixWith(pick(v, 2.0f, 2.00005f, 2.0002f)));
         }},
        {"UpdateAmbientColor", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) {
             rs.SetAmbientColor(Color(0.5f, pick(v, 0.25f, 0.25005f, 0.2502f), 0.0f, 1.0f));
         }},
        {"UpdateAlphaBlend", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) { rs.SetAlphaBlend(pick(v, true, true, false)); }},
        {"UpdateBlend", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) { rs.SetBlend(pick(v, 4u, 4u, 5u), 5); }},
        {"UpdateBlend", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) { rs.SetBlend(4, pick(v, 5u, 5u, 1u)); }},
        {"UpdateTexture", 1,
         [&](RecordingRenderSystem& rs, int v) { rs.SetTexture(1, pick(v, &first, &first, &second)); }},
        {"UpdateMaxTextureAnisotropy", 1,
         [&](RecordingRenderSystem& rs, int v) { rs.SetMaxTextureAnisotropy(1, pick(v, 4u, 4u, 8u)); }},
        {"UpdateTextureFilter", 0,
         [&](RecordingRenderSystem& rs, int v) { rs.SetTextureFilter(0, pick(v, 2u, 2u, 0u)); }},
        {"UpdateTextureAdressU", 0,
         [&](RecordingRenderSystem& rs, int v) { rs.SetTextureAdressU(0, pick(v, 0u, 0u, 7u)); }},
        {"UpdateTextureAdressV", 1,
         [&](RecordingRenderSystem& rs, int v) { rs.SetTextureAdressV(1, pick(v, 0u, 0u, 1u)); }},
        {"UpdateTextureMatrix", 1,
         [&](RecordingRenderSystem& rs, int v) {
             rs.SetTextureTransform(1, 2.0f, 1.0f, 0.5f, pick(v, 0.25f, 0.25005f, 0.2502f));
         }},
        {"UpdateCullMode", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) { rs.SetCullMode(pick(v, 2u, 2u, 1u)); }},
        {"UpdateLighting", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) { rs.SetLighting(pick(v, true, true, false)); }},
        {"UpdateNormalizeNormals", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) { rs.SetNormalizeNormals(pick(v, true, true, false)); }},
        {"UpdateZ", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) { rs.SetZ(pick(v, true, true, false)); }},
        {"UpdateZWrite", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) { rs.SetZWrite(pick(v, false, false, true)); }},
        {"UpdateStencil", RecordingRenderSystem::NoStage,
         [&](RecordingRenderSystem& rs, int v) { rs.SetStencil(pick(v, true, true, false)); }},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.update);
        RecordingRenderSystem rs(&log, &config);
        rs.InitTextureStages();
        const auto count = [&] {
            return row.stage == RecordingRenderSystem::NoStage ? rs.Count(row.update) : rs.Count(row.update, row.stage);
        };
        rs.ClearCalls();
        row.set(rs, 0);
        EXPECT_EQ(count(), 1u) << "first call";
        row.set(rs, 0);
        EXPECT_EQ(count(), 1u) << "same value";
        row.set(rs, 1);
        EXPECT_EQ(count(), 1u) << "within the tolerance";
        row.set(rs, 2);
        EXPECT_EQ(count(), 2u) << "beyond the tolerance";
        rs.forceStates = true;
        row.set(rs, 2);
        EXPECT_EQ(count(), 3u) << "forced";
        EXPECT_EQ(rs.calls.size(), 3u) << "no other state was sent";
    }
}

TEST_F(RenderStateCacheTest, RefreshClampsTheAnisotropyAndUpdatesStagesThatDiffer)
{
    struct Row
    {
        std::uint32_t configured;
        std::uint32_t deviceMaximum;
        std::uint32_t expected;
    };
    const Row rows[] = {{0, 8, 1}, {16, 8, 8}, {4, 0, 1}, {0xFFFFFFFFu, 8, 1}, {4, 8, 4}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(::testing::Message() << row.configured << " on " << row.deviceMaximum);
        RecordingRenderSystem rs(&log, &config, 2, row.deviceMaximum);
        rs.InitTextureStages();
        rs.ClearCalls();
        config.textureAnisotropy = row.configured;
        rs.Refresh();
        EXPECT_EQ(config.textureAnisotropy, row.expected);
        EXPECT_EQ(config.GetValueText("r_texture_anisotropy"), std::to_string(row.expected));
        // The defaults hold 1 in every stage: only a different value is sent.
        const std::size_t perStage = row.expected == 1 ? 0u : 1u;
        EXPECT_EQ(rs.Count("UpdateMaxTextureAnisotropy", 0), perStage);
        EXPECT_EQ(rs.Count("UpdateMaxTextureAnisotropy", 1), perStage);
        EXPECT_EQ(rs.stageMaxAnisotropy[1], row.expected);
        rs.Refresh();
        EXPECT_EQ(rs.Count("UpdateMaxTextureAnisotropy"), 2 * perStage) << "a second refresh sends nothing";
        rs.forceStates = true;
        rs.Refresh();
        EXPECT_EQ(rs.Count("UpdateMaxTextureAnisotropy"), 2 * perStage + 2) << "forced, every stage";
    }
}

TEST_F(RenderStateCacheTest, CheckVideoModeRequestsAResetOnlyForAnotherMode)
{
    auto* adapter = new AdapterInfo;
    auto* device = new DeviceInfo;
    auto* mode = new ModeInfo;
    mode->width = 800;
    mode->height = 600;
    mode->depth = 32;
    device->modes.push_back(mode);
    device->mode = mode;
    device->fullscreen = false;
    adapter->devices.push_back(device);
    adapter->device = device;
    renderSystem.adapters.push_back(adapter);
    renderSystem.adapter = adapter;

    struct Row
    {
        const char* mode;
        bool fullscreen;
        bool reset;
    };
    const Row rows[] = {
        {"800x600x32", false, false}, {"800X600X32", false, false}, {"1024x600x32", false, true},
        {"800x768x32", false, true},  {"800x600x16", false, true},  {"800x600x32", true, true},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.mode);
        renderSystem.resetNeeded = false;
        config.videoMode = row.mode;
        config.fullscreen = row.fullscreen;
        renderSystem.CheckVideoMode();
        EXPECT_EQ(renderSystem.resetNeeded, row.reset);
    }
}

TEST_F(RenderStateCacheTest, ResetMaskBits)
{
    struct Row
    {
        std::uint32_t mask;
        bool resetNeeded;
        bool ready;
        bool reloadTextures;
    };
    const Row rows[] = {{1, false, true, true}, {2, true, false, false}, {3, false, true, false}, {0, true, false, true}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.mask);
        renderSystem.resetNeeded = true;
        renderSystem.ready = false;
        renderSystem.reloadTextures = true;
        renderSystem.Reset(row.mask);
        EXPECT_EQ(renderSystem.resetNeeded, row.resetNeeded);
        EXPECT_EQ(renderSystem.ready, row.ready);
        EXPECT_EQ(renderSystem.reloadTextures, row.reloadTextures);
    }
}

TEST_F(RenderStateCacheTest, InitTextureStagesForcesEveryDefault)
{
    RecordingRenderSystem rs(&log, &config, 3, 8);
    rs.stageTexture.assign(1, &first);
    rs.lightsLost = true;
    rs.InitTextureStages();

    EXPECT_TRUE(rs.ready);
    EXPECT_FALSE(rs.forceStates);
    EXPECT_FALSE(rs.lightsLost);
    ASSERT_EQ(rs.stageTexture.size(), 3u);
    for (std::uint32_t stage = 0; stage < 3; ++stage)
    {
        SCOPED_TRACE(stage);
        EXPECT_EQ(rs.stageTexture[stage], nullptr);
        EXPECT_EQ(rs.stageMaxAnisotropy[stage], 1u);
        EXPECT_EQ(rs.stageFilter[stage], TextureFilterBilinear);
        EXPECT_EQ(rs.stageAddressU[stage], TextureAddressWrap);
        EXPECT_EQ(rs.stageAddressV[stage], TextureAddressWrap);
        EXPECT_EQ(rs.stageTransform[stage], (std::array<float, 4>{1.0f, 1.0f, 0.0f, 0.0f}));
        for (const char* update : {"UpdateTexture", "UpdateMaxTextureAnisotropy", "UpdateTextureFilter",
                                   "UpdateTextureAdressU", "UpdateTextureAdressV", "UpdateTextureMatrix"})
            EXPECT_EQ(rs.Count(update, stage), 1u) << update;
    }
    for (const char* update : {"UpdateViewMatrix", "UpdateWorldMatrix", "UpdateAmbientColor", "UpdateAlphaBlend",
                               "UpdateBlend", "UpdateCullMode", "UpdateLighting", "UpdateNormalizeNormals", "UpdateZ",
                               "UpdateZWrite", "UpdateStencil"})
        EXPECT_EQ(rs.Count(update), 1u) << update;
    EXPECT_EQ(rs.Count("UpdateProjectionMatrix"), 0u);
    EXPECT_FALSE(rs.zEnable);
    EXPECT_TRUE(rs.zWrite);
    EXPECT_FALSE(rs.alphaBlend);
    EXPECT_EQ(rs.cullMode, CullModeNone);
    Matrix4 identity;
    Matrix4::Identity(identity);
    EXPECT_TRUE(rs.viewMatrix == identity);
    EXPECT_TRUE(rs.worldMatrix == identity);
    EXPECT_FLOAT_EQ(rs.ambientColor.a, 1.0f);

    ASSERT_EQ(rs.materials.size(), 1u);
    const RecordingRenderSystem::Material& material = rs.materials[0];
    EXPECT_FLOAT_EQ(material.ambient.r, 0.6f);
    EXPECT_FLOAT_EQ(material.ambient.a, 1.0f);
    EXPECT_FLOAT_EQ(material.diffuse.g, 1.0f);
    EXPECT_FLOAT_EQ(material.specular.a, 0.0f);
    EXPECT_FLOAT_EQ(material.emissive.b, 0.0f);
    EXPECT_FLOAT_EQ(material.emissive.a, 1.0f);
    EXPECT_FLOAT_EQ(material.power, 0.0f);
    EXPECT_EQ(rs.calls.front().name, "SetMaterial") << "the material comes first";
}

TEST_F(RenderStateCacheTest, StagesBeyondTheCacheAreIgnored)
{
    renderSystem.SetTexture(5, &first);
    renderSystem.SetTextureFilter(2, 0);
    renderSystem.SetTextureTransform(9, 1.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_TRUE(renderSystem.calls.empty());
    EXPECT_EQ(renderSystem.stageTexture.size(), 2u);
}

} // namespace
