#include "framework/GUIGameCursorBase.h"

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"

namespace GameFramework
{

namespace
{

const char* const customCursorName = "ui_custom_cursor";

} // namespace

GUIGameCursorBase::GUIGameCursorBase(OrvaneEngine::Engine* engine)
    : messageManager(engine->messageManager.get()),
      window(engine->window.get()),
      config(engine->config.get()),
      guiManager(engine->guiManager.get()),
      controls(engine->controls.get())
{
    config->RegisterVariable(customCursorName, OrvaneEngine::ConfigVariable::TypeBool, false, true,
                             &customCursorVariable, "1", true);
    customCursors = customCursorVariable;
    controls->ShowCursor(false);
}

GUIGameCursorBase::~GUIGameCursorBase()
{
    current = nullptr;
    for (auto& [kind, record] : cursors)
        guiManager->ReleaseCursor(record.customCursor);
    cursors.clear();
    config->UnbindVariable(customCursorName);
}

bool GUIGameCursorBase::Update()
{
    if (!IsVisible())
        return false;
    if (config->HasChanged(customCursorName))
    {
        SetVisible(false);
        customCursors = customCursorVariable;
        SetVisible(true);
    }
    return true;
}

void GUIGameCursorBase::SetVisible(bool visible)
{
    if (current)
        ShowRecord(*current, visible);
    else
        controls->ShowCursor(visible);
}

void GUIGameCursorBase::AddCursor(std::uint32_t kind, std::uint16_t cursorResourceId,
                                  OrvaneEngine::GUICursor* customCursor)
{
    if (customCursor)
        customCursor->visible = false;
    const win32::HCURSOR systemCursor = window->LoadCursor(cursorResourceId);
    const auto filed = cursors.find(kind);
    if (filed == cursors.end())
    {
        cursors.emplace(kind, CursorRecord{systemCursor, customCursor});
        return;
    }
    // A second cursor for a kind replaces the first, which nobody else holds.
    CursorRecord& record = filed->second;
    const bool replacesCurrent = current == &record;
    const bool wasVisible = replacesCurrent && IsVisible();
    if (wasVisible)
        ShowRecord(record, false);
    if (record.customCursor != customCursor)
        guiManager->ReleaseCursor(record.customCursor);
    record = CursorRecord{systemCursor, customCursor};
    if (replacesCurrent)
    {
        window->SetCursor(record.systemCursor);
        if (wasVisible)
            ShowRecord(record, true);
    }
}

void GUIGameCursorBase::SetCursorKind(std::uint32_t kind)
{
    if (kind == currentKind)
        return;
    currentKind = kind;
    const auto filed = cursors.find(kind);
    if (filed == cursors.end())
        return;
    CursorRecord& record = filed->second;
    const bool moveVisibility = customCursors && current && IsVisible();
    if (moveVisibility)
        ShowRecord(*current, false);
    current = &record;
    if (moveVisibility)
        ShowRecord(record, true);
    window->SetCursor(record.systemCursor);
}

bool GUIGameCursorBase::IsVisible() const
{
    if (UsesCustomCursor())
        return current->customCursor->visible;
    return controls->IsCursorVisible();
}

bool GUIGameCursorBase::UsesCustomCursor() const
{
    return customCursors && current && current->customCursor;
}

void GUIGameCursorBase::ShowRecord(const CursorRecord& record, bool visible)
{
    if (customCursors && record.customCursor)
        record.customCursor->visible = visible;
    else
        controls->ShowCursor(visible);
}

} // namespace GameFramework
