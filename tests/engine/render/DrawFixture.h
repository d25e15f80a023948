#pragma once

// The Direct3D 7 render system on its smallest mode, with helpers that build
// buffers, draw them and read the back buffer through the stand-in's Blt and
// Lock. Positions are in clip space: the projection and view are identities
// (the view reaches the device with z flipped, so a z of -0.5 lies at depth
// 0.5), x from -1 (left) to 1, y from -1 (bottom) to 1.

#include "engine/core/Matrix4.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Vertex.h"
#include "engine/render/VertexBuffer.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"
#include "tests/engine/render/D3D7Fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

struct Rgb
{
    int r = 0;
    int g = 0;
    int b = 0;
};

inline bool Near(const Rgb& a, const Rgb& b, int tolerance = 1)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

inline std::string Describe(const Rgb& color)
{
    return "(" + std::to_string(color.r) + ", " + std::to_string(color.g) + ", " + std::to_string(color.b) + ")";
}

// Buffers of one drawable thing.
struct Mesh
{
    std::unique_ptr<OrvaneEngine::VertexBuffer> vertices;
    std::unique_ptr<OrvaneEngine::IndexBuffer> indices;
    bool strip = false;
    std::uint32_t primitives = 0;
};

struct Corner
{
    float x;
    float y;
    std::uint32_t color = 0xFFFFFFFFu;
    float u = 0.0f;
    float v = 0.0f;
};

class DrawFixture : public D3D7Fixture
{
protected:
    // The smallest mode the render system takes.
    static constexpr std::uint32_t kWidth = 640;
    static constexpr std::uint32_t kHeight = 480;

    // Windowed, the back buffer has the desktop's depth; full screen, the mode's.
    void CreateSmall(std::uint32_t bits = 32, bool stencil = false, bool fullscreen = false)
    {
        d3d7::testing::SetMachine(MachineOnDesktop(1024, 768));
        CreateSmallOnMachine(bits, stencil, fullscreen);
    }

    // On the machine the test put in place.
    void CreateSmallOnMachine(std::uint32_t bits = 32, bool stencil = false, bool fullscreen = false)
    {
        Create("640x480x" + std::to_string(bits), fullscreen, stencil);
        ASSERT_TRUE(renderSystem->ready);
        ASSERT_EQ(renderSystem->backBufferDesc.width, kWidth);
        UseIdentityProjection();
        log.ClearMessages();
    }

    void UseIdentityProjection()
    {
        OrvaneEngine::Matrix4::Identity(renderSystem->projectionMatrix);
        renderSystem->UpdateProjectionMatrix();
    }

    // Two triangles over the corners in the order given (0, 1, 2 and 0, 2, 3).
    Mesh Quad(const std::array<Corner, 4>& corners, float z = -0.5f, bool colored = true,
              const OrvaneEngine::Vector3& normal = OrvaneEngine::Vector3(0.0f, 0.0f, 1.0f))
    {
        Mesh mesh;
        mesh.vertices = renderSystem->CreateVertexBuffer(0, colored, 4);
        for (std::uint32_t i = 0; i < 4; ++i)
        {
            const Corner& corner = corners[i];
            const OrvaneEngine::Vector3 position(corner.x, corner.y, z);
            if (colored)
            {
                OrvaneEngine::ColoredVertex* vertex = mesh.vertices->LockColoredVertices(i, 1);
                *vertex = OrvaneEngine::ColoredVertex{position, normal, corner.color, corner.u, corner.v};
            }
            else
            {
                OrvaneEngine::Vertex* vertex = mesh.vertices->LockVertices(i, 1);
                *vertex = OrvaneEngine::Vertex{position, normal, corner.u, corner.v};
            }
            mesh.vertices->Unlock();
        }
        const std::uint32_t indices[] = {0, 1, 2, 0, 2, 3};
        mesh.indices = renderSystem->CreateIndexBuffer(0, 6);
        mesh.indices->SetIndices(0, 6, indices);
        mesh.primitives = 2;
        return mesh;
    }

    // A triangle list over the corners, three by three.
    Mesh Triangles(const std::vector<Corner>& corners, float z = -0.5f, bool colored = true)
    {
        Mesh mesh;
        const auto count = static_cast<std::uint32_t>(corners.size());
        mesh.vertices = renderSystem->CreateVertexBuffer(0, colored, count);
        std::vector<std::uint32_t> indices;
        for (std::uint32_t i = 0; i < count; ++i)
        {
            const Corner& corner = corners[i];
            const OrvaneEngine::Vector3 position(corner.x, corner.y, z);
            const OrvaneEngine::Vector3 normal(0.0f, 0.0f, 1.0f);
            if (colored)
                *mesh.vertices->LockColoredVertices(i, 1) =
                    OrvaneEngine::ColoredVertex{position, normal, corner.color, corner.u, corner.v};
            else
                *mesh.vertices->LockVertices(i, 1) = OrvaneEngine::Vertex{position, normal, corner.u, corner.v};
            mesh.vertices->Unlock();
            indices.push_back(i);
        }
        mesh.indices = renderSystem->CreateIndexBuffer(0, count);
        mesh.indices->SetIndices(0, count, indices.data());
        mesh.primitives = count / 3;
        return mesh;
    }

    // An axis-aligned quad, counter-clockwise on the screen, with uv (0, 0)
    // at the bottom left and (1, 1) at the top right.
    Mesh Rect(float x0, float y0, float x1, float y1, std::uint32_t color = 0xFFFFFFFFu, float z = -0.5f,
              bool colored = true)
    {
        return Quad({Corner{x0, y0, color, 0.0f, 0.0f}, Corner{x1, y0, color, 1.0f, 0.0f},
                     Corner{x1, y1, color, 1.0f, 1.0f}, Corner{x0, y1, color, 0.0f, 1.0f}},
                    z, colored);
    }

    Mesh FullScreen(std::uint32_t color = 0xFFFFFFFFu, float z = -0.5f, bool colored = true)
    {
        return Rect(-1.0f, -1.0f, 1.0f, 1.0f, color, z, colored);
    }

    void Draw(Mesh& mesh)
    {
        renderSystem->DrawIndexedPrimitive(mesh.strip, mesh.indices.get(), mesh.vertices.get(), mesh.primitives);
    }

    // A frame of the given meshes, then the back buffer as it was before the swap.
    void DrawFrame(std::vector<Mesh*> meshes)
    {
        renderSystem->BeginScene();
        for (Mesh* mesh : meshes)
            Draw(*mesh);
        renderSystem->EndScene();
        Grab();
    }

    // Reads the whole back buffer through a system-memory surface.
    void Grab()
    {
        d3d7::DDSURFACEDESC2 desc = renderSystem->backBufferDesc;
        desc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT | d3d7::DDSD_PIXELFORMAT;
        desc.caps.caps = d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_SYSTEMMEMORY;
        d3d7::IDirectDrawSurface7* copy = nullptr;
        ASSERT_EQ(renderSystem->directDraw->CreateSurface(&desc, &copy, nullptr), d3d7::DD_OK);
        ASSERT_EQ(copy->Blt(nullptr, renderSystem->backBuffer, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DD_OK);
        d3d7::DDSURFACEDESC2 locked;
        locked.size = sizeof(locked);
        ASSERT_EQ(copy->Lock(nullptr, &locked, d3d7::DDLOCK_WAIT, nullptr), d3d7::DD_OK);
        grabbedWidth = locked.width;
        grabbedHeight = locked.height;
        grabbed.assign(static_cast<std::size_t>(locked.width) * locked.height, Rgb{});
        const auto* memory = static_cast<const std::uint8_t*>(locked.surface);
        for (std::uint32_t y = 0; y < locked.height; ++y)
        {
            const std::uint8_t* row = memory + static_cast<std::size_t>(y) * locked.pitch;
            for (std::uint32_t x = 0; x < locked.width; ++x)
            {
                Rgb& out = grabbed[static_cast<std::size_t>(y) * locked.width + x];
                if (locked.pixelFormat.rgbBitCount == 16)
                {
                    const auto word = static_cast<std::uint32_t>(row[2 * x] | row[2 * x + 1] << 8);
                    out = Rgb{static_cast<int>((word >> 11) << 3), static_cast<int>(((word >> 5) & 63) << 2),
                              static_cast<int>((word & 31) << 3)};
                }
                else
                {
                    out = Rgb{row[4 * x], row[4 * x + 1], row[4 * x + 2]};
                }
            }
        }
        copy->Unlock(nullptr);
        copy->Release();
    }

    // The grabbed pixel, x from the left, y from the top.
    Rgb Pixel(std::uint32_t x, std::uint32_t y) const
    {
        if (x >= grabbedWidth || y >= grabbedHeight)
            return Rgb{-1, -1, -1};
        return grabbed[static_cast<std::size_t>(y) * grabbedWidth + x];
    }

    // The pixel at the centre of clip-space point (x, y).
    Rgb At(float x, float y) const
    {
        const auto column = static_cast<std::uint32_t>((x + 1.0f) * 0.5f * static_cast<float>(grabbedWidth));
        const auto row = static_cast<std::uint32_t>((1.0f - y) * 0.5f * static_cast<float>(grabbedHeight));
        return Pixel(std::min(column, grabbedWidth - 1), std::min(row, grabbedHeight - 1));
    }

    std::vector<Rgb> grabbed;
    std::uint32_t grabbedWidth = 0;
    std::uint32_t grabbedHeight = 0;
};

} // namespace corvellan::test
