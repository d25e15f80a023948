#include "engine/core/FileTextual.h"

#include "engine/core/CodePageTables.h"
#include "engine/core/FileBinary.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/Locale.h"

#include <array>
#include <bit>
#include <cstring>
#include <exception>
#include <type_traits>

namespace OrvaneEngine
{

namespace
{

constexpr std::uint16_t CarriageReturn = 0x0D;
constexpr std::uint16_t LineFeed = 0x0A;
constexpr std::uint16_t ReplacementCharacter = 0xFFFD;
constexpr std::uint16_t ByteOrderMark = 0xFEFF;

// Cuts text at its first "//".
template <class Text>
void CutComment(Text& text)
{
    for (auto at = text.find('/'); at != Text::npos && at + 1 < text.size(); at = text.find('/', at + 1))
    {
        if (text[at + 1] == '/')
        {
            text.resize(at);
            return;
        }
    }
}

// Narrow white space is the same in every locale; with the line ends it
// stops a word, and the line ends alone stop a line.
constexpr std::array<bool, 256> Table(bool word)
{
    std::array<bool, 256> table{};
    table['\r'] = table['\n'] = true;
    if (word)
        table[' '] = table['\t'] = table['\v'] = table['\f'] = true;
    return table;
}
constexpr std::array<bool, 256> NarrowStops = Table(true);
constexpr std::array<bool, 256> NarrowLineStops = Table(false);

// The chunk tests below take UTF-16 little-endian units as they lie in memory.
static_assert(std::endian::native == std::endian::little);

std::uint64_t Load8(const std::uint8_t* bytes)
{
    std::uint64_t value;
    std::memcpy(&value, bytes, sizeof(value));
    return value;
}

constexpr std::uint64_t Bytes(std::uint8_t value)
{
    return 0x0101010101010101ull * value;
}

constexpr std::uint64_t Units(std::uint16_t value)
{
    return 0x0001000100010001ull * value;
}

// How many of the chunk's leading bytes (or units) a run takes: those
// before the first one flagged. Each test below may flag bytes after a true
// hit (the borrow runs on), never one before it, so the lowest flag is exact.
unsigned LeadingBytes(std::uint64_t flags)
{
    return static_cast<unsigned>(std::countr_zero(flags)) / 8;
}

unsigned LeadingUnits(std::uint64_t flags)
{
    return static_cast<unsigned>(std::countr_zero(flags)) / 16;
}

std::uint64_t BytesBelow0x21(std::uint64_t chunk)
{
    return (chunk - Bytes(0x21)) & ~chunk & Bytes(0x80);
}

std::uint64_t ZeroBytes(std::uint64_t chunk)
{
    return (chunk - Bytes(0x01)) & ~chunk & Bytes(0x80);
}

std::uint64_t LineEndBytes(std::uint64_t chunk)
{
    return ZeroBytes(chunk ^ Bytes(CarriageReturn)) | ZeroBytes(chunk ^ Bytes(LineFeed));
}

std::uint64_t ZeroUnits(std::uint64_t units)
{
    return (units - Units(0x01)) & ~units & Units(0x8000);
}

// White space, line ends and control units are below 0x21; the rest of
// wide white space lies above 0x7F.
std::uint64_t UnitsBelow0x21OrAbove0x7F(std::uint64_t units)
{
    return ((units - Units(0x21)) & ~units & Units(0x8000)) | (units & Units(0xFF80));
}

std::uint64_t LineEndUnits(std::uint64_t units)
{
    return ZeroUnits(units ^ Units(CarriageReturn)) | ZeroUnits(units ^ Units(LineFeed));
}

// The same over big-endian units as they lie in memory, each with its bytes
// the other way round.
std::uint64_t SwappedUnitsBelow0x21OrAbove0x7F(std::uint64_t units)
{
    return ((units - Units(0x2100)) & ~units & Units(0x8000)) | (units & Units(0x80FF));
}

std::uint64_t SwappedLineEndUnits(std::uint64_t units)
{
    return ZeroUnits(units ^ Units(CarriageReturn << 8)) | ZeroUnits(units ^ Units(LineFeed << 8));
}

// Bytes that stand for themselves in the text (every byte in encoding 0,
// ASCII in UTF-8); a byte pointer is not a char range, which std::string
// would copy through a temporary string.
template <class Text>
void AppendAscii(Text& out, const std::uint8_t* bytes, std::size_t count)
{
    if constexpr (std::is_same_v<Text, std::string>)
        out.append(reinterpret_cast<const char*>(bytes), count);
    else
        out.append(bytes, bytes + count);
}

// Wide white space below 0x100; the rest is asked of the runtime.
const std::array<bool, 256> WideWhiteSpace = [] {
    std::array<bool, 256> table{};
    for (std::size_t unit = 0; unit < table.size(); ++unit)
        table[unit] = win32::iswspace(static_cast<char16_t>(unit)) != 0;
    return table;
}();

// Whether a unit other than '/' narrows to '/' in these tables: a word
// narrowed while it is read would then see comments its wide text lacks.
bool OtherUnitNarrowsToSlash(const CodePageTables& tables)
{
    // Tables live as long as the program, one per locale.
    thread_local const CodePageTables* checked = nullptr;
    thread_local bool answer = false;
    if (checked != &tables)
    {
        answer = false;
        for (std::uint32_t unit = 0x80; unit <= 0xFFFF && !answer; ++unit)
            answer = tables.ByteOf(static_cast<char16_t>(unit)) == '/';
        checked = &tables;
    }
    return answer;
}

} // namespace

FileTextual::FileTextual(std::unique_ptr<FileBinary> givenFile, bool givenWrite, std::uint32_t givenEncoding)
    : file(std::move(givenFile)), write(givenWrite), encoding(givenEncoding)
{
    if (write)
    {
        // Codes this writer does not know are written as plain bytes rather
        // than dropped.
        if (encoding > EncodingUtf8)
            encoding = EncodingAnsi;
        if (encoding == EncodingUtf16BigEndian || encoding == EncodingUtf16LittleEndian)
            PutUnit(ByteOrderMark);
        else if (encoding == EncodingUtf8)
        {
            PutByte(0xEF);
            PutByte(0xBB);
            PutByte(0xBF);
        }
        return;
    }

    const std::uint8_t b0 = NextByte();
    const std::uint8_t b1 = NextByte();
    if (!endReached && b0 == 0xFF && b1 == 0xFE)
        encoding = EncodingUtf16LittleEndian;
    else if (!endReached && b0 == 0xFE && b1 == 0xFF)
        encoding = EncodingUtf16BigEndian;
    else if (!endReached && b0 == 0xEF && b1 == 0xBB && NextByte() == 0xBF && !endReached)
        encoding = EncodingUtf8;
    else
    {
        encoding = EncodingAnsi;
        Rewind();
    }
}

FileTextual::~FileTextual()
{
    // Whether the file is kept or discarded is the binary file's decision (it
    // discards during an exception and after a failed write); here only the
    // buffered bytes are handed on, and a failure must not leave a destructor.
    if (write && !closed && index >= 0 && file)
    {
        try
        {
            FlushBuffer();
        }
        catch (...)
        {
        }
    }
}

void FileTextual::Close()
{
    if (closed || !file)
        return;
    closed = true;
    if (write)
        FlushBuffer();
    file->Close();
}

// Reading ---------------------------------------------------------------------

inline std::uint8_t FileTextual::NextByte()
{
    if (index != -1 && index != BufferSize - 1)
    {
        ++index;
        if (static_cast<std::uint32_t>(index) < valid)
            return buffer[static_cast<std::size_t>(index)];
        endReached = true;
        return 0;
    }
    std::uint32_t got = 0;
    file->Read(buffer.data(), BufferSize, &got);
    valid = got;
    if (got == 0)
    {
        endReached = true;
        return 0;
    }
    index = 0;
    return buffer[0];
}

// Called for every word, where a call costs as much as the decoding.
[[gnu::always_inline]] inline std::uint16_t FileTextual::NextCharacter()
{
    if (hasPending)
    {
        hasPending = false;
        return pending;
    }
    switch (encoding)
    {
    case EncodingUtf16BigEndian:
    {
        const std::uint16_t high = NextByte();
        const std::uint16_t low = NextByte();
        return static_cast<std::uint16_t>((high << 8) | low);
    }
    case EncodingUtf16LittleEndian:
    {
        const std::uint16_t low = NextByte();
        const std::uint16_t high = NextByte();
        return static_cast<std::uint16_t>((high << 8) | low);
    }
    case EncodingUtf8:
        return NextUtf8Character();
    default:
        return NextByte();
    }
}

std::uint16_t FileTextual::NextUtf8Character()
{
    const std::uint8_t lead = NextByte();
    int ones = 0;
    while (ones < 8 && (lead & (0x80 >> ones)) != 0)
        ++ones;
    if (ones == 0)
        return lead;
    if (ones == 2)
    {
        const std::uint8_t next = NextByte();
        return static_cast<std::uint16_t>(((lead & 0x1F) << 6) | (next & 0x3F));
    }
    if (ones == 3)
    {
        const std::uint8_t second = NextByte();
        const std::uint8_t third = NextByte();
        return static_cast<std::uint16_t>(((lead & 0x0F) << 12) | ((second & 0x3F) << 6) | (third & 0x3F));
    }
    return ReplacementCharacter;
}

inline bool FileTextual::IsWhiteSpace(std::uint16_t c) const
{
    // Narrow white space is the same in every locale (see NarrowStops).
    if (encoding == EncodingAnsi)
        return NarrowStops[c & 0xFFu];
    return c < WideWhiteSpace.size() ? WideWhiteSpace[c] : win32::iswspace(c) != 0;
}

inline char FileTextual::Narrow(std::uint16_t c) const
{
    if (encoding == EncodingAnsi || c < 0x80)
        return static_cast<char>(c);
    const int byte = narrowTables->ByteOf(static_cast<char16_t>(c));
    return byte >= 0 ? static_cast<char>(byte) : replacement;
}

template <class Text>
inline void FileTextual::Store(Text& out, std::uint16_t c) const
{
    if constexpr (std::is_same_v<Text, std::string>)
        out.push_back(Narrow(c));
    else
        out.push_back(static_cast<typename Text::value_type>(c));
}

template <class Text>
void FileTextual::TakePlainRun(Text& out, bool word)
{
    // Only whole characters that lie in the buffer are taken here; the one
    // that ends the run, or crosses the buffer's end, is left to
    // NextCharacter. Eight bytes at a time are checked at once while none
    // of them can end the run; the rest goes one character at a time.
    const std::uint8_t* bytes = buffer.data();
    // The character that ends the run, when it lies whole in the buffer, is
    // handed to NextCharacter as already read.
    std::uint16_t stop = 0;
    std::size_t stopLength = 0;
    std::size_t at = static_cast<std::size_t>(index) + 1;
    const std::size_t end = valid;
    const auto stops = [word](std::uint16_t c) {
        return c == CarriageReturn || c == LineFeed ||
               (word && (c < WideWhiteSpace.size() ? WideWhiteSpace[c] : win32::iswspace(c) != 0));
    };
    switch (encoding)
    {
    case EncodingAnsi:
    {
        const std::size_t from = at;
        while (at + 8 <= end)
        {
            const std::uint64_t chunk = Load8(bytes + at);
            const unsigned plain = LeadingBytes(word ? BytesBelow0x21(chunk) : LineEndBytes(chunk));
            at += plain;
            if (plain < 8)
                break;
        }
        while (at < end && !(word ? NarrowStops[bytes[at]] : NarrowLineStops[bytes[at]]))
            ++at;
        if (at < end)
        {
            stop = bytes[at];
            stopLength = 1;
        }
        AppendAscii(out, bytes + from, at - from);
        break;
    }
    case EncodingUtf16BigEndian:
    case EncodingUtf16LittleEndian:
    {
        const bool big = encoding == EncodingUtf16BigEndian;
        const std::size_t high = big ? 0 : 1;
        const std::size_t from = at;
        while (at + 8 <= end)
        {
            // The units before the first that may end the run are taken at
            // once; that one is left to the test below.
            const std::uint64_t units = Load8(bytes + at);
            const std::uint64_t flags = big ? (word ? SwappedUnitsBelow0x21OrAbove0x7F(units) : SwappedLineEndUnits(units))
                                            : (word ? UnitsBelow0x21OrAbove0x7F(units) : LineEndUnits(units));
            const unsigned plain = LeadingUnits(flags);
            at += 2 * std::size_t{plain};
            if (plain < 4)
                break;
        }
        // In a word those units are ASCII as well.
        const std::size_t ascii = word ? at : from;
        while (at + 1 < end && !stops(static_cast<std::uint16_t>((bytes[at + high] << 8) | bytes[at + 1 - high])))
            at += 2;
        if (at + 1 < end)
        {
            stop = static_cast<std::uint16_t>((bytes[at + high] << 8) | bytes[at + 1 - high]);
            stopLength = 2;
        }
        // The run's length is known, so it is stored without a capacity
        // check per character.
        const std::size_t length = out.size();
        out.resize(length + (at - from) / 2);
        auto* stored = out.data() + length;
        std::size_t unit = from;
        if constexpr (std::is_same_v<Text, std::string>)
        {
            // ASCII is kept by the tables, so four ASCII units narrow to
            // their low bytes side by side.
            for (; unit + 8 <= ascii; unit += 8)
            {
                // Big-endian units have zero first bytes: a shift by a byte
                // puts each in the machine's order.
                std::uint64_t units = big ? Load8(bytes + unit) >> 8 : Load8(bytes + unit);
                units = (units | (units >> 8)) & 0x0000FFFF0000FFFFull;
                const auto four = static_cast<std::uint32_t>(units | (units >> 16));
                std::memcpy(stored, &four, sizeof(four));
                stored += sizeof(four);
            }
        }
        for (; unit < at; unit += 2)
        {
            const auto c = static_cast<std::uint16_t>((bytes[unit + high] << 8) | bytes[unit + 1 - high]);
            if constexpr (std::is_same_v<Text, std::string>)
                *stored++ = Narrow(c);
            else
                *stored++ = static_cast<typename Text::value_type>(c);
        }
        break;
    }
    default:
    {
        // ASCII is the same in the file and in the text, so each run of it
        // is stored in one append when a longer character or the end comes.
        std::size_t ascii = at;
        while (at < end)
        {
            if (at + 8 <= end)
            {
                // ASCII up to the first byte that is not, or may end the run.
                const std::uint64_t chunk = Load8(bytes + at);
                const unsigned plain = LeadingBytes((chunk & Bytes(0x80)) |
                                                    (word ? BytesBelow0x21(chunk) : LineEndBytes(chunk)));
                at += plain;
                if (plain == 8)
                    continue;
            }
            const std::uint8_t lead = bytes[at];
            if (lead < 0x80)
            {
                if (stops(lead))
                {
                    stop = lead;
                    stopLength = 1;
                    break;
                }
                ++at;
                continue;
            }
            AppendAscii(out, bytes + ascii, at - ascii);
            ascii = at;
            std::uint16_t c;
            std::size_t length;
            if ((lead & 0xE0) == 0xC0)
            {
                if (at + 1 >= end)
                    break;
                c = static_cast<std::uint16_t>(((lead & 0x1F) << 6) | (bytes[at + 1] & 0x3F));
                length = 2;
            }
            else if ((lead & 0xF0) == 0xE0)
            {
                if (at + 2 >= end)
                    break;
                c = static_cast<std::uint16_t>(((lead & 0x0F) << 12) | ((bytes[at + 1] & 0x3F) << 6) |
                                               (bytes[at + 2] & 0x3F));
                length = 3;
            }
            else
            {
                c = ReplacementCharacter;
                length = 1;
            }
            if (stops(c))
            {
                stop = c;
                stopLength = length;
                break;
            }
            Store(out, c);
            at += length;
            ascii = at;
        }
        AppendAscii(out, bytes + ascii, at - ascii);
        break;
    }
    }
    if (stopLength != 0)
    {
        at += stopLength;
        pending = stop;
        hasPending = true;
    }
    index = static_cast<std::int32_t>(at) - 1;
}

template <class Text>
bool FileTextual::ReadRaw(Text& out, bool stripComments, bool word)
{
    if (endReached)
        return false;

    std::uint16_t c = NextCharacter();
    if (atStart)
        atStart = false;
    else if (word)
    {
        if (IsWhiteSpace(c))
            c = NextCharacter();
    }
    else if (c == CarriageReturn)
    {
        c = NextCharacter();
        if (c == LineFeed)
            c = NextCharacter();
    }
    else if (c == LineFeed)
        c = NextCharacter();

    out.clear();
    while (c != CarriageReturn && c != LineFeed && !endReached)
    {
        if (word && IsWhiteSpace(c))
            break;
        Store(out, c);
        if (stripComments && word && out.size() == 2 && out[0] == '/' && out[1] == '/')
            word = false;
        // A word that does not begin with "//" can no longer turn into a
        // comment, so what follows is taken as a run.
        if (!stripComments || !word || out.size() >= 2 || out[0] != '/')
            TakePlainRun(out, word);
        c = NextCharacter();
    }
    hasPending = true;
    pending = c;

    if (stripComments)
        CutComment(out);
    return true;
}

bool FileTextual::ReadString(std::string& out, bool stripComments, bool word)
{
    if (encoding == EncodingAnsi)
    {
        // The bytes are the text: read straight into out, which is left
        // alone when nothing is read.
        if (endReached)
            return false;
        return ReadRaw(out, stripComments, word);
    }
    const CodePageTables& tables = CodePageTables::Current();
    const bool asciiKept = tables.IsAsciiKept();
    if (asciiKept && !OtherUnitNarrowsToSlash(tables))
    {
        // Each character narrows as it is decoded, with the same result as
        // narrowing the wide word afterwards: white space and line ends are
        // found on the wide units, and only '/' itself narrows to '/'.
        if (endReached)
            return false;
        narrowTables = &tables;
        return ReadRaw(out, stripComments, word);
    }
    if (!ReadRaw(raw, stripComments, word))
        return false;
    out.resize(raw.size());
    for (std::size_t at = 0; at < raw.size(); ++at)
    {
        const char16_t unit = raw[at];
        if (unit < 0x80 && asciiKept)
        {
            out[at] = static_cast<char>(unit);
            continue;
        }
        const int byte = tables.ByteOf(unit);
        out[at] = byte >= 0 ? static_cast<char>(byte) : replacement;
    }
    return true;
}

bool FileTextual::ReadWideString(std::u16string& out, bool stripComments, bool word)
{
    if (encoding != EncodingAnsi)
        return ReadRaw(out, stripComments, word);
    if (!ReadRaw(narrow, stripComments, word))
        return false;
    NarrowToWideInto(narrow, out);
    return true;
}

bool FileTextual::GetString(std::string& out, bool underscoresToSpaces)
{
    out.clear();
    while (out.empty())
    {
        if (!ReadString(out, true, true))
            return false;
    }
    if (underscoresToSpaces)
        ReplaceAll(out, "_", " ");
    return true;
}

std::int32_t FileTextual::GetInt()
{
    std::string text;
    if (!GetString(text, false))
        return 0;
    return StringToInt(text, 10);
}

float FileTextual::GetFloat()
{
    std::string text;
    if (!GetString(text, false))
        return 0.0f;
    return StringToFloat(text);
}

bool FileTextual::GetBool()
{
    return GetInt() != 0;
}

void FileTextual::ReadAllText(std::u16string& out, bool stripComments)
{
    out.clear();
    out.reserve(static_cast<std::size_t>(GetLength()) + 2);
    std::u16string line;
    bool first = true;
    while (ReadWideString(line, stripComments, false))
    {
        if (!first)
            out += u"\r\n";
        out += line;
        first = false;
    }
}

std::uint32_t FileTextual::GetLength() const
{
    if (encoding == EncodingUtf16BigEndian || encoding == EncodingUtf16LittleEndian)
        return file->GetSize() / 2;
    return file->GetSize();
}

void FileTextual::Rewind()
{
    file->Seek(0, 0);
    index = -1;
    valid = 0;
    hasPending = false;
    pending = 0;
    atStart = true;
    endReached = false;
}

// Writing ---------------------------------------------------------------------

void FileTextual::FlushBuffer()
{
    const auto count = static_cast<std::uint32_t>(index + 1);
    index = -1;
    if (count > 0)
        file->Write(buffer.data(), count, nullptr);
}

void FileTextual::PutByte(std::uint8_t value)
{
    if (index == BufferSize - 1)
        FlushBuffer();
    ++index;
    buffer[static_cast<std::size_t>(index)] = value;
}

void FileTextual::PutUnit(std::uint16_t unit)
{
    switch (encoding)
    {
    case EncodingUtf16BigEndian:
        PutByte(static_cast<std::uint8_t>(unit >> 8));
        PutByte(static_cast<std::uint8_t>(unit & 0xFF));
        break;
    case EncodingUtf16LittleEndian:
        PutByte(static_cast<std::uint8_t>(unit & 0xFF));
        PutByte(static_cast<std::uint8_t>(unit >> 8));
        break;
    case EncodingUtf8:
        if (unit < 0x80)
            PutByte(static_cast<std::uint8_t>(unit));
        else if (unit < 0x800)
        {
            PutByte(static_cast<std::uint8_t>(0xC0 | (unit >> 6)));
            PutByte(static_cast<std::uint8_t>(0x80 | (unit & 0x3F)));
        }
        else
        {
            PutByte(static_cast<std::uint8_t>(0xE0 | (unit >> 12)));
            PutByte(static_cast<std::uint8_t>(0x80 | ((unit >> 6) & 0x3F)));
            PutByte(static_cast<std::uint8_t>(0x80 | (unit & 0x3F)));
        }
        break;
    default:
        PutByte(static_cast<std::uint8_t>(unit));
        break;
    }
}

void FileTextual::WriteString(const std::string& text)
{
    if (encoding == EncodingAnsi)
    {
        for (const char c : text)
        {
            if (c == '\0')
                break;
            PutByte(static_cast<std::uint8_t>(c));
        }
        return;
    }
    for (const char16_t unit : NarrowToWide(text))
        PutUnit(unit);
}

void FileTextual::WriteNewLine()
{
    PutUnit(CarriageReturn);
    PutUnit(LineFeed);
}

} // namespace OrvaneEngine
