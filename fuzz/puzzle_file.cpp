// The puzzle-file reader on hostile bytes: the input is a whole
// "puzzle.pzf", read through the versioned-file header check and the body
// parser; an accepted layout is cut into piece images against a fixed
// 64 x 32 picture and its pieces are packed onto pages.
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/render/Image.h"
#include "framework/VersionedFile.h"
#include "game/PackPlanner.h"
#include "game/PuzzleFile.h"
#include "game/PuzzlePixels.h"
#include "tests/support/FuzzWorkspace.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

constexpr std::uint32_t PictureWidth = 64;
constexpr std::uint32_t PictureHeight = 32;

void UseLayout(corvellan::test::FuzzWorkspace& workspace, const OrvaneEngine::Image& picture,
               Mirabel::PuzzleLayout& layout)
{
    std::vector<Mirabel::PackItem> storage(layout.pieces.size());
    std::vector<Mirabel::PackItem*> items;
    for (std::size_t i = 0; i < layout.pieces.size(); ++i)
    {
        const Mirabel::PuzzleLayout::Piece& piece = layout.pieces[i];
        Mirabel::PuzzlePixels::SamplePoints(piece);
        OrvaneEngine::Image image;
        Mirabel::PuzzlePixels::CutPieceImage(&workspace.log, picture, layout.edges, piece, image);
        storage[i].width = piece.width;
        storage[i].height = piece.height;
        items.push_back(&storage[i]);
    }
    std::vector<Mirabel::PackPlanner::Page> pages;
    if (Mirabel::PackPlanner::Plan(items, "fuzz", pages).empty() && !items.empty() && pages.empty())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static corvellan::test::FuzzWorkspace workspace;
    static OrvaneEngine::Image picture;
    if (picture.IsEmpty())
    {
        picture.Create(&workspace.log, PictureWidth, PictureHeight, 24);
        for (std::uint32_t i = 0; i < PictureWidth * PictureHeight * 3; ++i)
            picture.GetPixels()[i] = static_cast<std::uint8_t>(i * 13);
    }
    workspace.Put("data/puzzle.pzf", data, size);
    const std::string path = "data\\puzzle.pzf";
    std::vector<std::uint8_t> body;
    try
    {
        GameFramework::VersionedFile file(&workspace.files, Mirabel::PuzzleFile::Magic, Mirabel::PuzzleFile::Version);
        file.Open(path, 0, 0, nullptr);
        OrvaneEngine::FileBinary& binary = *file.GetFile();
        body.resize(binary.GetSize() - binary.GetPosition());
        binary.Read(body.data(), static_cast<std::uint32_t>(body.size()));
        file.Close();
    }
    catch (const OrvaneEngine::FileError&)
    {
        return 0;
    }
    Mirabel::PuzzleLayout layout;
    if (Mirabel::PuzzleFile::Parse(body.data(), body.size(), PictureWidth, PictureHeight, path, layout).empty())
        UseLayout(workspace, picture, layout);
    return 0;
}
