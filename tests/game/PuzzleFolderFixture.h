#pragma once

// A headless engine with puzzle folders written under its data folder by the
// content cutter and writer, and level data loaded from them.

#include "content/ImageFixtures.h"
#include "content/PhotoPicture.h"
#include "content/PuzzleCutter.h"
#include "content/PuzzleFileWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/render/Image.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"
#include "framework/StageRecord.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace Mirabel::test
{

namespace content = corvellan::content;

class PuzzleFolderFixture : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override { Start(); }
    void TearDown() override { Stop(); }

    // Where the game finds data\puzzles\<name>.
    std::string FolderPath(const std::string& name) const { return folder.Join("data/puzzles/" + name); }
    static std::string GamePath(const std::string& name, const std::string& file)
    {
        return "data\\puzzles\\" + name + "\\" + file;
    }

    // A 3 x 2 puzzle with one blocked piece, cut from a photo-like picture.
    static content::PuzzleCutOptions SmallPuzzle()
    {
        content::PuzzleCutOptions options;
        options.columns = 3;
        options.rows = 2;
        options.seed = 5;
        options.blocked = 1;
        options.colors = {255, 0, 0, 0, 255, 0, 0, 0, 255};
        return options;
    }

    static void Photo(OrvaneEngine::Image& picture, std::uint32_t width = 160, std::uint32_t height = 100)
    {
        content::MakePhotoPicture(picture, width, height, 3);
    }

    content::PuzzleFileRecord WriteCut(const std::string& name, OrvaneEngine::Image& picture,
                                       const content::PuzzleCutOptions& options)
    {
        content::PuzzleFileRecord record;
        EXPECT_EQ(content::PuzzleCutter::WriteFolder(picture, options, FolderPath(name), &record), "");
        return record;
    }

    // The picture as the engine decodes the written JPEG.
    void Decoded(const std::string& name, OrvaneEngine::Image& image) const
    {
        EXPECT_TRUE(image.Load(engine->messageManager.get(), engine->fileManager.get(), GamePath(name, "theme.jpg")));
        if (image.GetBitsPerPixel() != 24)
            image.ConvertBitsPerPixel(24);
    }

    // Made for the level; the records live as long as the fixture.
    std::unique_ptr<GameLogicData> MakeData(const std::string& name, std::uint32_t stage = 0,
                                            std::uint32_t level = 12)
    {
        GameLevelRecord& record = levels.emplace_back();
        record.stageIndex = stage;
        record.levelIndex = level;
        record.puzzleFolder = name;
        stageRecord.stageIndex = stage;
        return std::make_unique<GameLogicData>(engine.get(), "en", &stageRecord, &record);
    }

    std::unique_ptr<GameLogicData> Load(const std::string& name, std::uint32_t stage = 0, std::uint32_t level = 12)
    {
        std::unique_ptr<GameLogicData> data = MakeData(name, stage, level);
        data->Load();
        return data;
    }

    // The fatal text of loading the folder, or "" when it loaded.
    std::string LoadFault(const std::string& name)
    {
        try
        {
            Load(name);
        }
        catch (const OrvaneEngine::FatalError& error)
        {
            return error.GetText();
        }
        return "";
    }

    // The picture the texture manager keeps for the texture in the user's
    // first stage.
    OrvaneEngine::Image* StageImage(const OrvaneEngine::ShaderUser* user) const
    {
        OrvaneEngine::Texture2D* texture = user->GetShader()->GetStageTexture(0, 0);
        OrvaneEngine::Image* diffuse = nullptr;
        OrvaneEngine::Image* opacity = nullptr;
        bool loaded = false;
        if (!texture || !engine->shaderManager->GetTextureManager()->GetImages(texture, diffuse, opacity, loaded))
            return nullptr;
        if (loaded)
        {
            delete diffuse;
            delete opacity;
            return nullptr;
        }
        return diffuse;
    }

    GameFramework::StageRecord stageRecord;
    std::deque<GameLevelRecord> levels;
};

} // namespace Mirabel::test
