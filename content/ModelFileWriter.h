#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::content
{

using Float3 = std::array<float, 3>;

// One bone record. The pivot is written in version 202 files only.
struct ModelFileBone
{
    std::uint8_t flag = 0;
    std::string name;
    Float3 pivot{0.0f, 0.0f, 0.0f};
    Float3 boxMin{-1.0f, -1.0f, -1.0f};
    Float3 boxMax{1.0f, 1.0f, 1.0f};
    std::array<std::uint16_t, 2> values{0, 0};
};

// A static or morph vertex, in the file's order of fields.
struct ModelFileVertex
{
    float u = 0.0f;
    float v = 0.0f;
    Float3 normal{0.0f, 0.0f, 1.0f};
    Float3 position{0.0f, 0.0f, 0.0f};
};

struct ModelFileInfluence
{
    std::uint16_t bone = 0;
    float weight = 1.0f;
    Float3 normal{0.0f, 0.0f, 1.0f};
    Float3 position{0.0f, 0.0f, 0.0f};
};

// Every influence given is written, so damaged counts can be made.
struct ModelFileSkinnedVertex
{
    float u = 0.0f;
    float v = 0.0f;
    std::vector<ModelFileInfluence> influences;
};

struct ModelFileBox
{
    Float3 min{-1.0f, -1.0f, -1.0f};
    Float3 max{1.0f, 1.0f, 1.0f};
};

// A bone key: translation x, y, z; rotation x, y, z, w; scale x, y, z.
using ModelFileKey = std::array<float, 10>;

// The contents of an "OVMLF" model file. The flags decide which parts are
// written, exactly as a reader decides which to read: frame count and speed
// with 0x2 or 0x4; bones with 0x4, keys too when frames x bones is not 0;
// then the indices; then the vertices of the first of 0x1 (vertices), 0x2
// (vertices, frame after frame) and 0x4 (skinned); then one box per frame
// with 0x2, else the first box.
struct ModelFileRecord
{
    std::uint32_t version = 202;
    std::uint32_t flags = 0x1 | 0x8;
    std::uint32_t frameCount = 1;
    float speed = 0.0f;
    std::vector<ModelFileBone> bones;
    // Frame-major: the key of bone b in frame f is keys[f * bones + b].
    std::vector<ModelFileKey> keys;
    // Written as u16 below 65,536 indices, else as u32.
    std::vector<std::uint32_t> indices;
    std::vector<ModelFileVertex> vertices;
    std::vector<ModelFileSkinnedVertex> skinned;
    std::vector<ModelFileBox> boxes;

    // The vertex count the file states: the static vertices, the morph
    // vertices of one frame, or the skinned vertices.
    std::uint32_t VertexCount() const;
};

// Departures from a well-formed model file.
struct ModelFileDamage
{
    std::optional<std::uint32_t> sizeField;
    // Written in place of the five magic characters (cut or padded with zeros to five).
    std::optional<std::string> magic;
    std::optional<std::uint32_t> version;
    std::optional<std::uint32_t> frameCount;
    std::optional<std::uint16_t> boneCount;
    std::optional<std::uint32_t> indexCount;
    std::optional<std::uint32_t> vertexCount;
    // Keeps only the first bytes; the size field then states the cut size
    // unless sizeField is given.
    std::optional<std::size_t> cutTo;
};

// Builds "OVMLF" model files (versions 201 and 202), little-endian, names
// with a u8 length.
class ModelFileWriter
{
public:
    static constexpr std::uint32_t Version = 202;

    // Names longer than 255 bytes cannot be stored and throw std::invalid_argument.
    static std::string Build(const ModelFileRecord& record, const ModelFileDamage& damage = {});
    // Writes to path (an operating-system path) under a temporary name first,
    // making the folders on the way; false when it could not be written.
    static bool WriteTo(const std::string& path, const ModelFileRecord& record, const ModelFileDamage& damage = {});
};

} // namespace corvellan::content
