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
#include "tests/engine/render/D3D7Fixture.h"
#include "tests/support/BackBuffer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

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
    void Grab() { ASSERT_EQ(backBuffer.Read(*renderSystem), ""); }

    // The grabbed pixel, x from the left, y from the top.
    Rgb Pixel(std::uint32_t x, std::uint32_t y) const { return backBuffer.Pixel(x, y); }

    // The pixel at the centre of clip-space point (x, y).
    Rgb At(float x, float y) const { return backBuffer.At(x, y); }

    BackBuffer backBuffer;
};

} // namespace corvellan::test
