#include "content/DataBackground.h"

#include "content/DataArtFiles.h"
#include "content/DataBackgroundArt.h"
#include "content/DataBackgroundForeground.h"
#include "content/DataBackgroundModels.h"
#include "content/DataStaging.h"
#include "content/FuzzSeeds.h"
#include "content/ParticleFileWriter.h"

#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

using M = DataBackgroundModels;

constexpr float Pi = 3.14159265f;
constexpr std::uint32_t UnicornFrames = 16;
constexpr float UnicornFramesPerSecond = 15.0f;

const std::string LayerFolder = "ui\\menus\\background\\";
constexpr DataRect UnicornPlace{380, 120, 508, 248};

// How each picture of the landscape drifts: its frames, their rate, and how
// far the picture slides inside its margin. The quad itself stays on the
// screen, so no layer ever shows an edge.
struct LayerMotion
{
    const char* name;
    std::uint32_t frames;
    float speed;
    float slideX;
    float slideY;
};

constexpr LayerMotion PictureLayers[] = {
    {"sky", 16, 2.0f, 3.0f, 0.0f},    {"clouds", 32, 1.5f, 14.0f, 2.0f}, {"hills", 8, 1.0f, 0.0f, 1.0f},
    {"village", 8, 1.0f, 0.0f, 1.0f}, {"castle", 8, 1.0f, 0.0f, 1.0f},   {"tower", 8, 1.0f, 0.0f, 1.0f},
};

DataRect LayerUv(float dx, float dy)
{
    const auto side = static_cast<float>(DataBackgroundArt::LayerSide);
    const float m = DataBackgroundArt::LayerMargin;
    return {(m + dx) / side, (m + dy) / side, (m + dx + 800.0f) / side, (m + dy + 600.0f) / side};
}

void StagePictureLayers(DataStaging& staging)
{
    for (const LayerMotion& layer : PictureLayers)
    {
        const std::string name = layer.name;
        const bool sky = name == "sky";
        const M::Picture picture =
            M::StageJpeg(staging, LayerFolder + "textures\\" + name, DataBackgroundArt::Layer(name), !sky);
        const ModelFileRecord model = M::Morph(
            layer.frames, layer.speed, [](float) { return M::Screen; },
            [&](float t) {
                const float wave = std::sin(2.0f * Pi * t);
                return LayerUv(layer.slideX * wave, layer.slideY * std::sin(4.0f * Pi * t));
            });
        M::StageModel(staging, LayerFolder + "models\\" + name + ".mlf", model, M::BlendedShader(picture));
    }
}

// How a system of the background emits and moves its particles.
struct Emission
{
    std::uint32_t most;
    float rate;
    float life;
    float lifeSpread;
    ParticleFileRecord::Vector direction;
    ParticleFileRecord::Vector directionSpread;
    float speed;
    float speedSpread;
};

// Particles drawn through the GUI camera, where z is depth: they float in the
// screen's plane with no gravity and no floor, and never come to rest.
ParticleFileRecord Floating(const Emission& emission, const ParticleFileRecord::Keys& sizes)
{
    ParticleFileRecord record;
    record.maxParticleCount = emission.most;
    record.gravityOn = 0;
    record.floorOn = 0;
    record.stopAtRest = 0;
    record.rateKeys.fill(emission.rate);
    record.lifeKeys.fill(emission.life);
    record.lifeSpreadKeys.fill(emission.lifeSpread);
    record.directionKeys.fill(emission.direction);
    record.directionSpreadKeys.fill(emission.directionSpread);
    record.speedKeys.fill(emission.speed);
    record.speedSpreadKeys.fill(emission.speedSpread);
    record.sizeKeys = sizes;
    return record;
}

ParticleFileRecord Birds()
{
    ParticleFileRecord birds = Floating({12, 1.5f, 6.0f, 1.0f, {1.0f, 0.15f, 0.0f}, {0.3f, 0.3f, 0.0f}, 14.0f, 4.0f},
                                        {10.0f, 14.0f, 14.0f, 14.0f, 12.0f, 10.0f});
    birds.cycleLength = 4.0f;
    for (std::size_t k = 0; k < birds.colorKeys.size(); ++k)
        birds.colorKeys[k] = {1.0f, 1.0f, 1.0f, k == 0 || k == 5 ? 0.0f : 1.0f};
    return birds;
}

// Rising around the castle's keep, from anywhere in a box that follows it.
ParticleFileRecord Sparkles()
{
    ParticleFileRecord sparkles = Floating({40, 14.0f, 1.6f, 0.4f, {0.0f, 1.0f, 0.0f}, {0.4f, 0.2f, 0.0f}, 12.0f, 0.0f},
                                           {4.0f, 10.0f, 12.0f, 10.0f, 7.0f, 3.0f});
    sparkles.colorKeys = {{{1.0f, 0.95f, 0.7f, 0.0f},
                           {1.0f, 0.95f, 0.7f, 1.0f},
                           {1.0f, 0.9f, 0.6f, 1.0f},
                           {1.0f, 0.85f, 0.5f, 0.8f},
                           {1.0f, 0.8f, 0.4f, 0.4f},
                           {1.0f, 0.8f, 0.4f, 0.0f}}};
    sparkles.emitterKind = 1;
    sparkles.boxMin = {-70.0f, -45.0f, 0.0f};
    sparkles.boxMax = {70.0f, 45.0f, 0.0f};
    return sparkles;
}

// The two layers that carry particles: their models are never drawn and only
// lead the emitter along the animation.
void StageParticleLayers(DataStaging& staging)
{
    std::map<std::string, std::string> sprites;
    for (const char* sprite : {"bird", "sparkle"})
    {
        sprites[sprite] = LayerFolder + "textures\\" + sprite + ".tga";
        staging.Write(M::DataName(sprites[sprite]), DataBackgroundArt::Sprite(sprite).Tga());
    }
    const ShaderFileRecord birdShader = M::BlendedShader({sprites["bird"], ""});
    const ShaderFileRecord sparkleShader = M::BlendedShader({sprites["sparkle"], ""});
    DataArtFiles::StageWithShader(staging, M::DataName(LayerFolder + "particles\\birds.psf"),
                                  ParticleFileWriter::Build(Birds()), birdShader);
    DataArtFiles::StageWithShader(staging, M::DataName(LayerFolder + "particles\\sparkles.psf"),
                                  ParticleFileWriter::Build(Sparkles()), sparkleShader);

    // The flock loops over the sky, the glow hovers over the castle's keep.
    const ModelFileRecord flight = M::Morph(
        32, 1.0f,
        [](float t) {
            const float a = 2.0f * Pi * t;
            const float x = 400.0f + 300.0f * std::cos(a);
            const float y = 470.0f + 50.0f * std::sin(2.0f * a);
            return DataRect{x - 8, y - 8, x + 8, y + 8};
        },
        [](float) { return DataArtFiles::WholeTexture; });
    M::StageModel(staging, LayerFolder + "models\\birds_path.mlf", flight, birdShader);
    const ModelFileRecord glow = M::Morph(
        8, 2.0f,
        [](float t) {
            return M::Moved(DataRect{602, 340, 626, 364}, 0.0f, 4.0f * std::sin(2.0f * Pi * t));
        },
        [](float) { return DataArtFiles::WholeTexture; });
    M::StageModel(staging, LayerFolder + "models\\castle_glow.mlf", glow, sparkleShader);
}

// The frames of the net, played by the unicorn itself at 15 a second.
ShaderFileRecord UnicornShader(const M::Picture& frames)
{
    ShaderFileRecord shader = M::BlendedShader(frames);
    ShaderFileStage& stage = shader.stages.front();
    stage.animationType = 1;
    stage.columns = 4;
    stage.rows = 4;
    stage.frameCount = UnicornFrames;
    stage.speed = UnicornFramesPerSecond;
    return shader;
}

void StageUnicorn(DataStaging& staging)
{
    const M::Picture still =
        M::StageJpeg(staging, LayerFolder + "textures\\unicorn", DataBackgroundArt::Unicorn(0.0f), true);
    const ModelFileRecord layer = M::Morph(
        4, 1.0f, [](float t) { return M::Moved(UnicornPlace, 0.0f, 1.5f * std::sin(2.0f * Pi * t)); },
        [](float) { return DataArtFiles::WholeTexture; });
    M::StageModel(staging, LayerFolder + "models\\unicorn.mlf", layer, M::BlendedShader(still));

    // Frame k of the net is the cell k from the top-left, row by row.
    DataCanvas net(1024, 1024);
    for (std::uint32_t frame = 0; frame < UnicornFrames; ++frame)
        net.Draw(DataBackgroundArt::Unicorn(static_cast<float>(frame) / static_cast<float>(UnicornFrames)),
                 static_cast<std::int32_t>(256 * (frame % 4)), static_cast<std::int32_t>(256 * (frame / 4)));
    const M::Picture frames = M::StageJpeg(staging, LayerFolder + "textures\\unicorn_animated", net, true);
    const ShaderFileRecord shader = UnicornShader(frames);
    const std::string name = LayerFolder + "models\\unicorn_animated.mlf";
    DataBackground::CheckUnicorn(M::DataName(name), shader);
    M::StageModel(staging, name, DataArtFiles::Quad(UnicornPlace), shader);
}

} // namespace

const std::vector<BackgroundLayerEntry>& DataBackground::Layers()
{
    static const std::vector<BackgroundLayerEntry> layers = {
        {"sky", "_none_", true, 0},
        {"clouds", "_none_", true, 0},
        {"hills", "_none_", false, 0},
        {"birds_path", "birds", false, 0},
        {"village", "_none_", false, 1},
        {"castle", "_none_", false, 2},
        {"castle_glow", "sparkles", false, 2},
        {"tower", "_none_", false, 3},
        {"unicorn", "_none_", false, 0},
    };
    return layers;
}

void DataBackground::CheckLayers(const std::string& fileName, const std::vector<BackgroundLayerEntry>& layers)
{
    for (const BackgroundLayerEntry& layer : layers)
    {
        if (layer.builtByBackground)
            return;
    }
    throw std::runtime_error(fileName + ": no layer is built by the background itself (load flag 1); the game "
                                        "would end at start-up with no thematic layers");
}

void DataBackground::CheckAnimated(const std::string& fileName, const ModelFileRecord& model)
{
    const bool framed = (model.flags & 0x6) != 0 && model.frameCount > 1;
    if (!framed || !(model.speed > 0.0f))
        throw std::runtime_error(fileName + ": the model must have more than one frame and a speed above 0, or "
                                            "the start-up waits forever for its animation to move");
}

void DataBackground::CheckUnicorn(const std::string& fileName, const ShaderFileRecord& shader)
{
    const bool animated =
        !shader.stages.empty() && shader.stages.front().animationType == 1 &&
        shader.stages.front().frameCount >= UnicornFrames &&
        shader.stages.front().columns * shader.stages.front().rows >= shader.stages.front().frameCount;
    if (!animated)
        throw std::runtime_error(fileName + ": the first shader stage must be a net of at least " +
                                 std::to_string(UnicornFrames) + " frames, or the ending never finishes");
}

void DataBackground::Stage(DataStaging& staging, const std::vector<DataLanguage>& languages,
                           const std::string& fontFolder)
{
    const std::string list = M::DataName(LayerFolder + "background.ini");
    CheckLayers(list, Layers());
    staging.Write(list, BackgroundLayersWriter::Build(Layers()));
    StagePictureLayers(staging);
    StageParticleLayers(staging);
    StageUnicorn(staging);
    DataBackgroundForeground::Stage(staging, languages, fontFolder);
}

void DataBackground::WriteSeeds(const std::string& folder)
{
    const DataCanvas cursor = DataBackgroundArt::Cursor();
    const M::Picture frames{LayerFolder + "textures\\unicorn_animated.jpg",
                            LayerFolder + "textures\\unicorn_animated_alpha.jpg"};
    if (!WriteSeed(folder, "image_jpeg", "data_cursor.jpg", cursor.Jpeg()) ||
        !WriteSeed(folder, "image_tga", "data_sparkle.tga", DataBackgroundArt::Sprite("sparkle").Tga()) ||
        !WriteSeed(folder, "model_file", "data_background_text.mlf",
                   ModelFileWriter::Build(DataBackgroundForeground::TextPanel())) ||
        !WriteSeed(folder, "shader_file", "data_unicorn_animated.srf",
                   ShaderFileWriter::Build(UnicornShader(frames))) ||
        !WriteSeed(folder, "particle_file", "data_sparkles.psf", ParticleFileWriter::Build(Sparkles())))
        throw std::runtime_error(folder + ": cannot write the menu background's seeds");
}

} // namespace corvellan::content
