#pragma once

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class GUIManager;
class GUIWindow;
} // namespace OrvaneEngine

namespace Mirabel
{

class GameData;
class GUIBackgroundWindow;
class GUIUnicorn;

// The ending over the stage map: three animated models play over the scene
// while the unicorn fades in; once the unicorn is done the effect answers 21
// and the game shows the game-complete screen.
class GUIGameCompleteEffect
{
public:
    static constexpr std::uint32_t ResultFinished = 21;
    static constexpr std::int32_t ContainerLevel = 100;
    static constexpr float AnimationSpeed = 20.0f;
    // Frames over which each effect fades in at its start and out at its end.
    static constexpr float FadeFrames = 10.0f;

    GUIGameCompleteEffect(OrvaneEngine::Engine* engine, GameData* gameData, GUIBackgroundWindow* background,
                          GUIUnicorn* unicorn);
    virtual ~GUIGameCompleteEffect();
    GUIGameCompleteEffect(const GUIGameCompleteEffect&) = delete;
    GUIGameCompleteEffect& operator=(const GUIGameCompleteEffect&) = delete;

    // Nothing while shown; a new showing rewinds the effects.
    void Show();
    void Update();
    void Hide();

    const std::vector<OrvaneEngine::GUIWindow*>& GetEffectWindows() const { return effectWindows; }
    OrvaneEngine::GUIWindow* GetContainer() const { return container; }

    // Read and cleared by the game.
    std::uint32_t result = 0;

private:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::GUIManager* guiManager;
    GameData* gameData;
    GUIBackgroundWindow* background;
    GUIUnicorn* unicorn;
    OrvaneEngine::GUIWindow* container = nullptr;
    std::vector<OrvaneEngine::GUIWindow*> effectWindows;
};

} // namespace Mirabel
