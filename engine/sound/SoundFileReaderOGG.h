#pragma once

#include "engine/sound/SoundFileReader.h"

#include <memory>

struct OggVorbis_File;

namespace OrvaneEngine
{

class OggFileSource;

// 16-bit PCM decoded from an Ogg Vorbis file.
class SoundFileReaderOGG final : public SoundFileReader
{
public:
    // Throws FileError when the stream cannot be opened or its length is not
    // known.
    SoundFileReaderOGG(MessageManager* messageManager, FileManager* fileManager, const std::string& name);
    SoundFileReaderOGG(MessageManager* messageManager, std::unique_ptr<FileBinary> file, const std::string& name);
    ~SoundFileReaderOGG() override;

    void Rewind() override;
    void Read(void* destination, std::uint32_t wanted, std::uint32_t* delivered, bool* end) override;

private:
    void Open();
    void Close();

    std::unique_ptr<OggFileSource> source;
    std::unique_ptr<OggVorbis_File> decoder;
    bool open = false;
};

} // namespace OrvaneEngine
