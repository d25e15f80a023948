#pragma once

#include <cstdint>

namespace OrvaneEngine
{
class Engine;
} // namespace OrvaneEngine

namespace GameFramework
{

class LevelManagerBase;
class LevelRecord;

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUILevelCompleteWindowBase
{
public:
    GUILevelCompleteWindowBase(OrvaneEngine::Engine* engine, LevelManagerBase* levelManager);
    virtual ~GUILevelCompleteWindowBase();
    GUILevelCompleteWindowBase(const GUILevelCompleteWindowBase&) = delete;
    GUILevelCompleteWindowBase& operator=(const GUILevelCompleteWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(LevelRecord* levelRecord, float levelTime);
    virtual void Hide();

    std::uint32_t GetStageIndex() const { return stageIndex; }
    std::uint32_t GetLevelIndex() const { return levelIndex; }
    float GetLevelTime() const { return levelTime; }

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    OrvaneEngine::Engine* engine;
    LevelManagerBase* levelManager;
    std::uint32_t stageIndex = 0;
    std::uint32_t levelIndex = 0;
    float levelTime = 0.0f;
};

} // namespace GameFramework
