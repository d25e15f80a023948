#include "content/ModelFileWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

#include <bit>
#include <stdexcept>

namespace corvellan::content
{
namespace
{

void PutFloat3(std::string& out, const Float3& values)
{
    for (float value : values)
        AppendFloat(out, value);
}

void PutName(std::string& out, const std::string& name)
{
    if (name.size() > 255)
        throw std::invalid_argument("bone name longer than 255 bytes: " + name);
    out.push_back(static_cast<char>(name.size()));
    out += name;
}

void PutBone(std::string& out, const ModelFileBone& bone, std::uint32_t version)
{
    out.push_back(static_cast<char>(bone.flag));
    PutName(out, bone.name);
    if (version >= 202)
        PutFloat3(out, bone.pivot);
    PutFloat3(out, bone.boxMin);
    PutFloat3(out, bone.boxMax);
    AppendLittle16(out, bone.values[0]);
    AppendLittle16(out, bone.values[1]);
}

void PutVertex(std::string& out, const ModelFileVertex& vertex)
{
    AppendFloat(out, vertex.u);
    AppendFloat(out, vertex.v);
    PutFloat3(out, vertex.normal);
    PutFloat3(out, vertex.position);
}

void PutSkinnedVertex(std::string& out, const ModelFileSkinnedVertex& vertex)
{
    AppendFloat(out, vertex.u);
    AppendFloat(out, vertex.v);
    AppendLittle16(out, static_cast<std::uint16_t>(vertex.influences.size()));
    for (const ModelFileInfluence& influence : vertex.influences)
    {
        AppendLittle16(out, influence.bone);
        AppendFloat(out, influence.weight);
        PutFloat3(out, influence.normal);
        PutFloat3(out, influence.position);
    }
}

void PutBox(std::string& out, const ModelFileBox& box)
{
    PutFloat3(out, box.min);
    PutFloat3(out, box.max);
}

void PutIndices(std::string& out, const std::vector<std::uint32_t>& indices, std::uint32_t statedCount)
{
    // The width follows the count the file states, as a reader sees it.
    const bool wide = statedCount >= 65536;
    for (std::uint32_t index : indices)
    {
        if (wide)
            AppendLittle32(out, index);
        else
            AppendLittle16(out, static_cast<std::uint16_t>(index));
    }
}

} // namespace

std::uint32_t ModelFileRecord::VertexCount() const
{
    if (flags & 0x1)
        return static_cast<std::uint32_t>(vertices.size());
    if (flags & 0x2)
        return frameCount == 0 ? 0 : static_cast<std::uint32_t>(vertices.size() / frameCount);
    if (flags & 0x4)
        return static_cast<std::uint32_t>(skinned.size());
    return 0;
}

std::string ModelFileWriter::Build(const ModelFileRecord& record, const ModelFileDamage& damage)
{
    std::string file;
    AppendLittle32(file, 0); // the size, once it is known
    std::string magic = damage.magic.value_or("OVMLF");
    magic.resize(5, '\0');
    file += magic;
    AppendLittle32(file, damage.version.value_or(record.version));
    AppendLittle32(file, record.flags);

    const bool morph = (record.flags & 0x2) != 0;
    const bool skeletal = (record.flags & 0x4) != 0;
    if (morph || skeletal)
    {
        AppendLittle32(file, damage.frameCount.value_or(record.frameCount));
        AppendFloat(file, record.speed);
    }
    if (skeletal)
    {
        AppendLittle16(file, damage.boneCount.value_or(static_cast<std::uint16_t>(record.bones.size())));
        for (const ModelFileBone& bone : record.bones)
            PutBone(file, bone, record.version);
        for (const ModelFileKey& key : record.keys)
            for (float value : key)
                AppendFloat(file, value);
    }

    const std::uint32_t indexCount = damage.indexCount.value_or(static_cast<std::uint32_t>(record.indices.size()));
    AppendLittle32(file, indexCount);
    AppendLittle32(file, damage.vertexCount.value_or(record.VertexCount()));
    PutIndices(file, record.indices, indexCount);

    if (record.flags & 0x1 || morph)
    {
        for (const ModelFileVertex& vertex : record.vertices)
            PutVertex(file, vertex);
    }
    else if (skeletal)
    {
        for (const ModelFileSkinnedVertex& vertex : record.skinned)
            PutSkinnedVertex(file, vertex);
    }

    if (morph)
    {
        for (const ModelFileBox& box : record.boxes)
            PutBox(file, box);
    }
    else
    {
        PutBox(file, record.boxes.empty() ? ModelFileBox{} : record.boxes.front());
    }

    if (damage.cutTo && *damage.cutTo < file.size())
        file.resize(*damage.cutTo);
    const std::uint32_t size = damage.sizeField.value_or(static_cast<std::uint32_t>(file.size()));
    for (std::size_t byte = 0; byte < 4 && byte < file.size(); ++byte)
        file[byte] = static_cast<char>((size >> (8 * byte)) & 0xFF);
    return file;
}

bool ModelFileWriter::WriteTo(const std::string& path, const ModelFileRecord& record, const ModelFileDamage& damage)
{
    return WriteFileAtomically(path, Build(record, damage));
}

} // namespace corvellan::content
