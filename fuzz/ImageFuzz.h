#pragma once

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Image.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace corvellan::fuzz
{

using ImageReader = bool (OrvaneEngine::Image::*)(OrvaneEngine::MessageManager*, OrvaneEngine::FileBinary&,
                                                   const std::string&);

// Runs one image reader over the bytes as an in-memory file. A picture it
// accepts must be sound: it is resampled to an odd size and to sides of 1
// with every filter, which touches each of its bytes.
inline int RunImageReader(const std::uint8_t* data, std::size_t size, const std::string& name, ImageReader reader)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
    {
        return 0;
    }
    static OrvaneEngine::MessageManager log("Fuzz", false, false, "", "");
    log.ClearMessages();
    OrvaneEngine::FileBinary file(name, false, false, true, static_cast<std::uint32_t>(size), data);
    OrvaneEngine::Image image;
    const bool loaded = (image.*reader)(&log, file, name);
    if (!loaded)
    {
        if (!image.IsEmpty() || log.GetMessageCount() == 0)
        {
            __builtin_trap(); // a refusal leaves the image empty and says why
        }
        return 0;
    }
    if (image.IsEmpty() || image.GetWidth() == 0 || image.GetHeight() == 0)
    {
        __builtin_trap();
    }
    const std::uint32_t sizes[][2] = {{7, 5}, {1, 3}, {3, 1}, {1, 1}};
    for (std::uint32_t filter = 0; filter < 3; ++filter)
    {
        for (const auto& target : sizes)
        {
            OrvaneEngine::Image output;
            image.Resample(target[0], target[1], filter, output);
        }
    }
    return 0;
}

} // namespace corvellan::fuzz
