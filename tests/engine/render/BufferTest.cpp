#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/render/RenderFixture.h"

#include <gtest/gtest.h>

#include <limits>

#include <cstring>
#include <vector>

using namespace OrvaneEngine;

namespace
{

class BufferTest : public corvellan::test::RecordingRenderFixture
{
protected:
    void SetUp() override { log.ClearMessages(); }
};

TEST_F(BufferTest, NewVertexBuffersHaveTheirLayoutAndWhiteColours)
{
    struct Row
    {
        bool coloured;
        std::uint32_t stride;
    };
    for (const Row row : {Row{true, 36}, Row{false, 32}})
    {
        SCOPED_TRACE(row.coloured);
        auto buffer = renderSystem.CreateVertexBuffer(7, row.coloured, 4);
        EXPECT_EQ(buffer->GetStride(), row.stride);
        EXPECT_EQ(buffer->GetVertexCount(), 4u);
        EXPECT_EQ(buffer->GetUsage(), 7u);
        for (std::uint32_t i = 0; i < 4; ++i)
        {
            const Color color = buffer->GetColor(i);
            EXPECT_FLOAT_EQ(color.r, 1.0f);
            EXPECT_FLOAT_EQ(color.a, 1.0f);
            if (row.coloured)
            {
                EXPECT_EQ(buffer->LockColoredVertices(0, 4)[i].color, 0xFFFFFFFFu);
            }
        }
        // Everything else starts zeroed: the device reads normals sprites never write.
        const Vertex* first = buffer->LockVertices(0, 1);
        EXPECT_EQ(first->normal.x, 0.0f);
        EXPECT_EQ(first->position.z, 0.0f);
        buffer->Unlock();
        EXPECT_FALSE(buffer->IsLocked());
    }
}

TEST_F(BufferTest, PackAndUnpackColours)
{
    auto buffer = renderSystem.CreateVertexBuffer(0, true, 1);
    struct Row
    {
        Color color;
        std::uint32_t packed;
    };
    const Row rows[] = {
        {Color(1.5f, 0.5f, -0.2f, 1.0f), 0xFFFF8000u},
        {Color(0.0f, 0.0f, 0.0f, 0.0f), 0u},
        {Color(1.0f, 1.0f, 1.0f, 1.0f), 0xFFFFFFFFu},
        {Color(0.2f, 0.4f, 0.6f, 0.8f), 0xCC336699u},
        {Color(std::numeric_limits<float>::quiet_NaN(), 1.0f, 0.0f, 1.0f), 0xFF00FF00u},
    };
    for (const Row& row : rows)
        EXPECT_EQ(buffer->PackColor(row.color), row.packed) << std::hex << row.packed;

    const Color unpacked = buffer->UnpackColor(0x80FF0000u);
    EXPECT_NEAR(unpacked.r, 1.0f, 1e-6);
    EXPECT_NEAR(unpacked.g, 0.0f, 1e-6);
    EXPECT_NEAR(unpacked.b, 0.0f, 1e-6);
    EXPECT_NEAR(unpacked.a, 0.502f, 0.0005);

    buffer->SetColor(Color(0.2f, 0.4f, 0.6f, 0.8f));
    EXPECT_EQ(buffer->LockColoredVertices(0, 1)->color, 0xCC336699u);
}

TEST_F(BufferTest, IndexWidthFollowsTheCapacity)
{
    struct Row
    {
        std::uint32_t count;
        bool wide;
        std::uint32_t size;
    };
    for (const Row row : {Row{65535, false, 2}, Row{65536, true, 4}, Row{0, false, 2}})
    {
        auto buffer = renderSystem.CreateIndexBuffer(0, row.count);
        EXPECT_EQ(buffer->Is32Bit(), row.wide) << row.count;
        EXPECT_EQ(buffer->GetIndexSize(), row.size) << row.count;
        EXPECT_EQ(buffer->GetIndexCount(), row.count);
        EXPECT_EQ(buffer->GetCapacity(), row.count);
    }
}

TEST_F(BufferTest, IndexRangeIsKeptUpToDate)
{
    auto narrow = renderSystem.CreateIndexBuffer(0, 3);
    const std::uint32_t indices[] = {7, 3, 5};
    narrow->SetIndices(0, 3, indices);
    EXPECT_EQ(narrow->GetMinIndex(), 3u);
    EXPECT_EQ(narrow->GetIndexRange(), 5u);

    // The range follows writes through Lock and changes of the used count.
    auto* raw = static_cast<std::uint16_t*>(narrow->Lock(1, 1));
    raw[0] = 20;
    narrow->Unlock();
    EXPECT_EQ(narrow->GetMinIndex(), 5u);
    EXPECT_EQ(narrow->GetIndexRange(), 16u);
    narrow->SetIndexCount(1);
    EXPECT_EQ(narrow->GetMinIndex(), 7u);
    EXPECT_EQ(narrow->GetIndexRange(), 1u);
    narrow->SetIndexCount(0);
    EXPECT_EQ(narrow->GetMinIndex(), 0u);
    EXPECT_EQ(narrow->GetIndexRange(), 0u);

    // Values are cut to the buffer's width.
    const std::uint32_t big[] = {70000};
    narrow->SetIndices(0, 1, big);
    EXPECT_EQ(static_cast<std::uint16_t*>(narrow->Lock(0, 1))[0], 4464u);
    narrow->Unlock();
    auto wide = renderSystem.CreateIndexBuffer(0, 65536);
    wide->SetIndices(0, 1, big);
    wide->SetIndexCount(1);
    EXPECT_EQ(wide->GetMinIndex(), 70000u);
    EXPECT_EQ(wide->GetIndexRange(), 1u);
}

TEST_F(BufferTest, ConversionsKeepGeometryAndWhitenColours)
{
    auto coloured = renderSystem.CreateVertexBuffer(3, true, 2);
    ColoredVertex* source = coloured->LockColoredVertices(0, 2);
    for (int i = 0; i < 2; ++i)
    {
        const float f = static_cast<float>(i + 1);
        source[i] = ColoredVertex{Vector3(f, 2 * f, 3 * f), Vector3(-f, 0.5f, f), 0x11223344u, 0.25f * f, 0.75f};
    }
    coloured->Unlock();

    auto plain = renderSystem.CreateVertexBufferFrom(9, false, coloured.get());
    auto back = renderSystem.CreateVertexBufferFrom(9, true, plain.get());
    EXPECT_EQ(plain->GetStride(), 32u);
    EXPECT_EQ(back->GetStride(), 36u);
    EXPECT_EQ(back->GetUsage(), 9u);
    const Vertex* middle = plain->LockVertices(0, 2);
    const ColoredVertex* result = back->LockColoredVertices(0, 2);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(middle[i].position.y, source[i].position.y);
        EXPECT_EQ(middle[i].v, source[i].v);
        EXPECT_EQ(result[i].position.x, source[i].position.x);
        EXPECT_EQ(result[i].position.z, source[i].position.z);
        EXPECT_EQ(result[i].normal.x, source[i].normal.x);
        EXPECT_EQ(result[i].normal.y, source[i].normal.y);
        EXPECT_EQ(result[i].u, source[i].u);
        EXPECT_EQ(result[i].v, source[i].v);
        EXPECT_EQ(result[i].color, 0xFFFFFFFFu);
    }

    // Same layout: a byte copy, colours kept; a clone keeps the usage flags too.
    auto same = renderSystem.CreateVertexBufferFrom(1, true, coloured.get());
    auto clone = renderSystem.CloneVertexBuffer(coloured.get());
    for (const auto* copy : {same.get(), clone.get()})
        EXPECT_EQ(std::memcmp(copy->GetData(), coloured->GetData(), 72), 0);
    EXPECT_EQ(clone->GetUsage(), 3u);
    EXPECT_EQ(same->GetUsage(), 1u);

    auto indices = renderSystem.CreateIndexBuffer(4, 3);
    const std::uint32_t values[] = {9, 2, 4};
    indices->SetIndices(0, 3, values);
    EXPECT_EQ(indices->GetMinIndex(), 2u);
    auto from = renderSystem.CreateIndexBufferFrom(8, indices.get());
    auto cloneIndices = renderSystem.CloneIndexBuffer(indices.get());
    EXPECT_EQ(from->GetUsage(), 8u);
    EXPECT_EQ(cloneIndices->GetUsage(), 4u);
    for (auto* copy : {from.get(), cloneIndices.get()})
    {
        EXPECT_EQ(copy->GetMinIndex(), 2u);
        EXPECT_EQ(copy->GetIndexRange(), 8u);
        EXPECT_EQ(std::memcmp(copy->GetData(), indices->GetData(), 6), 0);
    }
}

TEST_F(BufferTest, CountsBeyondTheCapacityAreCutAndReported)
{
    auto buffer = renderSystem.CreateIndexBuffer(0, 4);
    const std::uint32_t values[] = {1, 2, 3, 4, 5, 6, 7, 8};

    buffer->SetIndexCount(70000);
    EXPECT_EQ(buffer->GetIndexCount(), 4u);
    EXPECT_EQ(CountErrors(), 1);
    // The range scan stays inside the array.
    EXPECT_EQ(buffer->GetIndexRange(), 1u);

    buffer->SetIndices(2, 5, values);
    EXPECT_EQ(CountErrors(), 2);
    const auto* stored = static_cast<const std::uint16_t*>(static_cast<const void*>(buffer->GetData()));
    EXPECT_EQ(stored[2], 1u);
    EXPECT_EQ(stored[3], 2u);
    EXPECT_EQ(buffer->GetMinIndex(), 0u);
    EXPECT_EQ(buffer->GetIndexRange(), 3u);

    buffer->SetIndices(9, 2, values);
    EXPECT_EQ(CountErrors(), 3);
    EXPECT_EQ(stored[3], 2u);

    // Within the capacity nothing is reported.
    buffer->SetIndices(0, 4, values);
    buffer->SetIndexCount(4);
    EXPECT_EQ(CountErrors(), 3);
}

} // namespace
