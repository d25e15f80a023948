#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace OrvaneEngine
{
class Engine;
class GUITextManager;
class MessageManager;
class Model;
} // namespace OrvaneEngine

namespace Mirabel
{

class GameData;
class GUIControl;
class GUIMenuWindow;

// What the menu screens share about their buttons: the three widget model
// sets, how a button joins a frame, when its click counts, and its label.
class GUIMenuButtons
{
public:
    struct Models
    {
        const OrvaneEngine::Model* widget = nullptr;
        const OrvaneEngine::Model* hitArea = nullptr;
        const OrvaneEngine::Model* textArea = nullptr;
    };
    static constexpr std::uint32_t LabelFont = 1;
    static constexpr std::uint32_t BodyFont = 2;
    // Counts read from the language texts drive loops every frame.
    static constexpr std::uint32_t MostTextLines = 1000;

    static Models Big(const GameData& data);
    static Models Small(const GameData& data);
    static Models MainMenu(const GameData& data);

    // A control of the given kind on the frame's widget window, appended to
    // the window's control list.
    static std::unique_ptr<GUIControl> Add(GUIMenuWindow& window, OrvaneEngine::Engine* engine, GameData* gameData,
                                           std::uint32_t kind, const OrvaneEngine::Model* appear,
                                           const Models& models);
    // A button of the frame, built from the appear model and the models of its size.
    static std::unique_ptr<GUIControl> AddButton(GUIMenuWindow& window, OrvaneEngine::Engine* engine,
                                                 GameData* gameData, const OrvaneEngine::Model* appear,
                                                 const Models& models);
    // The frame stays visible for a while after it was asked to close, and a
    // second click then would answer twice: a click counts only while the
    // frame is open.
    static bool Clicked(const GUIMenuWindow& window, const GUIControl& control);
    // The label centred on the button, in the frame's colour.
    static void Label(const GUIMenuWindow& window, const GUIControl& control, const std::string& key);
    // The number held by the size key, at most MostTextLines; more is logged.
    static std::uint32_t LineCount(const OrvaneEngine::GUITextManager& texts, OrvaneEngine::MessageManager& log,
                                   const std::string& key);
};

} // namespace Mirabel
