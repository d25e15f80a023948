// Entry point. Until the framework's start-up exists, the program builds the
// engine with the game's settings, runs one frame and shuts it down again.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/PathFunctions.h"

#include <cstdio>
#include <string>

int main()
{
    using namespace OrvaneEngine;

    EngineSettings settings;
    settings.title = "Corvellan";
    settings.version = 103;
    // The log and the ini belong to the user, not to the installation.
    const std::string userFolder = GetAppDataFolder() + "\\Brackwell Games\\Corvellan";
    settings.logFolder = userFolder;
    settings.configFolder = userFolder;
    settings.configName = settings.title;
    settings.logName = settings.title;
    settings.packFolder = "Data";
    settings.iconResource = 101;
    settings.videoMode = "1024x768x32";

    try
    {
        Engine engine(settings);
        engine.Update();
        engine.Frame(0);
    }
    catch (const FatalError& error)
    {
        if (error.GetReason().empty())
            std::fprintf(stderr, "Fatal Error\n%s\n", error.GetText().c_str());
        else
            std::fprintf(stderr, "Fatal Error\n%s\n%s\n", error.GetReason().c_str(), error.GetText().c_str());
        return 1;
    }
    return 0;
}
