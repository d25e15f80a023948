#include "tests/support/LevelData.h"

#include "content/BackgroundLayersWriter.h"
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/ParticleFileWriter.h"
#include "content/PhotoPicture.h"
#include "content/PuzzleCutter.h"
#include "content/WavWriter.h"
#include "engine/render/Image.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace corvellan::test
{
namespace
{

namespace content = corvellan::content;
using OrvaneEngine::Vector2;

// The level sounds of the game's table, each as a short tone.
const LevelData::Sound LevelSounds[] = {
    {5, "level_begin", false},          {6, "level_complete", false},      {7, "level_failed", false},
    {8, "element_get", false},          {9, "element_put_0", false},       {10, "element_put_1", false},
    {11, "element_put_2", false},       {12, "element_put_3", false},      {13, "element_put_4", false},
    {14, "element_put_bad", false},     {15, "element_cancel", false},     {16, "bonus_tip", false},
    {17, "bonus_magnet", false},        {18, "bonus_tip_apply", false},    {19, "bonus_magnet_apply", false},
    {20, "bonus_pause_apply", false},   {21, "bonus_rollback_apply", false}, {22, "path_introduction", true},
    {23, "path_introduction_end", false}, {24, "path_begin", true},        {25, "path_end", true},
    {26, "path_warning", false},        {27, "charge_path_score", true},
};

void Check(bool written, const std::string& path)
{
    if (!written)
        throw std::runtime_error("level data: could not write " + path);
}

void WriteModel(const std::string& data, const std::string& relative, const content::ModelFileRecord& record)
{
    const std::string path = data + "/game_objects/" + relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Check(content::ModelFileWriter::WriteTo(path, record), path);
}

void WriteQuad(const std::string& data, const std::string& relative, Vector2 centre, float half)
{
    WriteModel(data, relative, content::MakeQuadMesh(centre.x - half, centre.y - half, centre.x + half, centre.y + half));
}

void WriteEffect(const std::string& data, const std::string& relative, std::uint32_t emitterKind)
{
    content::ParticleFileRecord record;
    record.gravityOn = 0;
    record.floorOn = 0;
    record.maxParticleCount = 20;
    record.emitterKind = emitterKind;
    const std::string path = data + "/game_objects/" + relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Check(content::ParticleFileWriter::WriteTo(path, record), path);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        Check(static_cast<bool>(out), path);
    }
    std::filesystem::rename(temporary, path);
}

std::string Tone()
{
    // A tenth of a second of a quiet square wave.
    std::string samples;
    for (int i = 0; i < 2205; ++i)
    {
        const std::int16_t value = (i / 25) % 2 == 0 ? 800 : -800;
        samples.push_back(static_cast<char>(value & 0xFF));
        samples.push_back(static_cast<char>((value >> 8) & 0xFF));
    }
    return content::WavWriter::Simple(content::WavFormat{}, samples);
}

content::ModelFileRecord CompletionModel(const LevelDataOptions& options)
{
    const auto w = static_cast<float>(options.pictureWidth);
    const auto h = static_cast<float>(options.pictureHeight);
    if (options.stillCompletion)
        return content::MakeQuadMesh(0.0f, 0.0f, w, h);
    std::vector<content::ModelFileRecord> frames;
    for (int f = 0; f < 10; ++f)
    {
        const float grow = static_cast<float>(f);
        frames.push_back(content::MakeQuadMesh(-grow, -grow, w + grow, h + grow));
    }
    return content::MakeMorphModel(frames, 30.0f);
}

} // namespace

std::vector<Vector2> LevelData::TrackPoints()
{
    return {Vector2(260, 80), Vector2(480, 80), Vector2(700, 80),
            Vector2(700, 300), Vector2(480, 300), Vector2(260, 300)};
}

Vector2 LevelData::ObstacleMin()
{
    return Vector2(680, 170);
}

Vector2 LevelData::ObstacleMax()
{
    return Vector2(720, 230);
}

std::vector<LevelData::Sound> LevelData::Sounds()
{
    std::vector<Sound> sounds;
    for (const Sound& sound : LevelSounds)
        sounds.push_back(Sound{sound.id, "audio\\game\\" + sound.file + ".wav", sound.looping});
    return sounds;
}

std::string LevelData::MusicFile()
{
    return "audio\\music\\game0.wav";
}

void LevelData::Write(const std::string& root, const LevelDataOptions& options)
{
    const std::string data = root + "/data";
    const std::vector<Vector2> points = TrackPoints();
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        const Vector2 centre = options.pointTrack ? points.front() : points[i];
        WriteQuad(data, "depository/path_00" + std::to_string(i) + ".mlf", centre, 6.0f);
    }
    const Vector2 low = ObstacleMin();
    const Vector2 high = ObstacleMax();
    WriteModel(data, "depository/obstacle.mlf", content::MakeQuadMesh(low.x, low.y, high.x, high.y));
    const Vector2 end = points.back();
    WriteQuad(data, "depository/hole_bottom.mlf", end, 30.0f);
    WriteQuad(data, "depository/hole_top.mlf", end, 36.0f);
    WriteQuad(data, "carriage/carriage.mlf", Vector2(0, 0), 18.0f);
    for (const char* name : {"magnet", "pause", "rollback", "tip"})
        WriteQuad(data, std::string("bonuses/") + name + ".mlf", Vector2(0, 0), 12.0f);
    WriteModel(data, "board/level_complete.mlf", CompletionModel(options));
    WriteEffect(data, "depository/path_start_effect.psf", 0);
    WriteEffect(data, "depository/path_finish_effect.psf", 0);
    WriteEffect(data, "board/level_complete_effect.psf", 1);
    WriteEffect(data, "board/tip_effect.psf", 2);

    const std::string background = data + "/ui/menus/background/background.ini";
    std::filesystem::create_directories(std::filesystem::path(background).parent_path());
    Check(content::BackgroundLayersWriter::WriteTo(background, {}), background);

    const std::string tone = Tone();
    for (const Sound& sound : LevelSounds)
        WriteBytes(data + "/audio/game/" + sound.file + ".wav", tone);
    WriteBytes(data + "/audio/music/game0.wav", tone);

    OrvaneEngine::Image picture;
    content::MakePhotoPicture(picture, options.pictureWidth, options.pictureHeight, 3);
    content::PuzzleCutOptions cut;
    cut.columns = options.columns;
    cut.rows = options.rows;
    cut.blocked = options.blocked;
    cut.blockedApart = true;
    const std::string folder = data + "/puzzles/" + PuzzleName;
    std::filesystem::create_directories(folder);
    const std::string fault = content::PuzzleCutter::WriteFolder(picture, cut, folder);
    if (!fault.empty())
        throw std::runtime_error("level data: the puzzle was not cut: " + fault);
}

} // namespace corvellan::test
