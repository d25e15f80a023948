#pragma once

#include <cstdint>
#include <memory>

namespace OrvaneEngine
{
class AnimationControl;
class Engine;
class GUIManager;
class GUIWindow;
class MessageManager;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{
class SoundController;
}

namespace Mirabel
{

class GUIBackgroundWindow;

// The animated unicorn of the ending: a flip-book texture animation on one
// model that stands where the background's unicorn layer stands. Loaded with
// the game's last level, shown by the game-complete effect, hidden when the
// game-complete screen closes.
class GUIUnicorn
{
public:
    static constexpr const char* ModelFile = "ui\\menus\\background\\models\\unicorn_animated.mlf";
    static constexpr std::uint32_t SoundUpgrade = 1;
    static constexpr float AnimationStart = 3.1f;

    GUIUnicorn(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
               GUIBackgroundWindow* background);
    virtual ~GUIUnicorn();
    GUIUnicorn(const GUIUnicorn&) = delete;
    GUIUnicorn& operator=(const GUIUnicorn&) = delete;

    // Nothing when the window exists already.
    void LoadModel();
    // Nothing without a window or while it is shown.
    void Show();
    void Hide();
    void Update();

    OrvaneEngine::GUIWindow* GetWindow() const { return window; }
    const OrvaneEngine::AnimationControl* GetAnimation() const { return animation.get(); }

    // The animation has played to its end; read by the effect.
    std::uint8_t finished = 0;

private:
    void Release();

    OrvaneEngine::MessageManager* log;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::GUIManager* guiManager;
    GameFramework::SoundController* soundController;
    GUIBackgroundWindow* background;
    OrvaneEngine::GUIWindow* window = nullptr;
    std::unique_ptr<OrvaneEngine::AnimationControl> animation;
    std::uint8_t appearing = 0;
    std::uint8_t disappearing = 0;
    float timer = 0.0f;
};

} // namespace Mirabel
