#include "tests/support/GameDataSet.h"

#include "content/BackgroundLayersWriter.h"
#include "content/MapFileWriter.h"
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/OggWriter.h"
#include "content/PackWriter.h"
#include "content/ParticleFileWriter.h"
#include "content/TitleListWriter.h"
#include "content/WavWriter.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MenuData.h"
#include "tests/support/TestGameData.h"

#include <cstdint>
#include <vector>

namespace corvellan::test
{

namespace
{

using namespace corvellan::content;

std::string Box()
{
    return ModelFileWriter::Build(MakeBoxMesh({-1.0f, -1.0f, -1.0f}, {1.0f, 1.0f, 1.0f}));
}

std::string Effect()
{
    ParticleFileRecord record;
    record.gravityOn = 0;
    record.floorOn = 0;
    return ParticleFileWriter::Build(record);
}

std::string ShortWav()
{
    return WavWriter::Simple(WavFormat{}, std::string(200, '\0'));
}

} // namespace

bool GameDataSet::WriteFile(const std::string& root, const std::string& relative, const std::string& bytes)
{
    return WriteFileBytes(root + "/" + relative, bytes);
}

bool GameDataSet::Write(const std::string& root)
{
    if (!TestGameData::Write(root))
        return false;
    bool written = WriteFile(root, "data/levels/stages_info.ini", "2\r\n3\r\n4\r\n") &&
                   WriteFile(root, "data/levels/stage0.ini", "1\r\nmy_pic 60 90\r\n") &&
                   WriteFile(root, "data/levels/stage1.ini", "1\r\nb 50 80\r\n");
    written = written && WriteFile(root, "data/ui/menus/background/background.ini",
                                   BackgroundLayersWriter::Build({{"sky", "_none_", true, 0},
                                                                  {"hills", "_NONE_", false, 0},
                                                                  {"castle", "sparkles", false, 2}}));
    written = written && WriteFile(root, "data/ui/menus/background/models/hills.mlf", Box()) &&
              WriteFile(root, "data/ui/menus/background/models/castle.mlf", Box()) &&
              WriteFile(root, "data/ui/menus/background/particles/sparkles.psf", Effect());
    for (unsigned i = 0; i < 6 && written; ++i)
    {
        const float x = PathCentreX(i);
        written = WriteFile(root, "data/game_objects/depository/path_00" + std::to_string(i) + ".mlf",
                            ModelFileWriter::Build(MakeQuadMesh(x - 1.0f, PathCentreY - 1.0f, x + 1.0f,
                                                                PathCentreY + 1.0f)));
    }
    // The menu background's one title, its start-up and the menu frames, and
    // the stage map of the two stages.
    written = written && MenuData(root).Frames() &&
              WriteFile(root, "data/ui/menus/models/background/title_en.ini", TitleListWriter::Build(1)) &&
              WriteFile(root, "data/ui/menus/map/map.gmf",
                        MapFileWriter::Build({MapFileWriter::At(0, 300.0f, 300.0f, 20.0f),
                                              MapFileWriter::At(2, 400.0f, 300.0f, 20.0f),
                                              MapFileWriter::At(1, 500.0f, 300.0f, 20.0f)}));
    written = written && WriteFile(root, "data/ui/menus/models/start_game/totem_0.mlf", Box()) &&
              WriteFile(root, "data/game_objects/depository/path_start_effect.psf", Effect()) &&
              WriteFile(root, "data/audio/menu/button_click.wav", ShortWav());
    if (!written)
        return false;

    std::vector<std::int16_t> silence(2205 * 2, 0);
    const std::string ogg = EncodeOggVorbis(silence, 2, 22050);
    if (ogg.empty() || !WriteFile(root, "data/audio/music/menu.ogg", ogg))
        return false;

    PackWriter pack;
    pack.Add("data/audio/menu/button_select_0.wav", ShortWav());
    pack.Add("data/game_objects/mini_game/cell_top.mlf", Box());
    pack.Add("data/ui/menus/models/controls/check_box.mlf", Box());
    return pack.WriteTo(root + "/data/pack0.pak");
}

} // namespace corvellan::test
