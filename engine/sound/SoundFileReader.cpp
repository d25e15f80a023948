#include "engine/sound/SoundFileReader.h"

#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/PathFunctions.h"

namespace OrvaneEngine
{

SoundFileReader::SoundFileReader(MessageManager* messages, FileManager* files, const std::string& fileName)
    : messageManager(messages), fileManager(files), name(fileName), path(MakeDataPath(fileName)),
      file(fileManager->Open(path, false))
{
}

SoundFileReader::SoundFileReader(MessageManager* messages, FileManager* files)
    : messageManager(messages), fileManager(files)
{
}

SoundFileReader::SoundFileReader(MessageManager* messages, std::unique_ptr<FileBinary> openFile,
                                 const std::string& fileName)
    : messageManager(messages), fileManager(nullptr), name(fileName), path(MakeDataPath(fileName)),
      file(std::move(openFile))
{
}

SoundFileReader::~SoundFileReader() = default;

std::string SoundFileReader::LoadErrorText(const std::string& ending) const
{
    return "Failed to load \"" + path + "\"" + ending;
}

} // namespace OrvaneEngine
