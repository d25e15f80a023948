// The game's resources loaded from the built pack as the start-up loading
// screen loads them, on a headless engine: every model and particle system
// of every group is read whole, so the log holds no error and no warning.
#include "engine/core/BoundingVolume.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Model.h"
#include "game/GameData.h"
#include "tests/content/dataset/DataSetExpectations.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class DataSetGameDataTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        corvellan::test::CopyPackInto(folder);
        settings.packFolder = "Data";
    }

    // Warnings and errors of the engine's log.
    std::vector<std::string> Complaints() const
    {
        std::vector<std::string> texts;
        const OrvaneEngine::MessageManager& log = *engine->messageManager;
        for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        {
            const OrvaneEngine::LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(i));
            if (entry.level >= 1)
                texts.push_back(entry.text);
        }
        return texts;
    }
};

TEST_F(DataSetGameDataTest, LoadAllReadsEveryResourceWithoutAComplaint)
{
    Start();
    engine->messageManager->ClearMessages();
    Mirabel::GameData data(engine.get(), "en");
    try
    {
        data.Load();
    }
    catch (const OrvaneEngine::Error& error)
    {
        FAIL() << "the load stopped: " << error.GetText();
    }
    EXPECT_EQ(Complaints(), std::vector<std::string>{});

    EXPECT_FALSE(data.backgroundLayerModels.empty());
    ASSERT_EQ(data.pathModels.size(), 6u);
    EXPECT_EQ(data.totemModels.size(), 8u);
    EXPECT_EQ(data.gameCompleteEffectModels.size(), 3u);
    // The track the level builds from the path models' centres starts at P0.
    EXPECT_NEAR(data.pathModels.front()->boundingVolume.center.x, 715.0f, 0.01f);
    EXPECT_NEAR(data.pathModels.front()->boundingVolume.center.y, 30.0f, 0.01f);
}

} // namespace
