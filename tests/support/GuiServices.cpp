#include "tests/support/GuiServices.h"

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "platform/dinput/testing/DirectInputHooks.h"
#include "platform/win32/Messages.h"
#include "platform/win32/testing/DesktopHooks.h"
#include "platform/win32/testing/LocaleHooks.h"
#include "platform/win32/testing/WindowHooks.h"

namespace corvellan::test
{
namespace
{

void ResetHooks()
{
    win32::testing::ResetWindowHooks();
    win32::testing::ResetDesktopMode();
    win32::testing::ResetLocale();
    dinput::testing::ResetDirectInputHooks();
}

} // namespace

GuiServices::GuiServices()
{
    ResetHooks();
    window = std::make_unique<OrvaneEngine::Window>(&log, &config, "Test 1.03", 0, 101, true, ScreenWidth,
                                                    ScreenHeight, false, true, 0, 0);
    controls = std::make_unique<OrvaneEngine::Controls_DI7>(&log, &timers, &config, window.get(), true);
    gui = std::make_unique<OrvaneEngine::GUIManager>(&log, &files, window.get(), &timers, &cameras, &shaders, &models,
                                                     controls.get(), nullptr);
    gui->SetScreenSize(static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
    log.ClearMessages();
}

GuiServices::~GuiServices()
{
    gui.reset();
    controls.reset();
    window.reset();
    ResetHooks();
}

bool GuiServices::WriteBoxFont(const std::string& name, const std::vector<BoxGlyph>& glyphs) const
{
    return content::BoxFont::Write(folder.Join("data"), name, "", glyphs);
}

OrvaneEngine::GUIFont* GuiServices::AddBoxFont(std::uint32_t id, const std::string& name,
                                               const std::vector<BoxGlyph>& glyphs, float glyphHeight,
                                               const OrvaneEngine::ShaderDescriptor* descriptor)
{
    if (!WriteBoxFont(name, glyphs))
        return nullptr;
    OrvaneEngine::GUIFont* font = gui->GetFontManager()->CreateFont(id, descriptor, name);
    font->glyphHeight = glyphHeight;
    return font;
}

void GuiServices::Frame()
{
    win32::MSG message{};
    while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE) != 0)
    {
        win32::TranslateMessage(&message);
        win32::DispatchMessageA(&message);
    }
    window->Update();
    controls->Update();
    gui->Update();
    gui->Render();
    controls->EndFrame();
}

} // namespace corvellan::test
