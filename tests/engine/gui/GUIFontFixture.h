#pragma once

// Fonts over the device-free model services: box fonts written into the
// temporary data folder and loaded with the default shader.

#include "content/AtomicWrite.h"
#include "content/BoxFont.h"
#include "engine/gui/GUIFont.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/ModelServices.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

class GUIFontFixture : public ::testing::Test, protected ModelServices
{
protected:
    void PutBox(const std::string& name, const std::vector<content::BoxGlyph>& glyphs,
                const content::FontFileDamage& damage = {})
    {
        ASSERT_TRUE(content::BoxFont::Write(folder.Join("data"), name, "", glyphs, damage));
    }

    void PutBytes(const std::string& name, const std::string& bytes)
    {
        ASSERT_TRUE(content::WriteFileAtomically(folder.Join("data/" + name), bytes));
    }

    std::unique_ptr<OrvaneEngine::GUIFont> Load(const std::string& name)
    {
        return std::make_unique<OrvaneEngine::GUIFont>(&log, &files, &shaders, &models, camera, nullptr, name);
    }

    // The batch's vertices, as the last print left them.
    static const OrvaneEngine::ColoredVertex* Vertices(const OrvaneEngine::GUIFont& font)
    {
        return reinterpret_cast<const OrvaneEngine::ColoredVertex*>(font.GetModel()->GetVertexBuffer()->GetData());
    }

    OrvaneEngine::Camera* camera = cameras.CreateCamera(1);
};

} // namespace corvellan::test
