#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace OrvaneEngine
{

class Color;
class FileBinary;
class FileManager;
class MessageManager;

// The cubic filter's weighting of four samples, t in 0..127 (7-bit fraction
// between p1 and p2), in 32-bit fixed point: p1 + cT + bT^2 + aT^3 with T = t / 128.
std::int32_t CubicInterpolate(std::int32_t p0, std::int32_t p1, std::int32_t p2, std::int32_t p3, std::int32_t t);

// A picture in main memory: 8-, 24- or 32-bit pixels, rows one after the
// other with row 0 the bottom row, pixel bytes R, G, B(, A).
//
// Operations that take an optional output image build their result there and
// leave this image as it was; without one they work in place.
class Image
{
public:
    // The readers refuse pictures beyond these before they allocate anything.
    static constexpr std::uint32_t MaxSide = 16384;
    static constexpr std::uint64_t MaxPixelBytes = 256ull * 1024 * 1024;

    Image();
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Contents undefined. Throws std::bad_alloc when the size cannot be held.
    void Create(MessageManager* log, std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel);
    // Frees the pixels; the image is then 0 x 0, as a new one, but keeps its log.
    void Clear();
    // true frees the pixels; false is ignored while there are none.
    void SetEmpty(bool flag);
    bool IsEmpty() const { return empty; }
    void CopyFrom(const Image& source);

    std::uint32_t GetWidth() const { return width; }
    std::uint32_t GetHeight() const { return height; }
    std::uint32_t GetBitsPerPixel() const { return bitsPerPixel; }
    std::uint8_t* GetPixels() { return pixels.get(); }
    const std::uint8_t* GetPixels() const { return pixels.get(); }
    std::uint8_t* GetPixelData() { return pixels.get(); }
    const std::uint8_t* GetPixelData() const { return pixels.get(); }
    MessageManager* GetLog() const { return log; }

    void FlipVertical(Image* output = nullptr);
    void SwapRedBlue(Image* output = nullptr);
    void ConvertBitsPerPixel(std::uint32_t bits, Image* output = nullptr);
    // Bottom-left corner of the source at (x, y), clipped at the right and top.
    void Paste(std::uint32_t x, std::uint32_t y, const Image& source, Image* output = nullptr);
    void Fill(const Color& color, Image* output = nullptr);
    // filter: 0 nearest, 1 bilinear, 2 cubic.
    void Resize(std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t filter);
    // Filters other than 1 and 2 sample the nearest pixel.
    void Resample(std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t filter, Image& output);
    // The 64 x 64 yellow-and-black picture used when a texture file is missing.
    void MakeCheckerboard(MessageManager* newLog);

    // Files, chosen by extension: "bmp", "tga", "jpg" and "jpeg".
    bool Load(MessageManager* newLog, FileManager* fileManager, const std::string& path);
    bool Save(FileManager* fileManager, const std::string& path);
    bool LoadBMP(MessageManager* newLog, FileManager* fileManager, const std::string& path);
    bool LoadTGA(MessageManager* newLog, FileManager* fileManager, const std::string& path);
    bool LoadJPEG(MessageManager* newLog, FileManager* fileManager, const std::string& path);
    bool SaveBMP(FileManager* fileManager, const std::string& path);
    bool SaveTGA(FileManager* fileManager, const std::string& path);
    bool SaveJPEG(FileManager* fileManager, const std::string& path, std::uint32_t quality);

    // The readers behind LoadBMP, LoadTGA and LoadJPEG, over a file that is
    // already open (path names it in the log). On failure the image is empty.
    bool ReadBMP(MessageManager* newLog, FileBinary& file, const std::string& path);
    bool ReadTGA(MessageManager* newLog, FileBinary& file, const std::string& path);
    bool ReadJPEG(MessageManager* newLog, FileBinary& file, const std::string& path);

    // Whether a reader may create a picture of this size.
    static bool IsSizeAcceptable(std::uint64_t pictureWidth, std::uint64_t pictureHeight, std::uint32_t bits);

private:
    std::uint32_t BytesPerPixel() const { return bitsPerPixel / 8; }
    std::uint64_t RowBytes() const { return std::uint64_t{width} * BytesPerPixel(); }
    // Moves the other image's pixels into this one; the other becomes empty.
    void TakeFrom(Image& other);
    // Whether there is a picture a writer can store; logs "Failed to save" when not.
    bool CanSave(const std::string& path) const;

    bool empty = true;
    MessageManager* log = nullptr;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::unique_ptr<std::uint8_t[]> pixels;
};

} // namespace OrvaneEngine
