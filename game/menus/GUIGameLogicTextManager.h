#pragma once

#include "engine/core/Vector2.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class GUIManager;
class GUIWindow;
} // namespace OrvaneEngine

namespace Mirabel
{

class GUIGameLogicText;

// The floating texts of one level, all printed on one container window in
// front of the level's other windows.
class GUIGameLogicTextManager
{
public:
    static constexpr std::int32_t ContainerLevel = 490;

    GUIGameLogicTextManager(OrvaneEngine::Engine* engine, OrvaneEngine::GUIWindow* parent);
    // Drops the texts still running and releases the container.
    virtual ~GUIGameLogicTextManager();
    GUIGameLogicTextManager(const GUIGameLogicTextManager&) = delete;
    GUIGameLogicTextManager& operator=(const GUIGameLogicTextManager&) = delete;

    // The position is the centre of the text block, relative to the container.
    void AddText(const std::u16string& text, const OrvaneEngine::Vector2& position);
    // Once per frame: every text prints itself; those that are done go,
    // the others keep their order.
    void Update();

    OrvaneEngine::GUIWindow* GetWindow() const { return window; }
    const std::vector<std::unique_ptr<GUIGameLogicText>>& GetTexts() const { return texts; }

private:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::GUIWindow* window;
    std::vector<std::unique_ptr<GUIGameLogicText>> texts;
};

} // namespace Mirabel
