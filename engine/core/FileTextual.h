#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace OrvaneEngine
{

class FileBinary;

// Text over a binary file: a reader hands out words or lines in sequence in
// whatever encoding the byte-order mark names; a writer puts narrow text out
// in the encoding it was given. Either way the bytes pass a 1 KiB buffer.
class FileTextual
{
public:
    static constexpr std::uint32_t EncodingAnsi = 0;
    static constexpr std::uint32_t EncodingUtf16BigEndian = 1;
    static constexpr std::uint32_t EncodingUtf16LittleEndian = 2;
    static constexpr std::uint32_t EncodingUtf8 = 3;

    // Takes the file over; reads or writes the byte-order mark at once.
    FileTextual(std::unique_ptr<FileBinary> file, bool write, std::uint32_t encoding);
    // Writes what is left in the buffer, but never throws: a writer that must
    // know whether its text reached the disk calls Close first.
    virtual ~FileTextual();
    FileTextual(const FileTextual&) = delete;
    FileTextual& operator=(const FileTextual&) = delete;

    bool ReadString(std::string& out, bool stripComments, bool word);
    bool ReadWideString(std::u16string& out, bool stripComments, bool word);
    bool GetString(std::string& out, bool underscoresToSpaces);
    std::int32_t GetInt();
    float GetFloat();
    bool GetBool();
    void ReadAllText(std::u16string& out, bool stripComments);
    std::uint32_t GetLength() const;
    void Rewind();

    void WriteString(const std::string& text);
    void WriteNewLine();

    // Writes the buffer out, then closes (and for a written file commits) the
    // file under the text. Throws FileError when any of it fails.
    void Close();

    std::uint32_t GetEncoding() const { return encoding; }
    bool IsEndReached() const { return endReached; }

private:
    static constexpr std::int32_t BufferSize = 1024;

    std::uint8_t NextByte();
    std::uint16_t NextCharacter();
    std::uint16_t NextUtf8Character();
    bool IsWhiteSpace(std::uint16_t c) const;
    // The word or line as the file holds it: bytes in encoding 0, UTF-16
    // units otherwise (one unit per element either way).
    template <class Text>
    bool ReadRaw(Text& out, bool stripComments, bool word);
    // Appends the characters after the current one, up to the first that
    // ends a word (or line) or does not lie whole in the buffer.
    template <class Text>
    void TakePlainRun(Text& out, bool word);

    void PutByte(std::uint8_t value);
    void PutUnit(std::uint16_t unit);
    void FlushBuffer();

    std::unique_ptr<FileBinary> file;
    bool write = false;
    std::uint32_t encoding = EncodingAnsi;
    bool endReached = false;
    std::array<std::uint8_t, BufferSize> buffer{};
    std::int32_t index = -1;
    std::uint32_t valid = 0;
    char replacement = '?';
    bool atStart = true;
    bool hasPending = false;
    std::uint16_t pending = 0;
    bool closed = false;
    // Kept between calls so that reading a word allocates nothing.
    std::u16string raw;
    std::string narrow;
};

} // namespace OrvaneEngine
