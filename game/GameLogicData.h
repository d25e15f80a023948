#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"
#include "framework/DataKeeper.h"
#include "game/PackItem.h"
#include "game/TexturePack.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GameFramework
{
class StageRecord;
}

namespace Mirabel
{

class GameLevelRecord;

// The picture data of one level: the puzzle folder's picture cut into piece
// images packed into a texture pack, the board's three textures, and per
// piece its place, size, state, neighbours and sample points. Loaded on the
// loading worker; the level only reads it.
class GameLogicData : public GameFramework::DataKeeper
{
public:
    // The records are borrowed; nothing is loaded yet.
    GameLogicData(OrvaneEngine::Engine* engine, const std::string& languageCode,
                  const GameFramework::StageRecord* stageRecord, const GameLevelRecord* levelRecord);
    ~GameLogicData() override;

    // Reads "data\puzzles\<folder>\": "theme.jpg", "puzzle.pzf" and
    // "puzzle.ini". A damaged or missing file is fatal.
    void LoadAll() override;

    const GameLevelRecord* GetLevelRecord() const { return levelRecord; }

    // The run-length code: a control byte c up to 127 copies the next c + 1
    // bytes, a larger one repeats the next byte (c & 127) + 2 times. True only
    // when the input is used up exactly as the output is filled exactly;
    // nothing is read past the input nor written past the output either way.
    static bool DecodeRle(const std::uint8_t* input, std::uint32_t inputLength, std::uint8_t* output,
                          std::uint32_t outputLength);

    // Packs the records' images into a new pack under packName, renaming each
    // record to its image's name in the pack. No records, or an image that
    // fits no page, is fatal.
    void PackElements(std::vector<PackRecord>& records, std::unique_ptr<TexturePack>& outPack,
                      const std::string& packName);
    // Whether the items, in list order, all fit one page of that size.
    static bool TryPackPage(std::int32_t pageWidth, std::int32_t pageHeight, const std::vector<PackItem*>& items);

    // "<stage index>_<level index>".
    std::string GetSuffix() const;

    const GameFramework::StageRecord* stageRecord;
    const GameLevelRecord* levelRecord;
    // Of the board's picture windows; the picture's size in pixels.
    OrvaneEngine::Vector2 boardSize{0.0f, 0.0f};
    std::vector<std::uint32_t> initialStates;
    std::vector<OrvaneEngine::Vector2> centres;
    std::vector<OrvaneEngine::Vector2> sizes;
    std::vector<std::pair<std::int32_t, std::int32_t>> pixelPositions;
    std::vector<std::pair<std::int32_t, std::int32_t>> pixelSizes;
    std::vector<std::vector<std::uint32_t>> neighbourLists;
    std::vector<std::string> textureNames;
    std::vector<std::vector<OrvaneEngine::Vector2>> samplePoints;
    OrvaneEngine::ShaderUser* backgroundShader = nullptr;
    OrvaneEngine::ShaderUser* pictureShader = nullptr;
    OrvaneEngine::ShaderUser* overlayShader = nullptr;
    std::unique_ptr<TexturePack> texturePack;
    OrvaneEngine::Color lineColor{0.0f, 0.0f, 0.0f, 1.0f};
    OrvaneEngine::Color boardColor{0.0f, 0.0f, 0.0f, 1.0f};
    OrvaneEngine::Color tipColor{0.0f, 0.0f, 0.0f, 1.0f};

private:
    void LoadColors(const std::string& path);
    void MakeBoardShaders(const std::vector<std::uint8_t>& edges, OrvaneEngine::Image& picture);
};

} // namespace Mirabel
