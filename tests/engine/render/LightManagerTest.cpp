#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "tests/engine/render/RenderFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace OrvaneEngine;

namespace
{

class NotingLight : public Light
{
public:
    NotingLight(MessageManager* log_, std::uint32_t index_, std::vector<std::string>& notes_)
        : Light(log_, index_), notes(notes_)
    {
    }
    ~NotingLight() override { notes.push_back("delete " + std::to_string(index)); }
    void Refresh() override { notes.push_back("refresh " + std::to_string(index)); }
    void Restore() override { notes.push_back("restore " + std::to_string(index)); }

private:
    std::vector<std::string>& notes;
};

class LightMakingRenderSystem : public corvellan::test::RecordingRenderSystem
{
public:
    using RecordingRenderSystem::RecordingRenderSystem;
    Light* CreateLight(std::uint32_t index) override { return new NotingLight(log, index, notes); }

    std::vector<std::string> notes;
};

class LightManagerTest : public corvellan::test::RecordingRenderFixture
{
protected:
    void SetUp() override
    {
        devices.InitTextureStages();
        devices.ClearCalls();
    }

    LightMakingRenderSystem devices{&log, &config};
};

TEST_F(LightManagerTest, TheAmbientColourIsSentOnlyWhenItChangesOrStatesAreForced)
{
    LightManager manager(&log, &devices);
    struct Row
    {
        Color color;
        bool forced;
        std::size_t sent;
    };
    const Row rows[] = {
        {Color(0.0f, 0.0f, 0.0f, 1.0f), false, 0}, // the default states' colour
        {Color(0.0f, 0.0f, 0.0f, 1.0f), true, 1},
        {Color(0.2f, 0.0f, 0.0f, 1.0f), false, 1},
        {Color(0.20009f, 0.0f, 0.0f, 1.0f), false, 0},
        {Color(0.2002f, 0.0f, 0.0f, 1.0f), false, 1},
    };
    for (const Row& row : rows)
    {
        devices.ClearCalls();
        manager.ambientColor = row.color;
        devices.forceStates = row.forced;
        manager.Update();
        EXPECT_EQ(devices.Count("UpdateAmbientColor"), row.sent) << row.color.r << " " << row.forced;
    }
}

TEST_F(LightManagerTest, LightingIsSwitchedOnlyWhenItChanges)
{
    LightManager manager(&log, &devices);
    for (const bool lit : {true, true, false, false})
        manager.SetLighting(lit);
    EXPECT_EQ(devices.Count("UpdateLighting"), 2u);
    EXPECT_FALSE(devices.lighting);

    devices.forceStates = true;
    manager.SetLighting(false);
    EXPECT_EQ(devices.Count("UpdateLighting"), 3u);
}

TEST_F(LightManagerTest, LostLightsAreRestoredWhenLightingIsSwitchedOn)
{
    LightManager manager(&log, &devices);
    manager.CreateLight();
    manager.CreateLight();
    devices.lightsLost = true;
    manager.SetLighting(false);
    EXPECT_TRUE(devices.notes.empty());
    EXPECT_TRUE(devices.lightsLost);
    manager.SetLighting(true);
    manager.SetLighting(true);
    EXPECT_EQ(devices.notes, (std::vector<std::string>{"restore 0", "restore 1"}));
    EXPECT_FALSE(devices.lightsLost);
}

TEST_F(LightManagerTest, LightsTakeFreedSlotsAsDeviceIndicesAndAreRefreshedInCreationOrder)
{
    {
        LightManager manager(&log, &devices);
        LightManager other(&log, &devices);
        Light* first = manager.CreateLight();
        Light* second = manager.CreateLight();
        manager.CreateLight();
        EXPECT_EQ(second->index, 1u);
        manager.DeleteLight(second);
        manager.DeleteLight(first);
        EXPECT_EQ(manager.CreateLight()->index, 0u);
        EXPECT_EQ(manager.CreateLight()->index, 1u);
        EXPECT_EQ(manager.GetUsedSlots(), (std::vector<std::uint32_t>{2, 0, 1}));

        Light* foreign = other.CreateLight();
        log.ClearMessages();
        manager.DeleteLight(foreign);
        manager.DeleteLight(nullptr);
        EXPECT_EQ(CountErrors(), 1);

        devices.notes.clear();
        manager.Update();
        EXPECT_EQ(devices.notes, (std::vector<std::string>{"refresh 2", "refresh 0", "refresh 1"}));
        devices.notes.clear();
    }
    EXPECT_EQ(devices.notes, (std::vector<std::string>{"delete 0", "delete 2", "delete 0", "delete 1"}));
}

} // namespace
