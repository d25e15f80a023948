// The font reader on hostile bytes: the input is written as a ".fnt" file
// and loaded through the font manager. Whatever the reader kept is then
// measured and printed, straight and upside down, in proportional and fixed
// pitch, before and after the lower-case copies, so every glyph value it let
// through reaches the code that trusts it: measures, quads and the batch cap.
#include "engine/core/Color.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/FuzzGuiServices.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>

namespace
{

using namespace OrvaneEngine;

// Built once: the services outlive every input.
struct Services : corvellan::test::FuzzGuiServices
{
    ShaderDescriptor descriptor = MakeDefaultShaderDescriptor();
};

Services& GetServices()
{
    static Services services;
    return services;
}

void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "font batch: %s\n", what);
        std::abort();
    }
}

void MeasureAndPrint(GUIFont& font, GUIFont& instance, const std::u16string& text)
{
    const Color color(1.0f, 0.5f, 0.25f, 1.0f);
    for (const bool fixed : {false, true})
    {
        font.fixedPitch = fixed;
        instance.fixedPitch = fixed;
        for (const float angle : {0.0f, std::numbers::pi_v<float>})
        {
            font.MeasureText(text, angle);
            font.MeasureText(text, angle, 30.0f);
            instance.PrintText({400.0f, 300.0f}, angle, color, text);
            Check(instance.GetGlyphsThisFrame() <= GUIFont::MaxGlyphsPerFrame, "more glyphs than the cap");
        }
    }
    for (const char16_t character : text)
        font.HasGlyph(character);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Services& services = GetServices();
    services.workspace.Put("data/fuzz.fnt", data, size);
    const std::uint32_t modelsBefore = services.models.GetModelCount();
    {
        GUIFontManager fonts(&services.workspace.log, &services.workspace.files, &services.shaders,
                             &services.models, services.guiCamera);
        GUIFont* font = fonts.CreateFont(0, &services.descriptor, "fuzz.fnt");
        if (font != nullptr)
        {
            font->glyphHeight = 20.0f;
            font->spaceRatio = 0.5f;
            font->advanceFactor = 1.25f;
            std::u16string text;
            for (const auto& entry : font->GetGlyphs())
                text += entry.first;
            text += u"Žluťoučký kůň \u00A0\u2003\n Ёж ΣΩ 0123456789";

            GUIFont instance(font);
            instance.SetDepth(-15.005f);
            MeasureAndPrint(*font, instance, text);
            font->AddLowerCaseGlyphs();
            instance.EndFrame();
            MeasureAndPrint(*font, instance, text);
            fonts.EndFrame();
            fonts.EndFrame();
            instance.EndFrame();
            instance.EndFrame();
        }
    }
    Check(services.models.GetModelCount() == modelsBefore, "a font model outlived its font");
    services.workspace.log.ClearMessages();
    return 0;
}
