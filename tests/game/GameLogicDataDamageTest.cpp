#include "tests/game/PuzzleFolderFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

namespace Mirabel::test
{
namespace
{

using OrvaneEngine::Image;
using content::PuzzleFileDamage;
using content::PuzzleFileRecord;
using content::PuzzleFileWriter;

using GameLogicDataDamageTest = PuzzleFolderFixture;

std::string PuzzleFault(const std::string& what)
{
    return "Damaged puzzle file \"data\\puzzles\\bad\\puzzle.pzf\": " + what;
}

std::string SizeFault(std::size_t piece, std::int32_t width, std::int32_t height)
{
    return PuzzleFault("piece " + std::to_string(piece) + " has the size " + std::to_string(width) + " x " +
                       std::to_string(height) + "; a piece is 1 to 1020 pixels wide and high");
}

std::string MaskStream(const content::PuzzleFilePiece& piece)
{
    const std::string packed = PuzzleFileWriter::PackMask(piece);
    return PuzzleFileWriter::EncodeRle(reinterpret_cast<const std::uint8_t*>(packed.data()), packed.size());
}

// Every damaged folder ends through the fatal path with a text that names the
// file (and the piece where one is at fault); under AddressSanitizer none
// reads or writes outside its buffers on the way.
TEST_F(GameLogicDataDamageTest, DamagedPuzzleFilesEndWithTheirOwnFatalText)
{
    Image picture;
    Photo(picture);
    const PuzzleFileRecord good = WriteCut("bad", picture, SmallPuzzle());
    const std::string path = "data\\puzzles\\bad\\puzzle.pzf";
    const std::string goodFile = PuzzleFileWriter::Build(good);
    const auto goodSize = static_cast<std::uint32_t>(goodFile.size());
    const content::PuzzleFilePiece& piece0 = good.pieces[0];

    using Change = std::function<void(PuzzleFileRecord&, PuzzleFileDamage&)>;
    const struct
    {
        const char* name;
        Change change;
        std::string text;
    } cases[] = {
        {"wrong magic", [](auto&, auto& d) { d.header.magic = "MBPZX"; },
         "Incorrect + \"" + path + "\" file format"},
        {"size one over", [&](auto&, auto& d) { d.header.sizeField = goodSize + 1; },
         "Incorrect + \"" + path + "\" file format"},
        {"size one under", [&](auto&, auto& d) { d.header.sizeField = goodSize - 1; },
         "Incorrect + \"" + path + "\" file format"},
        {"cut in the pieces", [&](auto&, auto& d) { d.cutAt = goodSize / 2; },
         "Incorrect + \"" + path + "\" file format"},
        {"version 107", [](auto&, auto& d) { d.header.version = 107; },
         "Incorrect \"" + path + "\" format version (107), current is 108"},
        {"no pieces", [](auto& r, auto&) { r.pieces.clear(); }, "No items to pack"},
        {"four billion pieces in a short file",
         [](auto& r, auto& d) {
             r.pieces.clear();
             d.pieceCount = 0xFFFFFFFF;
             d.edgeStream = std::string(71, '\0');
         },
         PuzzleFault("4294967295 pieces do not fit in the file")},
        {"2^30 neighbours", [](auto&, auto& d) { d.neighbourCount = 1u << 30; },
         PuzzleFault("piece 0 has more neighbours than the file holds")},
        {"mask past the end", [](auto&, auto& d) { d.maskLength = 0x7FFFFFFF; },
         PuzzleFault("piece 0 has a mask longer than the file")},
        {"edge map past the end", [](auto&, auto& d) { d.edgeLength = 1000000; },
         PuzzleFault("the edge map is longer than the file")},
        {"width 0", [](auto& r, auto&) { r.pieces[1].width = 0; }, SizeFault(1, 0, good.pieces[1].height)},
        {"height -5", [](auto& r, auto&) { r.pieces[2].height = -5; }, SizeFault(2, good.pieces[2].width, -5)},
        {"width 1021", [](auto& r, auto&) { r.pieces[3].width = 1021; }, SizeFault(3, 1021, good.pieces[3].height)},
        {"past the picture's right side", [](auto& r, auto&) { r.pieces[2].x = 160 - r.pieces[2].width + 1; },
         PuzzleFault("piece 2 lies outside the picture")},
        {"below the picture", [](auto& r, auto&) { r.pieces[4].y = -1; },
         PuzzleFault("piece 4 lies outside the picture")},
        {"past the picture's top", [](auto& r, auto&) { r.pieces[5].y = 100 - r.pieces[5].height + 1; },
         PuzzleFault("piece 5 lies outside the picture")},
        {"neighbour index N", [](auto& r, auto&) { r.pieces[0].neighbours.push_back(6); },
         PuzzleFault("piece 0 names the neighbour 6 of 6 pieces")},
        {"state 2", [](auto& r, auto&) { r.pieces[3].state = 2; }, PuzzleFault("piece 3 has the unknown state 2")},
        {"board width NaN", [](auto& r, auto&) { r.boardWidth = std::numeric_limits<float>::quiet_NaN(); },
         PuzzleFault("the board size is not a positive number")},
        {"board height 0", [](auto& r, auto&) { r.boardHeight = 0.0f; },
         PuzzleFault("the board size is not a positive number")},
        {"truncated mask stream",
         [&](auto&, auto& d) {
             std::string stream = MaskStream(piece0);
             stream.pop_back();
             d.maskStream = stream;
         },
         PuzzleFault("piece 0 has a mask that does not decode to " +
                     std::to_string((piece0.width * piece0.height + 7) / 8) + " bytes")},
        {"seventeen whole-picture pieces",
         [](auto& r, auto&) {
             content::PuzzleFilePiece whole;
             whole.width = 160;
             whole.height = 100;
             whole.mask.assign(160 * 100, 1);
             r.pieces.assign(17, whole);
         },
         PuzzleFault("piece 16 takes the pieces past 16 times the picture's area")},
        {"edge map one byte short", [](auto& r, auto&) { r.edges.pop_back(); },
         PuzzleFault("the edge map does not decode to 160 x 100 bytes")},
        {"edge map one byte over", [](auto& r, auto&) { r.edges.push_back(0); },
         PuzzleFault("the edge map does not decode to 160 x 100 bytes")},
    };
    for (const auto& c : cases)
    {
        PuzzleFileRecord record = good;
        PuzzleFileDamage damage;
        c.change(record, damage);
        ASSERT_TRUE(PuzzleFileWriter::WriteTo(FolderPath("bad") + "/puzzle.pzf", record, damage)) << c.name;
        EXPECT_EQ(LoadFault("bad"), c.text) << c.name;
    }
}

TEST_F(GameLogicDataDamageTest, MissingFilesAndOversizedPicturesEndWithTextsNamingTheFile)
{
    Image picture;
    Photo(picture);
    const PuzzleFileRecord good = WriteCut("bad", picture, SmallPuzzle());
    const std::string folderPath = FolderPath("bad");

    std::filesystem::remove(folderPath + "/puzzle.ini");
    const std::string noColours = LoadFault("bad");
    EXPECT_NE(noColours.find("puzzle.ini"), std::string::npos) << noColours;

    std::filesystem::remove(folderPath + "/puzzle.pzf");
    const std::string noPuzzle = LoadFault("bad");
    EXPECT_NE(noPuzzle.find("puzzle.pzf"), std::string::npos) << noPuzzle;

    std::filesystem::remove(folderPath + "/theme.jpg");
    EXPECT_EQ(LoadFault("bad"), "Failed to open \"data\\puzzles\\bad\\theme.jpg\" image!");

    // A picture wider than the board textures, with a file made for it.
    Image wide;
    wide.Create(nullptr, 1025, 512, 24);
    std::fill(wide.GetPixels(), wide.GetPixels() + 1025 * 512 * 3, std::uint8_t{90});
    ASSERT_TRUE(corvellan::test::WriteFileBytes(folderPath + "/theme.jpg", content::EngineImageFile(wide, "jpg")));
    PuzzleFileRecord record = good;
    record.edges.assign(1025 * 512, 0);
    ASSERT_TRUE(PuzzleFileWriter::WriteTo(folderPath + "/puzzle.pzf", record));
    ASSERT_TRUE(PuzzleFileWriter::WriteColors(folderPath + "/puzzle.ini", SmallPuzzle().colors));
    EXPECT_EQ(LoadFault("bad"), "Picture \"data\\puzzles\\bad\\theme.jpg\" is 1025 x 512 pixels; a puzzle picture "
                                "is 1 x 1 to 1024 x 512");
}

} // namespace
} // namespace Mirabel::test
