#include "engine/render/Model.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/StringFunctions.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"

#include <bit>
#include <cstring>

namespace OrvaneEngine
{
namespace
{

// Bytes per record in the file.
constexpr std::uint64_t VertexRecordSize = 32;
constexpr std::uint64_t SkinnedVertexMinimumSize = 10; // u, v and the influence count
constexpr std::uint64_t BoxRecordSize = 24;
constexpr std::uint64_t BoneRecordMinimumSize = 30;   // flag, empty name, box, two u16
constexpr std::uint64_t PivotSize = 12;
// Room the reader makes for data the file does not hold.
constexpr std::uint64_t UnreadBytesLimit = std::uint64_t{64} << 20;

// The reader's view of an open file: little-endian values, and the checks
// that keep every allocation within what the file can back.
class ModelFileInput
{
public:
    ModelFileInput(FileBinary& file_, const std::string& fileName) : file(file_), formatError(FormatText(fileName)) {}

    static std::string FormatText(const std::string& fileName) { return "Incorrect \"" + fileName + "\" file format"; }

    std::uint8_t U8()
    {
        std::uint8_t value = 0;
        file.Read(&value, 1);
        return value;
    }

    std::uint16_t U16()
    {
        std::uint8_t bytes[2] = {};
        file.Read(bytes, 2);
        return LoadLittle16(bytes);
    }

    std::uint32_t U32()
    {
        std::uint32_t value = 0;
        file.ReadUInt32(value);
        return value;
    }

    float F32() { return std::bit_cast<float>(U32()); }

    Vector3 Vec3()
    {
        const float x = F32();
        const float y = F32();
        const float z = F32();
        return Vector3(x, y, z);
    }

    // Copies bytes straight into memory the caller made; the count was checked.
    void Bytes(void* target, std::uint64_t count)
    {
        if (count != 0)
            file.Read(target, static_cast<std::uint32_t>(count));
    }

    std::uint64_t Left() const { return static_cast<std::uint64_t>(file.GetSize()) - file.GetPosition(); }

    // Checks that count records of size bytes fit into budget and takes them
    // from it; no product can overflow on the way.
    void Take(std::uint64_t& budget, std::uint64_t count, std::uint64_t size) const
    {
        Require(size == 0 || count <= budget / size);
        budget -= count * size;
    }

    void Require(bool condition) const
    {
        if (!condition)
            throw FileError(formatError);
    }

    FileBinary& file;

private:
    std::string formatError;
};

void ReadBone(ModelFileInput& in, Bone& bone, std::uint32_t version)
{
    bone.flag = in.U8();
    in.file.ReadString(bone.name);
    if (version == Model::FileVersion)
        bone.pivot = in.Vec3();
    const Vector3 min = in.Vec3();
    const Vector3 max = in.Vec3();
    bone.volume.SetBox(min, max);
    bone.fileValues[0] = in.U16();
    bone.fileValues[1] = in.U16();
}

// Scatters vertex records of the file (u, v, normal, position) into buffer
// vertices of the given stride (position, normal, [colour,] u, v).
void ScatterVertices(const float* source, std::uint32_t count, std::uint8_t* target, std::uint32_t stride)
{
    for (std::uint32_t index = 0; index < count; ++index, source += 8, target += stride)
    {
        std::memcpy(target, source + 5, 12);
        std::memcpy(target + 12, source + 2, 12);
        std::memcpy(target + stride - 8, source, 8);
    }
}

} // namespace

void Model::ReadModelFile(FileBinary& file, std::uint32_t callerFlags, std::uint32_t& frameCount, float& speed)
{
    ModelFileInput in(file, name);

    const std::uint32_t sizeField = in.U32();
    char magic[5] = {};
    file.Read(magic, sizeof(magic));
    const std::uint32_t version = in.U32();
    in.Require(std::memcmp(magic, "OVMLF", sizeof(magic)) == 0 && sizeField == file.GetSize());
    if (version != FileVersion && version != OldFileVersion)
        throw FileError("Incorrect \"" + name + "\" format version, current is " + UIntToString(FileVersion, 0));

    flags = in.U32() | callerFlags;
    if (flags == 0)
        flags = FlagVertexUsage;
    const bool morph = (flags & FlagMorph) != 0;
    const bool skeletal = (flags & FlagSkeletal) != 0;

    frameCount = 1;
    speed = 0.0f;
    if (morph || skeletal)
    {
        frameCount = in.U32();
        speed = in.F32();
        // No frame to show, and frame arithmetic would divide by zero.
        in.Require(frameCount != 0);
    }

    std::uint32_t boneCount = 0;
    if (skeletal)
    {
        boneCount = in.U16();
        const std::uint64_t boneSize = BoneRecordMinimumSize + (version == FileVersion ? PivotSize : 0);
        std::uint64_t budget = in.Left();
        in.Take(budget, boneCount, boneSize);
        skeleton = std::make_unique<Skeleton>(log, static_cast<std::uint16_t>(boneCount));
        for (std::uint32_t bone = 0; bone < boneCount; ++bone)
            ReadBone(in, skeleton->GetBone(bone), version);
        const std::uint64_t keyFloats = static_cast<std::uint64_t>(boneCount) * frameCount * KeySize;
        if (keyFloats != 0)
        {
            budget = in.Left();
            in.Take(budget, keyFloats, 4);
            boneKeys.resize(keyFloats);
            in.Bytes(boneKeys.data(), keyFloats * 4);
        }
    }

    const std::uint32_t indexCount = in.U32();
    const std::uint32_t vertexCount = in.U32();
    const std::uint64_t indexSize = indexCount < IndexBuffer::WideIndexThreshold ? 2 : 4;
    const std::uint64_t indexBytes = indexCount * indexSize;
    // Everything that follows and is read must fit before anything is made.
    std::uint64_t budget = in.Left();
    in.Take(budget, indexCount, indexSize);
    in.Take(budget, morph ? frameCount : 1, BoxRecordSize);
    if (flags & FlagStatic)
        in.Take(budget, vertexCount, VertexRecordSize);
    else if (morph)
        in.Take(budget, static_cast<std::uint64_t>(vertexCount) * frameCount, VertexRecordSize);
    else if (skeletal)
        in.Take(budget, vertexCount, SkinnedVertexMinimumSize);
    // What is made but not read (the vertices of a file without vertex
    // data, which its owner writes; the morph frames under static vertices)
    // has nothing in the file to bound it, so it has a ceiling of its own.
    if ((flags & (FlagStatic | FlagMorph | FlagSkeletal)) == 0)
        in.Require(vertexCount <= UnreadBytesLimit / sizeof(ColoredVertex));
    else if ((flags & FlagStatic) && morph)
        in.Require(static_cast<std::uint64_t>(vertexCount) * frameCount <= UnreadBytesLimit / sizeof(Vertex));

    indexBuffer = renderSystem->CreateIndexBuffer(flags & FlagIndexUsage, indexCount);
    in.Bytes(indexBuffer->Lock(0, indexCount), indexBytes);
    const std::uint8_t* indices = indexBuffer->GetData();
    for (std::uint32_t index = 0; index < indexCount; ++index)
    {
        std::uint32_t value = 0;
        if (indexBuffer->Is32Bit())
            std::memcpy(&value, indices + 4 * static_cast<std::size_t>(index), 4);
        else
            value = LoadLittle16(indices + 2 * static_cast<std::size_t>(index));
        in.Require(value < vertexCount);
    }
    indexBuffer->Unlock();

    vertexBuffer = renderSystem->CreateVertexBuffer(flags & FlagVertexUsage, (flags & FlagColored) != 0, vertexCount);
    if (morph)
        morphVertices.assign(static_cast<std::size_t>(vertexCount) * frameCount, Vertex{});
    else if (skeletal)
        skinRecords.assign(vertexCount, SkinRecord{});

    const std::uint32_t stride = vertexBuffer->GetStride();
    if (flags & FlagStatic)
    {
        std::vector<float> records(static_cast<std::size_t>(vertexCount) * 8);
        in.Bytes(records.data(), records.size() * 4);
        auto* target = static_cast<std::uint8_t*>(vertexBuffer->Lock(0, vertexCount));
        ScatterVertices(records.data(), vertexCount, target, stride);
        vertexBuffer->Unlock();
    }
    else if (morph)
    {
        std::vector<float> records(morphVertices.size() * 8);
        in.Bytes(records.data(), records.size() * 4);
        ScatterVertices(records.data(), static_cast<std::uint32_t>(morphVertices.size()),
                        reinterpret_cast<std::uint8_t*>(morphVertices.data()), sizeof(Vertex));
    }
    else if (skeletal)
    {
        auto* target = static_cast<std::uint8_t*>(vertexBuffer->Lock(0, vertexCount));
        for (std::uint32_t vertex = 0; vertex < vertexCount; ++vertex, target += stride)
        {
            const float uv[2] = {in.F32(), in.F32()};
            std::memcpy(target + stride - 8, uv, 8);
            SkinRecord& record = skinRecords[vertex];
            record.influenceCount = in.U16();
            // The record has room for four; more would write past it.
            in.Require(record.influenceCount <= SkinRecord::MaxInfluences);
            for (std::uint16_t slot = 0; slot < record.influenceCount; ++slot)
            {
                SkinInfluence& influence = record.influences[slot];
                influence.boneIndex = in.U16();
                in.Require(influence.boneIndex < boneCount);
                influence.weight = in.F32();
                influence.normal = in.Vec3();
                influence.position = in.Vec3();
            }
        }
        vertexBuffer->Unlock();
    }

    if (morph)
    {
        frameVolumes.resize(frameCount);
        for (BoundingVolume& volume : frameVolumes)
        {
            const Vector3 min = in.Vec3();
            const Vector3 max = in.Vec3();
            volume.SetBox(min, max);
        }
        boundingVolume = frameVolumes.front();
    }
    else
    {
        const Vector3 min = in.Vec3();
        const Vector3 max = in.Vec3();
        boundingVolume.SetBox(min, max);
    }
}

} // namespace OrvaneEngine
