#include "content/HostileImages.h"

#include "content/ImageFixtures.h"
#include "content/JpegFixtures.h"
#include "content/LittleEndian.h"
#include "content/PhotoPicture.h"
#include "engine/render/Image.h"

#include <cstdint>

namespace corvellan::content
{

namespace
{

std::string With32(std::string bytes, std::size_t at, std::uint32_t value)
{
    SetLittle32(bytes, at, value);
    return bytes;
}

std::string With16(std::string bytes, std::size_t at, std::uint32_t value)
{
    SetLittle16(bytes, at, value);
    return bytes;
}

// The frame header's height and width set to the given ones.
std::string WithJpegSize(std::string bytes, std::uint32_t width, std::uint32_t height)
{
    std::size_t at = 2;
    while (at + 4 <= bytes.size() && static_cast<std::uint8_t>(bytes[at]) == 0xFF)
    {
        const auto marker = static_cast<std::uint8_t>(bytes[at + 1]);
        const std::size_t length =
            (std::size_t{static_cast<std::uint8_t>(bytes[at + 2])} << 8) | static_cast<std::uint8_t>(bytes[at + 3]);
        if (marker == 0xC0 || marker == 0xC2)
        {
            bytes[at + 5] = static_cast<char>(height >> 8);
            bytes[at + 6] = static_cast<char>(height & 0xFF);
            bytes[at + 7] = static_cast<char>(width >> 8);
            bytes[at + 8] = static_cast<char>(width & 0xFF);
            break;
        }
        at += 2 + length;
    }
    return bytes;
}

// Where the entropy-coded data of the first scan starts; 0 when there is none.
std::size_t ScanStart(const std::string& bytes)
{
    std::size_t at = 2;
    while (at + 4 <= bytes.size() && static_cast<std::uint8_t>(bytes[at]) == 0xFF)
    {
        const std::size_t length =
            (std::size_t{static_cast<std::uint8_t>(bytes[at + 2])} << 8) | static_cast<std::uint8_t>(bytes[at + 3]);
        if (static_cast<std::uint8_t>(bytes[at + 1]) == 0xDA)
        {
            return at + 2 + length;
        }
        at += 2 + length;
    }
    return 0;
}

void AddBmpFiles(std::vector<HostileImage>& files)
{
    OrvaneEngine::Image picture;
    MakePhotoPicture(picture, 5, 4, 3);
    const std::string bmp = EngineImageFile(picture, "bmp");
    OrvaneEngine::Image grey;
    MakePhotoPicture(grey, 5, 4, 4);
    grey.ConvertBitsPerPixel(8);
    const std::string bmp8 = EngineImageFile(grey, "bmp");

    std::string bx = bmp;
    bx[1] = 'X';
    files.push_back({"bx.bmp", bx, HostileOutcome::Incorrect});
    files.push_back({"width_0.bmp", With32(bmp, 18, 0), HostileOutcome::Incorrect});
    files.push_back({"huge.bmp", With32(With32(bmp, 18, 70000), 22, 70000), HostileOutcome::Incorrect});
    files.push_back({"wrapping_size.bmp", With32(With32(bmp, 18, 65536), 22, 65536), HostileOutcome::Incorrect});
    files.push_back({"cut_pixels.bmp", bmp.substr(0, 54 + 20), HostileOutcome::Incorrect});
    files.push_back({"offset_in_header.bmp", With32(bmp, 10, 20), HostileOutcome::Incorrect});
    files.push_back({"offset_past_end.bmp", With32(bmp, 10, 1u << 30), HostileOutcome::Incorrect});
    files.push_back({"offset_in_palette.bmp", With32(bmp8, 10, 600), HostileOutcome::Incorrect});
    files.push_back({"negative_height.bmp", With32(bmp, 22, static_cast<std::uint32_t>(-4)), HostileOutcome::Unsupported});
    files.push_back({"bits_16.bmp", With16(bmp, 28, 16), HostileOutcome::Unsupported});
    files.push_back({"compressed_24.bmp", With32(bmp, 30, 3), HostileOutcome::Unsupported});
    files.push_back({"compressed_8.bmp", With32(bmp8, 30, 1), HostileOutcome::Unsupported});
    files.push_back({"core_header.bmp", With32(bmp, 14, 12), HostileOutcome::Unsupported});
}

void AddTgaFiles(std::vector<HostileImage>& files)
{
    OrvaneEngine::Image picture;
    MakePhotoPicture(picture, 6, 5, 5);
    const std::string raw = TgaFromImage(picture, TgaLayout{});
    TgaLayout packedLayout;
    packedLayout.runLength = true;
    const std::string packed = TgaFromImage(picture, packedLayout);

    TgaLayout odd;
    odd.depth = 15;
    files.push_back({"depth_15.tga", Tga(2, 2, odd, std::string(8, '\x11')), HostileOutcome::Unsupported});
    TgaLayout zero;
    zero.depth = 0;
    files.push_back({"depth_0.tga", Tga(2, 2, zero, std::string()), HostileOutcome::Unsupported});
    files.push_back({"width_0.tga", With16(raw, 12, 0), HostileOutcome::Incorrect});
    files.push_back({"run_length_cut.tga", packed.substr(0, packed.size() - 4), HostileOutcome::Incorrect});
    files.push_back({"raw_cut.tga", raw.substr(0, raw.size() - 1), HostileOutcome::Incorrect});
    files.push_back({"huge_run_length.tga", With16(With16(packed, 12, 16384), 14, 16384), HostileOutcome::Incorrect});
    // Within the limits, but far more pixels than the packets could ever hold.
    files.push_back({"short_run_length.tga", With16(With16(packed, 12, 4096), 14, 4096), HostileOutcome::Incorrect});
    std::string mapBeyondEnd = Tga(2, 2, TgaLayout{}, std::string(12, '\x22'));
    SetLittle16(mapBeyondEnd, 5, 60000);
    mapBeyondEnd[7] = 24;
    files.push_back({"map_beyond_end.tga", mapBeyondEnd, HostileOutcome::Incorrect});
    std::string idBeyondEnd = Tga(2, 2, TgaLayout{}, std::string(12, '\x22'));
    idBeyondEnd[0] = static_cast<char>(200);
    files.push_back({"id_beyond_end.tga", idBeyondEnd, HostileOutcome::Incorrect});

    // 2 x 2: three copies, then a packet of three more of which one is needed.
    TgaLayout rawLayout;
    std::string overrun = Tga(2, 2, rawLayout, "");
    overrun[2] = 10;
    overrun += std::string("\x82\x01\x02\x03\x82\x04\x05\x06", 8);
    files.push_back({"run_length_overrun.tga", overrun, HostileOutcome::Loads});
    std::string rawOverrun = Tga(2, 2, rawLayout, "");
    rawOverrun[2] = 10;
    rawOverrun += std::string("\x02\x01\x01\x01\x02\x02\x02\x03\x03\x03\x01\x04\x04\x04\x05\x05\x05", 17);
    files.push_back({"raw_packet_overrun.tga", rawOverrun, HostileOutcome::Loads});
}

void AddJpegFiles(std::vector<HostileImage>& files)
{
    OrvaneEngine::Image picture;
    MakePhotoPicture(picture, 48, 32, 6);
    const std::string jpeg = Jpeg(picture, JpegOptions{});

    files.push_back({"empty.jpg", "", HostileOutcome::Incorrect});
    std::string garbage = "\xFF\xD8";
    std::uint32_t state = 12345;
    for (int i = 0; i < 600; ++i)
    {
        state = state * 1103515245u + 12345u;
        garbage += static_cast<char>((state >> 16) & 0x7F); // never a marker
    }
    files.push_back({"garbage_after_soi.jpg", garbage, HostileOutcome::Incorrect});
    files.push_back({"huge_header.jpg", WithJpegSize(jpeg, 60000, 60000), HostileOutcome::Incorrect});
    files.push_back({"zero_width.jpg", WithJpegSize(jpeg, 0, 32), HostileOutcome::Incorrect});
    files.push_back({"header_only.jpg", jpeg.substr(0, 120), HostileOutcome::Incorrect});
    JpegOptions cmyk;
    cmyk.cmyk = true;
    files.push_back({"cmyk.jpg", Jpeg(picture, cmyk), HostileOutcome::Unsupported});
    // Cut inside the scan: decodes up to the forced end marker.
    files.push_back({"cut_in_scan.jpg", jpeg.substr(0, (ScanStart(jpeg) + jpeg.size()) / 2), HostileOutcome::Loads});
}

} // namespace

std::vector<HostileImage> HostileImageFiles()
{
    std::vector<HostileImage> files;
    AddBmpFiles(files);
    AddTgaFiles(files);
    AddJpegFiles(files);
    return files;
}

} // namespace corvellan::content
