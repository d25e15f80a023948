#pragma once

// The services a sprite group or particle system needs, without a device:
// the recording render system, a camera with fixed axes, the model manager,
// both effect managers, timers whose frame time a test sets, and files
// under a temporary root.

#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/LightManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RecordingRenderSystem.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine::particle_test
{

class ParticleFixture : public ::testing::Test
{
protected:
    ParticleFixture()
    {
        camera.position = Vector3(0.0f, 0.0f, 0.0f);
        camera.right = Vector3(1.0f, 0.0f, 0.0f);
        camera.up = Vector3(0.0f, 1.0f, 0.0f);
        camera.direction = Vector3(0.0f, 0.0f, 1.0f);
        timers.frameTime = 0.01f;
        SeedRandom(12345);
        log.ClearMessages();
    }

    // name is a data name such as "fx\\a.psf"; the file goes under <root>/data.
    void Put(const std::string& name, const std::string& bytes)
    {
        std::string path = name;
        for (char& c : path)
            if (c == '\\')
                c = '/';
        ASSERT_TRUE(corvellan::test::WriteFileBytes(root.Join("data/" + path), bytes));
    }

    // The texts of the log entries of that level (2 errors).
    std::vector<std::string> Entries(std::uint32_t level) const
    {
        std::vector<std::string> texts;
        for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
        {
            const LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(index));
            if (entry.level == level)
                texts.push_back(entry.text);
        }
        return texts;
    }

    static std::string ErrorEntry(const std::string& text) { return "\nError: " + text + "!\n\n"; }

    static const ColoredVertex* Vertices(const SpriteGroup& group)
    {
        return reinterpret_cast<const ColoredVertex*>(group.GetModel()->GetVertexBuffer()->GetData());
    }

    static std::uint32_t IndexAt(const IndexBuffer& buffer, std::uint32_t i)
    {
        if (buffer.Is32Bit())
        {
            std::uint32_t value;
            std::memcpy(&value, buffer.GetData() + static_cast<std::size_t>(i) * 4, 4);
            return value;
        }
        std::uint16_t value;
        std::memcpy(&value, buffer.GetData() + static_cast<std::size_t>(i) * 2, 2);
        return value;
    }

    // A system of the given settings, registered, with every spread 0 unless
    // the test sets one, started looping or not.
    ParticleSystem* Running(const corvellan::content::ParticleFileRecord& record, bool loop,
                            const std::string& name = "fx\\run.psf")
    {
        Put(name, corvellan::content::ParticleFileWriter::Build(record));
        ParticleSystem* system = particles.LoadParticleSystem(name, &camera);
        system->looping = loop ? 1 : 0;
        system->emitting = 1;
        return system;
    }

    // Defaults without any randomness: spreads 0, gravity and floor off.
    static corvellan::content::ParticleFileRecord Plain()
    {
        corvellan::content::ParticleFileRecord record;
        record.directionSpreadKeys = {};
        record.gravityOn = 0;
        record.floorOn = 0;
        return record;
    }

    corvellan::test::TempFolder root;
    // Outlives everything that may point at it.
    Camera camera{1};
    MessageManager log{"Test", false, false, "", ""};
    FileManager files{&log, root.Path(), "Data"};
    Config config{&log, &files, root.Path(), "Test", false, "800x600x32", false, false};
    TimerManager timers;
    corvellan::test::RecordingRenderSystem renderSystem{&log, &config};
    CameraManager cameraManager{&log, nullptr, &renderSystem};
    LightManager lightManager{&log, &renderSystem};
    ShaderManager shaderManager{&log, &files, &timers, &config, &renderSystem};
    ModelManager models{&log, &files, &timers, &renderSystem, &cameraManager, &lightManager, &shaderManager};
    SpriteGroupManager groups{&log, &cameraManager, &shaderManager, &models};
    ParticleSystemManager particles{&log, &files, &timers, &shaderManager, &groups};
};

} // namespace OrvaneEngine::particle_test
