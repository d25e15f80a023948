// The GUI manager: its camera and services, the registries' slot order that
// decides the update and render order, and what goes first at destruction.
#include "content/AtomicWrite.h"
#include "content/WavWriter.h"
#include "engine/core/Config.h"
#include "engine/core/Controls_DI7.h"
#include "engine/core/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIFont.h"
#include "engine/render/Camera.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ModelManager.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/FrameRecordingRenderSystem.h"
#include "tests/support/GuiServices.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::test::GuiServices;

TEST(GUIManagerTest, CameraScreenAndServices)
{
    GuiServices services;
    GUIManager& gui = *services.gui;
    Camera* camera = gui.GetCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_NE(camera, services.cameras.defaultCamera);
    EXPECT_EQ(camera->type, 1u);
    EXPECT_EQ(camera->nearPlane, 500.0f);
    EXPECT_EQ(camera->farPlane, -500.0f);
    EXPECT_EQ(gui.GetScreenWidth(), 800.0f);
    EXPECT_EQ(gui.GetScreenHeight(), 600.0f);
    gui.SetScreenSize(1024.0f, 768.0f);
    EXPECT_EQ(camera->width, 1024.0f);
    EXPECT_EQ(camera->height, 768.0f);
    EXPECT_EQ(gui.GetScreenWidth(), 1024.0f);

    EXPECT_NE(gui.GetTextManager(), nullptr);
    EXPECT_NE(gui.GetFontManager(), nullptr);
    EXPECT_NE(gui.GetSoundManager(), nullptr) << "it exists, silent, without the engine's sound manager";

    GUICursor* cursor = gui.GetDefaultCursor();
    ASSERT_NE(cursor, nullptr);
    EXPECT_FALSE(cursor->visible);
    EXPECT_EQ(cursor->GetModel(), nullptr);
    EXPECT_EQ(gui.GetCursors().GetObjects(), std::vector<GUICursor*>({cursor}));
    cursor->position = Vector2(12.0f, 34.0f);
    EXPECT_EQ(gui.GetCursorPosition().x, 12.0f);
    EXPECT_EQ(gui.GetCursorPosition().y, 34.0f);

    GUICursor* second = gui.CreateCursor(nullptr, 32.0f);
    EXPECT_EQ(gui.GetCursors().GetCount(), 2u);
    gui.ReleaseCursor(second);
    gui.ReleaseCursor(second);
    gui.ReleaseCursor(nullptr);
    EXPECT_EQ(gui.GetCursors().GetCount(), 1u);
    EXPECT_EQ(gui.GetCursors().GetObjects(), std::vector<GUICursor*>({cursor, nullptr}));
}

// Windows are visited in slot order: a new one takes the slot freed last,
// and the slots close up once fewer than half are live. Seen twice: in the
// registry, and in the order in which windows of one depth print into their
// shared batch (each prints its own letter, told apart by texture origin).
TEST(GUIManagerTest, RegistryOrderIsSlotOrder)
{
    struct Step
    {
        char create;  // or 0
        char release; // or 0; '-' releases null
    };
    struct Row
    {
        std::vector<Step> steps;
        std::string slots;
    };
    const std::vector<Row> rows = {
        {{{'A', 0}, {'B', 0}, {'C', 0}, {0, 'B'}, {'D', 0}}, "ADC"},
        {{{'A', 0}, {'B', 0}, {'C', 0}, {'D', 0}, {0, 'B'}, {0, 'C'}, {'E', 0}, {'F', 0}}, "AFED"},
        {{{'A', 0}, {'B', 0}, {'C', 0}, {'D', 0}, {0, 'A'}, {0, 'B'}, {0, 'C'}, {'E', 0}}, "DE"},
        {{{'A', 0}, {'B', 0}, {0, 'A'}, {0, 'A'}, {0, '-'}}, ".B"},
    };
    const std::string letters = "ABCDEF";
    std::vector<corvellan::test::BoxGlyph> glyphs;
    for (const char letter : letters)
        glyphs.push_back({static_cast<char16_t>(letter), 0.5f});
    for (const Row& row : rows)
    {
        GuiServices services;
        GUIManager& gui = *services.gui;
        ASSERT_NE(services.AddBoxFont(1, "letters.fnt", glyphs, 10.0f), nullptr);
        std::map<char, GUIWindow*> byName;
        for (const Step& step : row.steps)
        {
            if (step.create != 0)
                byName[step.create] = gui.CreateWindow(1, Vector2(0, 0), Vector2(1, 1), nullptr, nullptr);
            else
                gui.ReleaseWindow(step.release == '-' ? nullptr : byName[step.release]);
        }
        std::string slots;
        for (GUIWindow* slot : gui.GetWindows().GetObjects())
        {
            char name = '.';
            for (const auto& [letter, window] : byName)
                if (window == slot && slot != nullptr)
                    name = letter;
            slots += name;
            if (slot != nullptr)
                slot->AddWideText(0, 1, Vector2(0, 0), Color(1, 1, 1, 1), std::u16string(1, char16_t(name)));
        }
        EXPECT_EQ(slots, row.slots);

        gui.Render();
        ASSERT_EQ(gui.GetFontManager()->GetInstances().size(), 1u);
        const Model& batch = *gui.GetFontManager()->GetInstances()[0]->GetModel();
        const auto* quads = reinterpret_cast<const ColoredVertex*>(batch.GetVertexBuffer()->GetData());
        std::string printed;
        for (std::uint32_t q = 0; q < batch.GetIndexBuffer()->GetIndexCount() / 6; ++q)
            printed += letters.at(static_cast<std::size_t>(std::lround(quads[4 * q + 1].u * static_cast<float>(letters.size()))));
        std::string live = row.slots;
        live.erase(std::remove(live.begin(), live.end(), '.'), live.end());
        EXPECT_EQ(printed, live) << row.slots;
    }
}

TEST(GUIManagerTest, UpdateHandsTheMouseCursorToEveryWindow)
{
    GuiServices services;
    GUIManager& gui = *services.gui;
    GUIWindow* under = gui.CreateWindow(1, Vector2(0, 0), Vector2(100, 100), nullptr, nullptr);
    GUIWindow* over = gui.CreateWindow(1 | 16, Vector2(50, 50), Vector2(100, 100), nullptr, nullptr);
    GUIWindow* away = gui.CreateWindow(1, Vector2(300, 300), Vector2(10, 10), nullptr, nullptr);
    GUIWindow* hidden = gui.CreateWindow(0, Vector2(0, 0), Vector2(800, 600), nullptr, nullptr);

    // Pixel row 524 of 600 is virtual y 75: the cursor lies in the overlap,
    // and with no occlusion test both windows are hovered.
    ASSERT_TRUE(win32::testing::PushMouseMotion(services.window->handle, 75, 524, 1, 1));
    services.Frame();
    EXPECT_FLOAT_EQ(gui.GetCursorPosition().x, 75.0f);
    EXPECT_FLOAT_EQ(gui.GetCursorPosition().y, 75.0f);
    EXPECT_TRUE(under->hovered);
    EXPECT_TRUE(over->hovered);
    EXPECT_FALSE(away->hovered);
    EXPECT_FALSE(hidden->hovered);
}

// A camera that runs a check when it goes.
class WitnessCamera : public Camera
{
public:
    using Camera::Camera;
    ~WitnessCamera() override
    {
        if (onDelete)
            onDelete();
    }
    std::function<void()> onDelete;
};

class WitnessRenderSystem : public corvellan::test::FrameRecordingRenderSystem
{
public:
    using FrameRecordingRenderSystem::FrameRecordingRenderSystem;
    Camera* CreateCamera(std::uint32_t type) override
    {
        if (type != GUIManager::CameraKind)
            return FrameRecordingRenderSystem::CreateCamera(type);
        guiCamera = new WitnessCamera(type);
        return guiCamera;
    }
    WitnessCamera* guiCamera = nullptr;
};

// The widgets' models refer to the GUI camera to the end, so every one of
// them is gone before the camera is.
TEST(GUIManagerTest, TheCameraGoesAfterEveryWidgetModel)
{
    corvellan::test::TempFolder folder;
    MessageManager log{"Test", false, false, "", ""};
    FileManager files{&log, folder.Path(), "Data"};
    Config config{&log, &files, folder.Path(), "Test", false, "800x600x32", false, false};
    TimerManager timers;
    WitnessRenderSystem renderSystem{&log, &config};
    renderSystem.ready = true;
    renderSystem.InitTextureStages();
    CameraManager cameras{&log, nullptr, &renderSystem};
    LightManager lights{&log, &renderSystem};
    ShaderManager shaders{&log, &files, &timers, &config, &renderSystem};
    ModelManager models{&log, &files, &timers, &renderSystem, &cameras, &lights, &shaders};
    win32::testing::ResetWindowHooks();
    Window window(&log, &config, "Test 1.03", 0, 101, true, 800, 600, false, true, 0, 0);
    Controls_DI7 controls(&log, &timers, &config, &window, true);

    auto gui = std::make_unique<GUIManager>(&log, &files, &window, &timers, &cameras, &shaders, &models, &controls,
                                            nullptr);
    GUIWindow* root = gui->CreateTexturedWindow(1, Vector2(0, 0), Vector2(10, 10), nullptr, nullptr, Vector2(1, 1));
    gui->CreateTexturedWindow(3, Vector2(0, 0), Vector2(10, 10), nullptr, root, Vector2(1, 1));
    gui->CreateCursor(nullptr, 32.0f);
    ASSERT_NE(renderSystem.guiCamera, nullptr);
    ASSERT_GE(models.GetModelCount(), 2u);
    std::int64_t modelsLeft = -1;
    renderSystem.guiCamera->onDelete = [&] { modelsLeft = models.GetModelCount(); };
    gui.reset();
    EXPECT_EQ(modelsLeft, 0);
    EXPECT_EQ(models.GetModelCount(), 0u);
    win32::testing::ResetWindowHooks();
}

TEST(GUIManagerTest, WithoutAnAudioDeviceTheEngineStillHasItsGui)
{
    corvellan::test::ScopedEnvironment driver("SDL_AUDIODRIVER", std::string("nosuchdriver"));
    corvellan::test::EngineFixture fixture;
    Engine& engine = fixture.Start();
    EXPECT_EQ(engine.soundManager, nullptr);
    ASSERT_NE(engine.guiManager, nullptr);
    GUIManager& gui = *engine.guiManager;
    ASSERT_NE(gui.GetSoundManager(), nullptr);
    gui.SetScreenSize(800.0f, 600.0f);
    gui.GetSoundManager()->AddSound(0, "missing.wav");
    gui.GetSoundManager()->Play(0);
    GUIWindow* window = gui.CreateTexturedWindow(1, Vector2(100, 100), Vector2(200, 100), nullptr, nullptr,
                                                 Vector2(1, 1));
    window->AddWideText(3, 0, Vector2(0, 0), Color(1, 1, 1, 1), u"no font");
    engine.Frame(0);
    engine.Frame(0);
    EXPECT_EQ(window->GetTextEntryCount(), 0u);
    fixture.Stop();
}

// The GUI sounds are released through the engine's sound manager, so the
// GUI goes first when the engine ends (a wrong order is a use after free
// under the sanitizers).
TEST(GUIManagerTest, TheEngineEndsItsGuiBeforeItsSoundManager)
{
    corvellan::test::EngineFixture fixture(corvellan::test::EngineFixture::Options{true});
    const std::string wav =
        corvellan::content::WavWriter::Simple({1, 1, 22050, 16}, corvellan::content::Samples16({100, 200, 300}));
    ASSERT_TRUE(corvellan::content::WriteFileAtomically(fixture.folder.Join("data/click.wav"), wav));
    Engine& engine = fixture.Start();
    ASSERT_NE(engine.soundManager, nullptr);
    GUISoundManager& sounds = *engine.guiManager->GetSoundManager();
    sounds.AddSound(0, "click.wav");
    ASSERT_EQ(sounds.GetEvents().size(), 1u);
    ASSERT_NE(sounds.GetEvents().at(0).at(0)->sound, nullptr);
    engine.Frame(0);
    sounds.Play(0);
    engine.Frame(0);
    fixture.Stop();
    EXPECT_EQ(fixture.engine, nullptr);
}

} // namespace
} // namespace OrvaneEngine
