#pragma once

#include "framework/GUILogosWindowBase.h"

#include <cstdint>

namespace OrvaneEngine
{
class FileManager;
class GUIManager;
class GUIWindow;
} // namespace OrvaneEngine

namespace Mirabel
{

// Up to two full-screen publisher logos when the program starts, one after
// the other; a logo whose picture is missing is skipped.
class GUILogosWindow : public GameFramework::GUILogosWindowBase
{
public:
    static constexpr float HoldSeconds = 1.5f;

    explicit GUILogosWindow(OrvaneEngine::Engine* engine);
    ~GUILogosWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    OrvaneEngine::FileManager* fileManager;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::GUIWindow* rootWindow = nullptr;
    OrvaneEngine::GUIWindow* firstLogo = nullptr;
    OrvaneEngine::GUIWindow* secondLogo = nullptr;
    bool active = false;
    float time = 0.0f;

private:
    // Fades the logo once its time is up and hides it once gone.
    void Fade(OrvaneEngine::GUIWindow& logo);
};

} // namespace Mirabel
