#pragma once

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/MessageManager.h"
#include "engine/sound/SoundFileReader.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace corvellan::fuzz
{

// Runs one sound file reader over the bytes as an in-memory file: read to
// the end in 32 KiB pieces, rewind, read again. A refusal is a FileError; an
// accepted file must keep its own promises: whole frames, never more than its
// declared size per pass, and an end that comes.
template <typename Reader> int RunSoundReader(const std::uint8_t* data, std::size_t size)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
        return 0;
    static OrvaneEngine::MessageManager log("Fuzz", false, false, "", "");
    log.ClearMessages();
    auto file = std::make_unique<OrvaneEngine::FileBinary>("fuzz", false, false, true,
                                                           static_cast<std::uint32_t>(size), data);
    std::unique_ptr<OrvaneEngine::SoundFileReader> reader;
    try
    {
        reader = std::make_unique<Reader>(&log, std::move(file), "audio\\fuzz");
    }
    catch (const OrvaneEngine::FileError&)
    {
        return 0;
    }
    const std::uint32_t frameBytes = reader->GetChannels() * reader->GetBits() / 8;
    if (frameBytes == 0 || reader->GetSampleRate() == 0)
        __builtin_trap();
    std::vector<std::uint8_t> piece(32768);
    // Decoding can only expand so far; past this a pass has lost its end.
    const std::uint64_t limit = std::uint64_t{256} << 20;
    for (int pass = 0; pass < 2; ++pass)
    {
        std::uint64_t total = 0;
        bool end = false;
        while (!end)
        {
            std::uint32_t delivered = 0;
            reader->Read(piece.data(), static_cast<std::uint32_t>(piece.size()), &delivered, &end);
            if (delivered > piece.size() || delivered % frameBytes != 0)
                __builtin_trap();
            total += delivered;
            if (delivered == 0 && !end)
                break;
            if (total > limit)
                __builtin_trap();
        }
        reader->Rewind();
    }
    return 0;
}

} // namespace corvellan::fuzz
