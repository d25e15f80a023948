#pragma once

#include "platform/win32/WindowTypes.h"

#include <cstdint>
#include <map>

namespace OrvaneEngine
{
class Config;
class Controls;
class Engine;
class GUICursor;
class GUIManager;
class MessageManager;
class Window;
} // namespace OrvaneEngine

namespace GameFramework
{

// The game's pointer: kinds of cursor, each a system cursor and, when custom
// cursors are on ("ui_custom_cursor"), a GUI cursor drawn in its place.
class GUIGameCursorBase
{
public:
    struct CursorRecord
    {
        win32::HCURSOR systemCursor = nullptr;
        // Owned; none means the system cursor serves this kind always.
        OrvaneEngine::GUICursor* customCursor = nullptr;
    };

    // Registers "ui_custom_cursor" and hides the pointer.
    explicit GUIGameCursorBase(OrvaneEngine::Engine* engine);
    // Releases every custom cursor and lets the variable go.
    virtual ~GUIGameCursorBase();
    GUIGameCursorBase(const GUIGameCursorBase&) = delete;
    GUIGameCursorBase& operator=(const GUIGameCursorBase&) = delete;

    // False while hidden. Applies a change of "ui_custom_cursor".
    virtual bool Update();
    virtual void SetVisible(bool visible);

    // Takes the custom cursor over (it may be null) and hides it.
    void AddCursor(std::uint32_t kind, std::uint16_t cursorResourceId, OrvaneEngine::GUICursor* customCursor);
    void SetCursorKind(std::uint32_t kind);
    bool IsVisible() const;

    std::uint32_t GetCursorKind() const { return currentKind; }
    bool AreCustomCursorsOn() const { return customCursors; }
    const std::map<std::uint32_t, CursorRecord>& GetCursors() const { return cursors; }

protected:
    // The current record draws the custom cursor.
    bool UsesCustomCursor() const;
    // Shows or hides what stands for the pointer under the record.
    void ShowRecord(const CursorRecord& record, bool visible);

    OrvaneEngine::MessageManager* messageManager;
    OrvaneEngine::Window* window;
    OrvaneEngine::Config* config;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::Controls* controls;
    bool customCursorVariable = true;
    bool customCursors = true;
    std::map<std::uint32_t, CursorRecord> cursors;
    std::uint32_t currentKind = 0xFFFFFFFFu;
    CursorRecord* current = nullptr;
};

} // namespace GameFramework
