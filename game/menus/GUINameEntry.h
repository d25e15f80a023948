#pragma once

#include <memory>
#include <string>

namespace OrvaneEngine
{
class Controls;
class Engine;
} // namespace OrvaneEngine

namespace Mirabel
{

class GameData;
class GUIControl;
class GUIMenuWindow;

// The name field with its affirmative and negative buttons, shared by the
// screens that ask for a profile name.
class GUINameEntry
{
public:
    // The controls join the frame's list: the field, then the negative button
    // before OK when negativeFirst is set, else OK first.
    GUINameEntry(GUIMenuWindow& window, OrvaneEngine::Engine* engine, GameData* gameData, bool negativeFirst);
    ~GUINameEntry();
    GUINameEntry(const GUINameEntry&) = delete;
    GUINameEntry& operator=(const GUINameEntry&) = delete;

    // The typed text without blanks at either end.
    std::u16string Name() const;
    void SetText(const std::u16string& text);
    // Enables OK exactly while the name is not empty; true when the name is
    // confirmed this frame, by OK or by ENTER while OK is enabled.
    bool Update(const OrvaneEngine::Controls& controls);
    bool NegativeClicked() const;
    // "ENTER_YOUR_NAME" and the two labels.
    void AddTexts(const std::string& negativeLabel) const;

    GUIMenuWindow& window;
    std::unique_ptr<GUIControl> editControl;
    std::unique_ptr<GUIControl> okControl;
    std::unique_ptr<GUIControl> negativeControl;
};

} // namespace Mirabel
