#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "tests/engine/render/RenderFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace OrvaneEngine;

namespace
{

// A camera that writes down what is done to it.
class NotingCamera : public Camera
{
public:
    NotingCamera(std::uint32_t type_, std::vector<std::string>& notes_, int id_)
        : Camera(type_), notes(notes_), id(id_)
    {
    }
    ~NotingCamera() override { notes.push_back("delete " + std::to_string(id)); }
    void Update(float aspect) override
    {
        Camera::Update(aspect);
        notes.push_back("update " + std::to_string(id));
    }
    void Apply() override { notes.push_back("apply " + std::to_string(id)); }
    void ApplyZBiased() override { notes.push_back("biased " + std::to_string(id)); }

private:
    std::vector<std::string>& notes;
    int id;
};

class CameraMakingRenderSystem : public corvellan::test::RecordingRenderSystem
{
public:
    using RecordingRenderSystem::RecordingRenderSystem;
    Camera* CreateCamera(std::uint32_t type) override { return new NotingCamera(type, notes, made++); }

    std::vector<std::string> notes;
    int made = 0;
};

class CameraManagerTest : public corvellan::test::RecordingRenderFixture
{
protected:
    CameraMakingRenderSystem devices{&log, &config};
};

TEST_F(CameraManagerTest, FreedSlotsAreReusedLastFreedFirst)
{
    CameraManager manager(&log, nullptr, &devices);
    ASSERT_NE(manager.defaultCamera, nullptr);
    EXPECT_EQ(manager.defaultCamera->type, 0u);
    EXPECT_EQ(manager.GetCamera(0), manager.defaultCamera);

    Camera* one = manager.CreateCamera(1);
    Camera* two = manager.CreateCamera(1);
    Camera* three = manager.CreateCamera(1);
    EXPECT_EQ(manager.GetCamera(1), one);
    EXPECT_EQ(manager.GetCamera(3), three);
    manager.DeleteCamera(two);
    EXPECT_EQ(manager.GetCamera(2), nullptr);
    Camera* five = manager.CreateCamera(0);
    EXPECT_EQ(manager.GetCamera(2), five);
    EXPECT_EQ(manager.GetUsedSlots(), (std::vector<std::uint32_t>{0, 1, 3, 2}));

    devices.notes.clear();
    manager.Update();
    EXPECT_EQ(devices.notes, (std::vector<std::string>{"update 0", "update 1", "update 3", "update 4"}));
}

TEST_F(CameraManagerTest, OnlyTheManagerItselfDeletesTheDefaultCamera)
{
    {
        CameraManager manager(&log, nullptr, &devices);
        CameraManager other(&log, nullptr, &devices);
        Camera* gui = manager.CreateCamera(1);
        Camera* foreign = other.CreateCamera(1);
        devices.notes.clear();

        const struct
        {
            Camera* camera;
            int errors;
        } rows[] = {{nullptr, 0}, {manager.defaultCamera, 1}, {foreign, 1}, {other.defaultCamera, 1}};
        for (const auto& row : rows)
        {
            log.ClearMessages();
            manager.DeleteCamera(row.camera);
            EXPECT_EQ(CountErrors(), row.errors);
        }
        EXPECT_TRUE(devices.notes.empty());
        EXPECT_EQ(manager.GetUsedSlots().size(), 2u);

        // The current camera, once deleted, is never taken for a later one.
        manager.SetCamera(gui, false);
        manager.DeleteCamera(gui);
        Camera* next = manager.CreateCamera(1);
        devices.notes.clear();
        manager.SetCamera(next, false);
        EXPECT_EQ(devices.notes.size(), 1u);
        devices.notes.clear();
    }
    // Both managers delete their default camera and what is left, in creation order.
    EXPECT_EQ(devices.notes, (std::vector<std::string>{"delete 1", "delete 3", "delete 0", "delete 4"}));
}

TEST_F(CameraManagerTest, SetCameraAppliesOnlyWhenTheCameraOrItsBiasChanges)
{
    CameraManager manager(&log, nullptr, &devices);
    Camera* gui = manager.CreateCamera(1);
    devices.notes.clear();

    manager.SetCamera(gui, false);
    manager.SetCamera(gui, false);
    manager.SetCamera(gui, true);
    manager.SetCamera(gui, true);
    manager.SetCamera(manager.defaultCamera, true);
    manager.SetCamera(nullptr, false);
    manager.Update();
    manager.SetCamera(manager.defaultCamera, true);
    EXPECT_EQ(devices.notes, (std::vector<std::string>{"apply 1", "biased 1", "biased 0", "update 0", "update 1",
                                                       "biased 0"}));
}

} // namespace
