#pragma once

#include "platform/win32/Types.h"

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

// What the creator of the engine decides before it exists. Fields a creator
// leaves alone hold the framework's usual values, so none is ever read unset.
struct EngineSettings
{
    std::string title;
    std::int32_t version = 0;
    std::string rootFolder;
    bool saveConfigOnExit = true;
    std::string configName;
    bool logEnabled = true;
    bool logReopen = false;
    std::string logFolder;
    std::string logName;
    std::string configFolder;
    std::string packFolder;
    win32::HWND parentWindow = 0;
    std::uint32_t iconResource = 0;
    bool minimizeWhenInactive = true;
    bool forceVideoMode = false;
    std::string videoMode;
    bool forceFullscreen = false;
    bool fullscreen = true;
    bool allowLargeWindow = false;
    bool stencilBuffer = false;
    bool centerWindow = true;
    win32::POINT windowPosition{0, 0};
    bool sound3D = false;
};

} // namespace OrvaneEngine
