#pragma once

// The GUI manager over the device-free model services, with a window and
// buffered input made as the engine makes them, and box fonts written into
// the data folder on request.

#include "content/FontFileWriter.h"
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

// One character of a box font: its width ratio; the fixture gives every
// character its own texture rectangle, so printed quads tell which one they
// are by their texture coordinates.
struct BoxGlyph
{
    char16_t character = 0;
    float ratio = 1.0f;
};

class GuiServices : public ModelServices
{
public:
    static constexpr std::uint32_t ScreenWidth = 800;
    static constexpr std::uint32_t ScreenHeight = 600;

    GuiServices();
    ~GuiServices();
    GuiServices(const GuiServices&) = delete;
    GuiServices& operator=(const GuiServices&) = delete;

    // The record of the glyph at index in a box font: u = index / 64, v = 0,
    // du = 1 / 64, dv = 1.
    static content::FontGlyphRecord BoxRecord(std::size_t index, const BoxGlyph& glyph);
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
