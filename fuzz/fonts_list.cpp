// The fonts list on hostile bytes: the input is written as the English fonts
// list beside a box font and its atlas, and the application's fonts-list loop
// reads it into a fresh font manager. It must give fonts, at most one per
// allowed id, or the reader's FileError; never a crash, a hang or memory in
// proportion to a count it was told.
#include "content/BoxFont.h"
#include "engine/core/Error.h"
#include "engine/gui/GUIFontManager.h"
#include "framework/GameBase.h"
#include "tests/support/FuzzGuiServices.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{

using namespace OrvaneEngine;

void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "fonts list: %s\n", what);
        std::abort();
    }
}

// Built once: the services outlive every input.
struct Services : corvellan::test::FuzzGuiServices
{
    Services()
    {
        Check(corvellan::content::BoxFont::Write(workspace.Root() + "/data/ui/fonts", "box.fnt", "atlas.tga",
                                                 {{u'A', 0.5f}, {u'B', 0.75f}, {u' ', 0.25f}}),
              "the box font could not be written");
    }
};

Services& GetServices()
{
    static Services services;
    return services;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Services& services = GetServices();
    services.workspace.Put("data/ui/fonts/en.ini", data, size);
    const std::uint32_t modelsBefore = services.models.GetModelCount();
    {
        GUIFontManager fonts(&services.workspace.log, &services.workspace.files, &services.shaders, &services.models,
                             services.guiCamera);
        std::uint32_t count = 0;
        std::uint32_t consoleFont = 0;
        try
        {
            GameFramework::GameBase::LoadFontsList(services.workspace.files, fonts, "en", count, consoleFont);
            Check(count <= GameFramework::GameBase::MostFonts, "more fonts than a list may name");
            Check(count == 0 || fonts.GetFont(count - 1) != nullptr, "a listed font is missing");
            Check(fonts.GetFont(count) == nullptr, "a font beyond the list");
        }
        catch (const FileError&)
        {
            Check(fonts.GetFont(0) == nullptr, "a damaged list made a font");
        }
    }
    Check(services.models.GetModelCount() == modelsBefore, "a font model outlived its font");
    services.workspace.log.ClearMessages();
    return 0;
}
