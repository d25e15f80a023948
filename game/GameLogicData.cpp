#include "game/GameLogicData.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderUser.h"
#include "framework/VersionedFile.h"
#include "game/GameLevelRecord.h"
#include "game/OwnerTextureShader.h"
#include "game/PackPlanner.h"
#include "game/PuzzleFile.h"
#include "game/PuzzlePixels.h"

#include <cstring>

namespace Mirabel
{

GameLogicData::GameLogicData(OrvaneEngine::Engine* engine_, const std::string& languageCode_,
                             const GameFramework::StageRecord* stageRecord_, const GameLevelRecord* levelRecord_)
    : DataKeeper(engine_, languageCode_, true), stageRecord(stageRecord_), levelRecord(levelRecord_)
{
}

GameLogicData::~GameLogicData() = default;

std::string GameLogicData::GetSuffix() const
{
    return std::to_string(levelRecord->stageIndex) + "_" + std::to_string(levelRecord->levelIndex);
}

bool GameLogicData::DecodeRle(const std::uint8_t* input, std::uint32_t inputLength, std::uint8_t* output,
                              std::uint32_t outputLength)
{
    std::uint32_t in = 0;
    std::uint32_t out = 0;
    while (in < inputLength)
    {
        const std::uint8_t control = input[in++];
        if (control < 128)
        {
            const std::uint32_t count = std::uint32_t{control} + 1;
            if (count > inputLength - in || count > outputLength - out)
                return false;
            std::memcpy(output + out, input + in, count);
            in += count;
            out += count;
        }
        else
        {
            const std::uint32_t count = std::uint32_t{control & 127u} + 2;
            if (in == inputLength || count > outputLength - out)
                return false;
            std::memset(output + out, input[in++], count);
            out += count;
        }
    }
    return out == outputLength;
}

bool GameLogicData::TryPackPage(std::int32_t pageWidth, std::int32_t pageHeight, const std::vector<PackItem*>& items)
{
    return PackPlanner::PlaceLeadingRun(pageWidth, pageHeight, items) == items.size();
}

void GameLogicData::PackElements(std::vector<PackRecord>& records, std::unique_ptr<TexturePack>& outPack,
                                 const std::string& packName)
{
    if (records.empty())
        log->Fatal("No items to pack");

    std::vector<PackItem> storage(records.size());
    std::vector<PackItem*> items;
    for (std::size_t i = 0; i < records.size(); ++i)
    {
        storage[i].source = &records[i];
        storage[i].width = static_cast<std::int32_t>(records[i].image->GetWidth());
        storage[i].height = static_cast<std::int32_t>(records[i].image->GetHeight());
        items.push_back(&storage[i]);
    }
    std::vector<PackPlanner::Page> pages;
    const std::string fault = PackPlanner::Plan(items, packName, pages);
    if (!fault.empty())
        log->Fatal(fault);

    std::vector<OrvaneEngine::Image*> pageImages;
    for (const PackPlanner::Page& page : pages)
    {
        auto* image = new OrvaneEngine::Image;
        image->Create(log, static_cast<std::uint32_t>(page.width), static_cast<std::uint32_t>(page.height), 32);
        std::memset(image->GetPixels(), 0, static_cast<std::size_t>(page.width) * static_cast<std::size_t>(page.height) * 4);
        pageImages.push_back(image);
    }
    for (const PackItem* item : items)
    {
        pageImages[item->pageIndex]->Paste(static_cast<std::uint32_t>(item->x + PackItem::Margin),
                                           static_cast<std::uint32_t>(item->y + PackItem::Margin),
                                           *item->source->image);
    }
    outPack = std::make_unique<TexturePack>(engine, pageImages, packName);
    for (const PackItem* item : items)
    {
        outPack->AddTexture(item->name, item->pageIndex, OrvaneEngine::Vector2(item->uMin, item->vMin),
                            OrvaneEngine::Vector2(item->uMax, item->vMax));
    }
}

void GameLogicData::LoadAll()
{
    DataKeeper::LoadAll();
    const std::string folder = "data\\puzzles\\" + levelRecord->puzzleFolder;

    const std::string picturePath = folder + "\\theme.jpg";
    OrvaneEngine::Image picture;
    if (!picture.Load(log, fileManager, picturePath))
        log->Fatal("Failed to open \"" + picturePath + "\" image!");
    const std::string pictureFault = PuzzleFile::CheckPicture(picture.GetWidth(), picture.GetHeight(), picturePath);
    if (!pictureFault.empty())
        log->Fatal(pictureFault);
    // A grey picture comes in at 8 bits; every step below reads three channels.
    if (picture.GetBitsPerPixel() != 24)
        picture.ConvertBitsPerPixel(24);

    PuzzleLayout layout;
    try
    {
        const std::string path = folder + "\\puzzle.pzf";
        GameFramework::VersionedFile file(fileManager, PuzzleFile::Magic, PuzzleFile::Version);
        file.Open(path, 0, 0, nullptr);
        OrvaneEngine::FileBinary& binary = *file.GetFile();
        std::vector<std::uint8_t> body(binary.GetSize() - binary.GetPosition());
        binary.Read(body.data(), static_cast<std::uint32_t>(body.size()));
        file.Close();
        const std::string fault =
            PuzzleFile::Parse(body.data(), body.size(), picture.GetWidth(), picture.GetHeight(), path, layout);
        if (!fault.empty())
            throw OrvaneEngine::FileError(fault);
    }
    catch (const OrvaneEngine::FileError& error)
    {
        log->Fatal(error.GetText());
    }

    boardSize = OrvaneEngine::Vector2(layout.boardWidth, layout.boardHeight);
    for (const PuzzleLayout::Piece& piece : layout.pieces)
    {
        const auto x = static_cast<float>(piece.x);
        const auto y = static_cast<float>(piece.y);
        const auto width = static_cast<float>(piece.width);
        const auto height = static_cast<float>(piece.height);
        initialStates.push_back(piece.state);
        sizes.emplace_back(width, height);
        centres.emplace_back(x + 0.5f * width, y + 0.5f * height);
        pixelPositions.emplace_back(piece.x, piece.y);
        pixelSizes.emplace_back(piece.width, piece.height);
        neighbourLists.push_back(piece.neighbours);
        samplePoints.push_back(PuzzlePixels::SamplePoints(piece));
    }

    LoadColors(folder + "\\puzzle.ini");

    std::vector<std::unique_ptr<OrvaneEngine::Image>> pieceImages;
    std::vector<PackRecord> records;
    for (PuzzleLayout::Piece& piece : layout.pieces)
    {
        pieceImages.push_back(std::make_unique<OrvaneEngine::Image>());
        PuzzlePixels::CutPieceImage(log, picture, layout.edges, piece, *pieceImages.back());
        records.push_back({"", pieceImages.back().get()});
        piece.mask = {};
    }
    PackElements(records, texturePack, "puzzle_elements_" + GetSuffix());
    for (const PackRecord& record : records)
        textureNames.push_back(record.name);
    pieceImages.clear();

    MakeBoardShaders(layout.edges, picture);
}

void GameLogicData::LoadColors(const std::string& path)
{
    try
    {
        const std::unique_ptr<OrvaneEngine::FileTextual> file =
            fileManager->OpenTextual(path, false, OrvaneEngine::FileTextual::EncodingAnsi);
        for (OrvaneEngine::Color* color : {&boardColor, &lineColor, &tipColor})
        {
            color->r = file->GetFloat() / 255.0f;
            color->g = file->GetFloat() / 255.0f;
            color->b = file->GetFloat() / 255.0f;
            color->a = 1.0f;
        }
    }
    catch (const OrvaneEngine::FileError& error)
    {
        log->Fatal(error.GetText());
    }
}

void GameLogicData::MakeBoardShaders(const std::vector<std::uint8_t>& edges, OrvaneEngine::Image& picture)
{
    const std::string suffix = GetSuffix();
    const std::string overlayName = "puzzle_" + suffix;
    const std::string pictureName = "puzzle_theme_" + suffix;
    const std::string backgroundName = "puzzle_background_" + suffix;

    overlayShader = OwnerTextureShader::AddUser(*shaderManager, overlayName, true);
    auto overlay = std::make_unique<OrvaneEngine::Image>();
    PuzzlePixels::MakeOverlay(log, edges, picture.GetWidth(), picture.GetHeight(), lineColor, *overlay);
    OwnerTextureShader::Install(*shaderManager, *overlayShader, overlayName, overlay.release());
    AddShaderUserByName(overlayShader);

    pictureShader = OwnerTextureShader::AddUser(*shaderManager, pictureName, false);
    auto board = std::make_unique<OrvaneEngine::Image>();
    PuzzlePixels::MakeBoardPicture(picture, *board);
    picture.Clear();

    backgroundShader = OwnerTextureShader::AddUser(*shaderManager, backgroundName, false);
    auto background = std::make_unique<OrvaneEngine::Image>();
    PuzzlePixels::Desaturate(*board, *background);
    OwnerTextureShader::Install(*shaderManager, *backgroundShader, backgroundName, background.release());
    AddShaderUserByName(backgroundShader);

    OwnerTextureShader::Install(*shaderManager, *pictureShader, pictureName, board.release());
    AddShaderUserByName(pictureShader);
}

} // namespace Mirabel
