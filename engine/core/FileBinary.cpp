#include "engine/core/FileBinary.h"

#include "engine/core/Error.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/AtomicFile.h"
#include "platform/win32/CFile.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace OrvaneEngine
{
namespace
{

// A file from 4 GiB on cannot be described by a 32-bit size.
constexpr std::int64_t LargestSize = 0xFFFFFFFFll;
// Narrow and wide strings carry a one-byte count; the wide writer adds the
// terminating zero unit to it.
constexpr std::size_t LongestWideText = 254;

std::string OpenErrorText(const std::string& name)
{
    return "Failed to open \"" + name + "\" file";
}

std::string ReadErrorText(std::uint32_t count, const std::string& name)
{
    return "Failed to read " + UIntToString(count, 0) + " bytes from \"" + name + "\" file";
}

} // namespace

FileBinary::FileBinary(const std::string& fileName, bool writeFile, bool forceMemory, bool fromMemory,
                       std::uint32_t memorySize, const void* memoryData)
    : name(fileName), write(writeFile), exceptionsAtOpen(std::uncaught_exceptions())
{
    if (write)
    {
        const std::string fullPath = IsAbsolutePath(name) ? name : GetExecutableFolder() + "\\" + name;
        output = std::make_unique<win32::AtomicFile>(fullPath);
        if (!output->IsOpen())
            throw FileError(OpenErrorText(name));
    }
    else if (fromMemory)
    {
        size = memorySize;
        data = memoryData ? std::make_unique_for_overwrite<std::uint8_t[]>(size) : std::make_unique<std::uint8_t[]>(size);
        if (size > 0 && memoryData)
            std::memcpy(data.get(), memoryData, size);
    }
    else
    {
        OpenForReading(IsAbsolutePath(name) ? name : GetExecutableFolder() + "\\" + name, forceMemory);
    }
}

FileBinary::FileBinary(const std::string& fileName, Unopened)
    : name(fileName), exceptionsAtOpen(std::uncaught_exceptions())
{
}

std::unique_ptr<FileBinary> FileBinary::OpenAt(const std::string& name, const std::string& systemPath,
                                               bool forceMemory)
{
    std::unique_ptr<FileBinary> file(new FileBinary(name, Unopened{}));
    file->OpenForReading(systemPath, forceMemory);
    return file;
}

std::unique_ptr<FileBinary> FileBinary::FromBytes(const std::string& name, std::unique_ptr<std::uint8_t[]> bytes,
                                                  std::uint32_t size)
{
    std::unique_ptr<FileBinary> file(new FileBinary(name, Unopened{}));
    file->size = size;
    file->data = bytes ? std::move(bytes) : std::make_unique<std::uint8_t[]>(0);
    return file;
}

void FileBinary::OpenForReading(const std::string& fullPath, bool forceMemory)
{
    // Most files are read whole at once, without a stream.
    std::unique_ptr<std::uint8_t[]> bytes;
    std::uint64_t length = 0;
    std::uint64_t got = 0;
    const int whole = win32::ReadWholeFile(fullPath, forceMemory ? LargestSize : MemoryThreshold, bytes, length, got);
    if (whole < 0)
        throw FileError(OpenErrorText(name));
    if (whole > 0)
    {
        size = static_cast<std::uint32_t>(length);
        // A file that shrank after its size was taken must not hand out
        // uninitialised bytes as its contents.
        if (got != length)
            throw FileError(ReadErrorText(size, name));
        data = std::move(bytes);
        return;
    }

    std::FILE* stream = win32::fopen(fullPath, "rb");
    if (!stream)
        throw FileError(OpenErrorText(name));
    std::int64_t streamLength = -1;
    if (win32::fseek(stream, 0, SEEK_END) == 0)
        streamLength = win32::ftell(stream);
    if (streamLength < 0 || streamLength > LargestSize || win32::fseek(stream, 0, SEEK_SET) != 0)
    {
        win32::fclose(stream);
        throw FileError(OpenErrorText(name));
    }
    size = static_cast<std::uint32_t>(streamLength);
    input = stream;
}

FileBinary::~FileBinary()
{
    if (output && (writeFailed || std::uncaught_exceptions() > exceptionsAtOpen))
        Discard();
    else if (output)
        output->Commit();
    if (input)
        win32::fclose(input);
}

void FileBinary::Close()
{
    data.reset();
    if (input)
        win32::fclose(input);
    input = nullptr;
    const std::uint32_t written = size;
    size = 0;
    position = 0;
    if (!output)
        return;
    const bool committed = !writeFailed && output->Commit();
    output.reset();
    if (!committed)
        ThrowWriteError(written);
}

void FileBinary::Discard() noexcept
{
    output->Discard();
    output.reset();
}

std::uint32_t FileBinary::CopyOut(void* buffer, std::uint32_t count)
{
    if (data)
    {
        std::memcpy(buffer, data.get() + position, count);
        return count;
    }
    if (input)
        return static_cast<std::uint32_t>(win32::fread(buffer, 1, count, input));
    return 0;
}

void FileBinary::Read(void* buffer, std::uint32_t count, std::uint32_t* outCount)
{
    if (count == 0)
    {
        if (outCount)
            *outCount = 0;
        return;
    }
    const std::uint32_t available = position < size ? size - position : 0;
    const std::uint32_t wanted = std::min(count, available);
    const std::uint32_t copied = wanted > 0 ? CopyOut(buffer, wanted) : 0;
    position += copied;
    if (outCount)
    {
        *outCount = copied;
        return;
    }
    if (copied < count)
        throw FileError(ReadErrorText(count, name));
}

void FileBinary::Write(const void* bytes, std::uint32_t count, std::uint32_t* outCount)
{
    if (count == 0)
    {
        if (outCount)
            *outCount = 0;
        return;
    }
    std::uint32_t written = 0;
    // A file opened for reading, or one that would outgrow its 32-bit size,
    // takes nothing.
    if (output && static_cast<std::int64_t>(position) + count <= LargestSize)
        written = static_cast<std::uint32_t>(win32::fwrite(bytes, 1, count, output->GetStream()));
    position += written;
    size = std::max(size, position);
    if (output && written != count)
        writeFailed = true;
    if (outCount)
    {
        *outCount = written;
        return;
    }
    if (written != count)
        ThrowWriteError(count);
}

void FileBinary::ThrowWriteError(std::uint32_t count) const
{
    throw FileError("Failed to write " + UIntToString(count, 0) + " bytes from \"" + name + "\" file");
}

bool FileBinary::Seek(std::uint32_t origin, std::int32_t offset)
{
    bool inside = true;
    switch (origin)
    {
    case 0:
        position = static_cast<std::uint32_t>(offset);
        break;
    case 1:
        if (static_cast<std::int64_t>(size) < offset)
        {
            position = 0;
            inside = false;
        }
        else
        {
            position = size - static_cast<std::uint32_t>(offset);
        }
        break;
    case 2:
        position += static_cast<std::uint32_t>(offset);
        break;
    default:
        break;
    }
    if (size > 0 && position > size - 1)
    {
        position = size - 1;
        inside = false;
    }
    if (input)
        win32::fseek(input, position, SEEK_SET);
    else if (output)
        win32::fseek(output->GetStream(), position, SEEK_SET);
    return inside;
}

void FileBinary::ReadString(std::string& out)
{
    std::uint8_t length = 0;
    Read(&length, 1);
    char buffer[256] = {};
    Read(buffer, length);
    out.assign(buffer, std::find(buffer, buffer + length, '\0'));
}

void FileBinary::ReadWideString(std::u16string& out)
{
    std::uint8_t count = 0;
    Read(&count, 1);
    std::uint8_t bytes[512] = {};
    Read(bytes, 2u * count);
    out.clear();
    for (std::uint32_t unit = 0; unit < count; ++unit)
    {
        const auto value = static_cast<char16_t>(LoadLittle16(bytes + 2 * unit));
        if (value == 0)
            break;
        out.push_back(value);
    }
}

void FileBinary::WriteWideString(const std::u16string& text)
{
    std::size_t length = std::min(text.size(), LongestWideText);
    // Half a surrogate pair would turn into a broken character.
    if (length < text.size() && length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
        --length;
    std::string bytes;
    bytes.reserve(1 + 2 * (length + 1));
    bytes.push_back(static_cast<char>(length + 1));
    for (std::size_t unit = 0; unit <= length; ++unit)
    {
        const char16_t value = unit < length ? text[unit] : u'\0';
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>(value >> 8));
    }
    Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

void FileBinary::WriteByte(std::uint8_t value)
{
    Write(&value, 1);
}

void FileBinary::ReadInt32(std::int32_t& out)
{
    std::uint8_t bytes[4] = {};
    Read(bytes, 4);
    out = static_cast<std::int32_t>(LoadLittle32(bytes));
}

void FileBinary::ReadUInt32(std::uint32_t& out)
{
    std::int32_t value = 0;
    ReadInt32(value);
    out = static_cast<std::uint32_t>(value);
}

} // namespace OrvaneEngine
