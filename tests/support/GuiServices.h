#pragma once

// The GUI manager over the device-free model services, with a window and
// buffered input made as the engine makes them, and box fonts written into
// the data folder on request.

#include "content/BoxFont.h"
#include "engine/core/Controls_DI7.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "tests/support/ModelServices.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class GUIFont;
class ShaderDescriptor;
} // namespace OrvaneEngine

namespace corvellan::test
{

// One character of a box font and its width ratio. Every character has its
// own column of the atlas, so printed quads tell which one they are by their
// texture origin: u = index ÷ number of glyphs.
using BoxGlyph = content::BoxGlyph;

class GuiServices : public ModelServices
{
public:
    static constexpr std::uint32_t ScreenWidth = 800;
    static constexpr std::uint32_t ScreenHeight = 600;

    GuiServices();
    ~GuiServices();
    GuiServices(const GuiServices&) = delete;
    GuiServices& operator=(const GuiServices&) = delete;

    // Writes data\<name> with the glyphs in order; false when it cannot.
    bool WriteBoxFont(const std::string& name, const std::vector<BoxGlyph>& glyphs) const;
    // Writes the box font and registers it under the id with the glyph
    // height; null when the file could not be written.
    OrvaneEngine::GUIFont* AddBoxFont(std::uint32_t id, const std::string& name, const std::vector<BoxGlyph>& glyphs,
                                      float glyphHeight, const OrvaneEngine::ShaderDescriptor* descriptor = nullptr);

    // One GUI frame as the engine runs it: input, GUI update, GUI render.
    void Frame();

    std::unique_ptr<OrvaneEngine::Window> window;
    std::unique_ptr<OrvaneEngine::Controls_DI7> controls;
    std::unique_ptr<OrvaneEngine::GUIManager> gui;
};

} // namespace corvellan::test
