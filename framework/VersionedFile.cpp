#include "framework/VersionedFile.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/StringFunctions.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace GameFramework
{

VersionedFile::VersionedFile(OrvaneEngine::Engine* engine, std::string_view magicText, std::uint32_t currentVersion)
    : VersionedFile(engine->fileManager.get(), magicText, currentVersion)
{
}

VersionedFile::VersionedFile(OrvaneEngine::FileManager* files, std::string_view magicText,
                             std::uint32_t currentVersion)
    : fileManager(files), version(currentVersion)
{
    std::copy_n(magicText.begin(), std::min<std::size_t>(magicText.size(), MagicSize), magic.begin());
}

VersionedFile::~VersionedFile()
{
    try
    {
        Close();
    }
    catch (...)
    {
        // The target kept its old contents; there is nobody left to tell.
    }
}

void VersionedFile::Open(const std::string& path, std::uint32_t forWrite, std::uint8_t acceptAnyVersion,
                         std::uint32_t* outVersion)
{
    // A file still open here is one whose save never reached Close, so its
    // owner already saw the error that stopped it; that error, not a second
    // report of it, is what the owner acts on, and this open must not fail
    // because of it.
    try
    {
        Close();
    }
    catch (const OrvaneEngine::FileError&)
    {
    }

    const std::uint32_t openMode = forWrite != 0 ? 1 : 0;
    std::unique_ptr<OrvaneEngine::FileBinary> opened = fileManager->Open(path, openMode == 1);
    if (openMode == 1)
    {
        // Size 0 until Close knows the real one.
        Header header{};
        MakeHeader(header);
        OrvaneEngine::StoreLittle32(header.data(), 0);
        opened->Write(header.data(), HeaderSize);
    }
    else
    {
        Header header{};
        opened->Read(header.data(), HeaderSize);
        if (std::memcmp(header.data() + 4, magic.data(), MagicSize) != 0 ||
            OrvaneEngine::LoadLittle32(header.data()) != opened->GetSize())
            throw OrvaneEngine::FileError("Incorrect + \"" + path + "\" file format");
        const std::uint32_t fileVersion = OrvaneEngine::LoadLittle32(header.data() + 4 + MagicSize);
        if (acceptAnyVersion == 0 && fileVersion != version)
            throw OrvaneEngine::FileError("Incorrect \"" + path + "\" format version (" +
                                          OrvaneEngine::UIntToString(fileVersion, 0) + "), current is " +
                                          OrvaneEngine::UIntToString(version, 0));
        if (acceptAnyVersion != 0 && outVersion)
            *outVersion = fileVersion;
    }
    file = std::move(opened);
    mode = openMode;
    exceptionsAtOpen = std::uncaught_exceptions();
}

void VersionedFile::MakeHeader(Header& header) const
{
    OrvaneEngine::StoreLittle32(header.data(), file ? file->GetPosition() : 0);
    std::memcpy(header.data() + 4, magic.data(), MagicSize);
    OrvaneEngine::StoreLittle32(header.data() + 4 + MagicSize, version);
}

void VersionedFile::Close()
{
    if (!file)
        return;
    Header header{};
    MakeHeader(header);
    std::unique_ptr<OrvaneEngine::FileBinary> closing = std::move(file);
    const bool writing = mode == 1;
    mode = 0;
    if (!writing)
        return;
    // Closed while an exception passes (the owner's destructor, or this
    // one's): the body is unfinished, and a header over it would make a
    // truncated file look whole.
    if (std::uncaught_exceptions() > exceptionsAtOpen)
    {
        closing->Discard();
        return;
    }
    // Should the header write throw, closing is destroyed while the error
    // passes and discards its temporary file; Close discards it itself.
    closing->Seek(0, 0);
    closing->Write(header.data(), HeaderSize);
    closing->Close();
}

} // namespace GameFramework
