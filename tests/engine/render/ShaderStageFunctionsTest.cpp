#include "content/PackWriter.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/render/ShaderStageFunctions.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace OrvaneEngine
{
namespace
{

ShaderStage Grid(std::uint32_t columns, std::uint32_t rows, float speed)
{
    ShaderStage stage;
    stage.animationType = ShaderStage::NetAnimation;
    stage.columns = columns;
    stage.rows = rows;
    stage.frameCount = columns * rows;
    stage.speed = speed;
    return stage;
}

ShaderStage FrameFiles(std::uint32_t frames, float speed)
{
    ShaderStage stage;
    stage.animationType = ShaderStage::DiffuseAnimation;
    stage.frameCount = frames;
    stage.speed = speed;
    return stage;
}

void ExpectCell(const ShaderStage& stage, float offsetU, float offsetV)
{
    EXPECT_NEAR(stage.offsetU, offsetU, 1e-6f);
    EXPECT_NEAR(stage.offsetV, offsetV, 1e-6f);
}

TEST(ShaderStageFunctionsTest, GridShowsItsCellsFromTheTopLeft)
{
    ShaderStage stage = Grid(4, 2, 8.0f);
    float time = 0.0f;
    UpdateStageAnimation(stage, time, 0.0f);
    EXPECT_NEAR(stage.scaleU, 0.2475f, 1e-6f);
    EXPECT_NEAR(stage.scaleV, 0.495f, 1e-6f);
    ExpectCell(stage, 0.00125f, 0.5025f);
    EXPECT_EQ(stage.currentFrame, 0u);

    time = 5.0f;
    UpdateStageAnimation(stage, time, 0.0f);
    ExpectCell(stage, 0.25125f, 0.0025f);

    // Exactly the frame count stays, and shows frame 0.
    time = 8.0f;
    UpdateStageAnimation(stage, time, 0.0f);
    EXPECT_EQ(time, 8.0f);
    ExpectCell(stage, 0.00125f, 0.5025f);

    // 0.0625 s steps are exact: 10 of them reach frame 5, 16 (one second) frame 0 again.
    time = 0.0f;
    for (int step = 0; step < 10; ++step)
        UpdateStageAnimation(stage, time, 0.0625f);
    EXPECT_EQ(time, 5.0f);
    ExpectCell(stage, 0.25125f, 0.0025f);
    for (int step = 0; step < 6; ++step)
        UpdateStageAnimation(stage, time, 0.0625f);
    ExpectCell(stage, 0.00125f, 0.5025f);
    UpdateStageAnimation(stage, time, 0.0625f);
    EXPECT_EQ(time, 0.5f);
}

TEST(ShaderStageFunctionsTest, FrameFilesPickTheirSlot)
{
    ShaderStage stage = FrameFiles(10, 4.0f);
    float time = 9.75f;
    UpdateStageAnimation(stage, time, 0.0f);
    EXPECT_EQ(stage.currentFrame, 9u);
    time = 10.0f;
    UpdateStageAnimation(stage, time, 0.0f);
    EXPECT_EQ(stage.currentFrame, 0u);
    UpdateStageAnimation(stage, time, 0.375f);
    EXPECT_EQ(time, 1.5f);
    EXPECT_EQ(stage.currentFrame, 1u);

    ShaderStage still;
    still.speed = 5.0f;
    still.currentFrame = 3;
    time = 2.0f;
    UpdateStageAnimation(still, time, 1.0f);
    EXPECT_EQ(time, 2.0f) << "no animation keeps its time";
    EXPECT_EQ(still.currentFrame, 0u);
}

TEST(ShaderStageFunctionsTest, DamagedValuesStayInRange)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case
    {
        std::string name;
        ShaderStage stage;
        float time;
    };
    ShaderStage noFrames = FrameFiles(0, 3.0f);
    ShaderStage noGridFrames = Grid(2, 2, 3.0f);
    noGridFrames.frameCount = 0;
    ShaderStage noColumns = Grid(0, 2, 3.0f);
    noColumns.frameCount = 4;
    ShaderStage noRows = Grid(2, 0, 3.0f);
    noRows.frameCount = 4;
    const Case cases[] = {
        {"frame files of 0 frames", noFrames, 0.5f},
        {"grid of 0 frames", noGridFrames, 0.5f},
        {"0 columns", noColumns, 1.5f},
        {"0 rows", noRows, 1.5f},
        {"negative speed", FrameFiles(10, -5.0f), 0.0f},
        {"huge speed", FrameFiles(10, 1e30f), 0.0f},
        {"infinite speed", Grid(4, 2, inf), 0.0f},
        {"NaN time", Grid(4, 2, 8.0f), nan},
        {"NaN time, frame files", FrameFiles(7, 8.0f), nan},
        {"huge frame count", FrameFiles(0xFFFFFFFFu, 1e30f), 0.0f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ShaderStage stage = c.stage;
        float time = c.time;
        for (float frameTime : {0.1f, 100.0f, 0.001f})
        {
            UpdateStageAnimation(stage, time, frameTime);
            const std::uint32_t frames = std::max<std::uint32_t>(stage.frameCount, 1);
            EXPECT_TRUE(std::isfinite(time));
            EXPECT_GE(time, 0.0f);
            EXPECT_LE(time, static_cast<float>(frames));
            EXPECT_LT(stage.currentFrame, std::max<std::uint32_t>(GetStageSlotCount(stage), 1));
            for (float value : {stage.scaleU, stage.scaleV, stage.offsetU, stage.offsetV})
                EXPECT_TRUE(std::isfinite(value));
        }
    }
}

TEST(ShaderStageFunctionsTest, WrapAnimationTime)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case
    {
        float time;
        std::uint32_t count;
        float wrapped;
    };
    const Case cases[] = {
        {2.5f, 2, 0.5f}, {2.0f, 2, 2.0f}, {4.0f, 2, 0.0f},  {-0.5f, 4, 3.5f}, {-4.0f, 4, 0.0f},
        {-1e-9f, 4, 0.0f}, {nan, 4, 0.0f}, {3.25f, 0, 0.25f}, {0.0f, 0, 0.0f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.time) + " of " + std::to_string(c.count));
        EXPECT_EQ(WrapAnimationTime(c.time, c.count), c.wrapped);
    }
    const float far = WrapAnimationTime(1e30f, 7);
    EXPECT_GE(far, 0.0f);
    EXPECT_LT(far, 7.0f);
}

TEST(ShaderStageFunctionsTest, SlotCounts)
{
    EXPECT_EQ(GetStageSlotCount(ShaderStage()), 1u);
    EXPECT_EQ(GetStageSlotCount(Grid(4, 2, 1.0f)), 1u);
    for (std::uint32_t type : {2u, 3u, 4u})
    {
        ShaderStage stage = FrameFiles(12, 1.0f);
        stage.animationType = type;
        EXPECT_EQ(GetStageSlotCount(stage), 12u);
    }
}

TEST(ShaderStageFunctionsTest, FrameFileNames)
{
    struct Case
    {
        std::string name;
        std::uint32_t slots;
        std::uint32_t frame;
        std::string expected;
    };
    const Case cases[] = {
        {"fire00.jpg", 10, 0, "fire00.jpg"},      {"fire00.jpg", 10, 9, "fire09.jpg"},
        {"fire0.jpg", 9, 8, "fire8.jpg"},         {"fire000.jpg", 100, 0, "fire000.jpg"},
        {"fire000.jpg", 100, 99, "fire099.jpg"},  {"fx\\fire00.tga", 12, 11, "fx\\fire11.tga"},
        {"a.jpg", 100, 7, "a.jpg007.jpg"},        {"a.jpg", 100, 0, "a.jpg000.jpg"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeFrameFileName(c.name, c.slots, c.frame), c.expected) << c.name << " " << c.frame;
}

class StageTextureFileTest : public ::testing::Test
{
protected:
    void Put(const std::string& relative) { ASSERT_TRUE(corvellan::test::WriteFileBytes(root.Join(relative), "x")); }

    corvellan::test::TempFolder root;
    MessageManager log{"Test", false, false, "", ""};
};

TEST_F(StageTextureFileTest, JpgFallsBackToJp2ThenBmpOnDiskAndInPacks)
{
    Put("data/fx/both.jpg");
    Put("data/fx/both.bmp");
    Put("data/fx/onlybmp.bmp");
    Put("data/fx/onlyjp2.jp2");
    Put("data/fx/jp2andbmp.jp2");
    Put("data/fx/jp2andbmp.bmp");
    corvellan::content::PackWriter pack;
    pack.Add("data\\fx\\packed.bmp", "x");
    ASSERT_TRUE(corvellan::test::WriteFileBytes(root.Join("Data/pack0.pak"), pack.Build()));
    const FileManager files(&log, root.Path(), "Data");

    struct Case
    {
        std::string name;
        std::string expected;
    };
    const Case cases[] = {
        {"FX\\Both.JPG", "data\\fx\\both.jpg"},
        {"fx\\onlybmp.jpg", "data\\fx\\onlybmp.bmp"},
        {"fx\\onlyjp2.jpg", "data\\fx\\onlyjp2.jp2"},
        {"fx\\jp2andbmp.jpg", "data\\fx\\jp2andbmp.jp2"},
        {"fx\\packed.jpg", "data\\fx\\packed.bmp"},
        {"fx\\missing.jpg", "data\\fx\\missing.jpg"},
        {"fx\\OnlyBmp.tga", "data\\fx\\onlybmp.tga"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindStageTextureFile(files, c.name), c.expected) << c.name;
}

} // namespace
} // namespace OrvaneEngine
