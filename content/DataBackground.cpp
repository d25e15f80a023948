#include "content/DataBackground.h"

#include "content/DataBackgroundArt.h"
#include "content/DataStaging.h"
#include "content/DataTextSources.h"
#include "content/FuzzSeeds.h"
#include "content/ModelMeshes.h"
#include "content/ParticleFileWriter.h"
#include "content/TitleListWriter.h"

#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

constexpr float Pi = 3.14159265f;
constexpr float ForegroundSpeed = 25.0f;
constexpr std::uint32_t TitleCount = 2;
constexpr std::uint32_t UnicornFrames = 16;
constexpr float UnicornFramesPerSecond = 15.0f;

const std::string LayerFolder = "ui\\menus\\background\\";
const std::string ForegroundFolder = "ui\\menus\\models\\background\\";
const std::string ForegroundTextures = ForegroundFolder + "textures\\";
const std::string PublisherTextures = "ui\\menus\\textures\\";

struct Rect
{
    float x0, y0, x1, y1;
};

// Where the foreground stands on the 800 x 600 screen when it has appeared.
constexpr Rect Screen{0, 0, 800, 600};
constexpr Rect MakerLogoPlace{16, 16, 272, 80};
constexpr Rect PublisherLogoPlace{620, 20, 780, 100};
constexpr Rect MountTitlePlace{230, 496, 580, 538};
constexpr Rect MountTextPlace{130, 534, 670, 600};
// Around the title text area (150, 545)-(650, 590).
constexpr Rect TextPanelPlace{140, 540, 660, 596};
constexpr Rect TextArea{150, 545, 650, 590};
constexpr Rect WordmarkPlace{254, 498, 406, 536};
constexpr Rect SubtitlePlace{420, 500, 556, 534};
constexpr Rect UnicornPlace{380, 120, 508, 248};

// The texture rectangle a quad shows, in UV (v up from the bottom).
struct Uv
{
    float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
};

ModelFileRecord Quad(const Rect& r, const Uv& uv = {})
{
    ModelFileRecord quad = MakeQuadMesh(r.x0, r.y0, r.x1, r.y1);
    for (ModelFileVertex& vertex : quad.vertices)
    {
        vertex.u = uv.u0 + vertex.u * (uv.u1 - uv.u0);
        vertex.v = uv.v0 + vertex.v * (uv.v1 - uv.v0);
    }
    return quad;
}

// frames quads, frame f made by place(t) with t = f / (frames - 1), and uv(t).
ModelFileRecord Morph(std::uint32_t frames, float speed, const std::function<Rect(float)>& place,
                      const std::function<Uv(float)>& uv)
{
    std::vector<ModelFileRecord> meshes;
    for (std::uint32_t f = 0; f < frames; ++f)
    {
        const float t = static_cast<float>(f) / static_cast<float>(frames - 1);
        meshes.push_back(Quad(place(t), uv(t)));
    }
    return MakeMorphModel(meshes, speed);
}

Rect Scaled(const Rect& r, float sx, float sy)
{
    const float cx = (r.x0 + r.x1) / 2.0f;
    const float cy = (r.y0 + r.y1) / 2.0f;
    return {cx + (r.x0 - cx) * sx, cy + (r.y0 - cy) * sy, cx + (r.x1 - cx) * sx, cy + (r.y1 - cy) * sy};
}

Rect Moved(const Rect& r, float dx, float dy) { return {r.x0 + dx, r.y0 + dy, r.x1 + dx, r.y1 + dy}; }

// Fast at first, settling into place.
float Settle(float t) { return (1.0f - t) * (1.0f - t); }

ShaderFileRecord BlendedShader(const std::string& diffuse, const std::string& opacity)
{
    ShaderFileRecord shader;
    shader.flags = 1;
    shader.sourceBlend = 4;
    shader.destinationBlend = 5;
    ShaderFileStage stage;
    stage.diffuseName = diffuse;
    stage.opacityName = opacity;
    shader.stages.push_back(stage);
    return shader;
}

std::string DataName(const std::string& name) { return "data\\" + name; }

std::string WithExtension(const std::string& name, const std::string& extension)
{
    return name.substr(0, name.rfind('.')) + "." + extension;
}

// Stages a JPEG picture and, when it has one, its opacity beside it; the
// names are as the shaders give them.
struct Picture
{
    std::string diffuse;
    std::string opacity;
};

Picture StageJpeg(DataStaging& staging, const std::string& base, const DataCanvas& canvas, bool alpha)
{
    Picture picture{base + ".jpg", alpha ? base + "_alpha.jpg" : std::string()};
    staging.Write(DataName(picture.diffuse), canvas.Jpeg());
    if (alpha)
        staging.Write(DataName(picture.opacity), canvas.AlphaJpeg());
    return picture;
}

void StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                const ShaderFileRecord& shader)
{
    staging.Write(DataName(name), ModelFileWriter::Build(model));
    staging.Write(DataName(WithExtension(name, "srf")), ShaderFileWriter::Build(shader));
}

// An animated model of the foreground, refused when it could never leave its first frame.
void StageAnimated(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                   const ShaderFileRecord& shader)
{
    DataBackground::CheckAnimated(DataName(name), model);
    StageModel(staging, name, model, shader);
}

// How each layer of the landscape drifts: its frames, their rate, and the
// quad of frame t (geometry for the few that move, else a slow slide of the
// picture inside its margin).
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

Uv LayerUv(float dx, float dy)
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
        const Picture picture =
            StageJpeg(staging, LayerFolder + "textures\\" + name, DataBackgroundArt::Layer(name), !sky);
        const ModelFileRecord model = Morph(
            layer.frames, layer.speed, [](float) { return Screen; },
            [&](float t) {
                const float wave = std::sin(2.0f * Pi * t);
                return LayerUv(layer.slideX * wave, layer.slideY * std::sin(4.0f * Pi * t));
            });
        StageModel(staging, LayerFolder + "models\\" + name + ".mlf", model,
                   BlendedShader(picture.diffuse, picture.opacity));
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
        staging.Write(DataName(sprites[sprite]), DataBackgroundArt::Sprite(sprite).Tga());
    }
    const ShaderFileRecord birdShader = BlendedShader(sprites["bird"], "");
    const ShaderFileRecord sparkleShader = BlendedShader(sprites["sparkle"], "");
    staging.Write(DataName(LayerFolder + "particles\\birds.psf"), ParticleFileWriter::Build(Birds()));
    staging.Write(DataName(LayerFolder + "particles\\birds.srf"), ShaderFileWriter::Build(birdShader));
    staging.Write(DataName(LayerFolder + "particles\\sparkles.psf"), ParticleFileWriter::Build(Sparkles()));
    staging.Write(DataName(LayerFolder + "particles\\sparkles.srf"), ShaderFileWriter::Build(sparkleShader));

    // The flock loops over the sky, the glow hovers over the castle's keep.
    const ModelFileRecord flight = Morph(
        32, 1.0f,
        [](float t) {
            const float a = 2.0f * Pi * t;
            const float x = 400.0f + 300.0f * std::cos(a);
            const float y = 470.0f + 50.0f * std::sin(2.0f * a);
            return Rect{x - 8, y - 8, x + 8, y + 8};
        },
        [](float) { return Uv{}; });
    StageModel(staging, LayerFolder + "models\\birds_path.mlf", flight, birdShader);
    const ModelFileRecord glow = Morph(
        8, 2.0f,
        [](float t) {
            return Moved(Rect{602, 340, 626, 364}, 0.0f, 4.0f * std::sin(2.0f * Pi * t));
        },
        [](float) { return Uv{}; });
    StageModel(staging, LayerFolder + "models\\castle_glow.mlf", glow, sparkleShader);
}

// The frames of the net, played by the unicorn itself at 15 a second.
ShaderFileRecord UnicornShader(const Picture& frames)
{
    ShaderFileRecord shader = BlendedShader(frames.diffuse, frames.opacity);
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
    const Picture still = StageJpeg(staging, LayerFolder + "textures\\unicorn", DataBackgroundArt::Unicorn(0.0f), true);
    const ModelFileRecord layer = Morph(
        4, 1.0f, [](float t) { return Moved(UnicornPlace, 0.0f, 1.5f * std::sin(2.0f * Pi * t)); },
        [](float) { return Uv{}; });
    StageModel(staging, LayerFolder + "models\\unicorn.mlf", layer, BlendedShader(still.diffuse, still.opacity));

    // Frame k of the net is the cell k from the top-left, row by row.
    DataCanvas net(1024, 1024);
    for (std::uint32_t frame = 0; frame < UnicornFrames; ++frame)
        net.Draw(DataBackgroundArt::Unicorn(static_cast<float>(frame) / static_cast<float>(UnicornFrames)),
                 static_cast<std::int32_t>(256 * (frame % 4)), static_cast<std::int32_t>(256 * (frame / 4)));
    const Picture frames = StageJpeg(staging, LayerFolder + "textures\\unicorn_animated", net, true);
    const ShaderFileRecord shader = UnicornShader(frames);
    const std::string name = LayerFolder + "models\\unicorn_animated.mlf";
    DataBackground::CheckUnicorn(DataName(name), shader);
    StageModel(staging, name, Quad(UnicornPlace), shader);
}

// The panel rises into place around the text area.
ModelFileRecord TextPanel()
{
    return Morph(
        20, ForegroundSpeed, [](float t) { return Moved(TextPanelPlace, 0.0f, -90.0f * Settle(t)); },
        [](float) { return Uv{}; });
}

void StageForeground(DataStaging& staging, const std::string& fontFolder)
{
    const Picture frame = StageJpeg(staging, ForegroundTextures + "frame", DataBackgroundArt::Frame(), true);
    const Picture maker =
        StageJpeg(staging, ForegroundTextures + "logo_brackwell", DataBackgroundArt::MakerLogo(fontFolder), true);
    const Picture wood =
        StageJpeg(staging, ForegroundTextures + "mount", DataBackgroundArt::Panel(512, 64, false), true);
    const Picture panel =
        StageJpeg(staging, ForegroundTextures + "panel", DataBackgroundArt::Panel(512, 64, true), true);

    // Each unfolds, slides or rises into place; the frame's picture is the
    // screen at half size in the bottom-left of its texture.
    struct Part
    {
        const char* name;
        std::uint32_t frames;
        std::function<Rect(float)> place;
        const Picture& picture;
        Uv uv;
    };
    const std::vector<Part> parts = {
        {"frame", 30,
         [](float t) {
             const float s = 1.0f + 0.1f * Settle(t);
             return Scaled(Screen, s, s);
         },
         frame, Uv{0.0f, 0.0f, 400.0f / 512.0f, 300.0f / 512.0f}},
        {"logo_brackwell", 30, [](float t) { return Moved(MakerLogoPlace, -280.0f * Settle(t), 0.0f); }, maker, {}},
        {"mount_title",
         20,
         [](float t) { return Scaled(MountTitlePlace, 1.0f, 0.05f + 0.95f * (1.0f - Settle(t))); },
         wood,
         {}},
        {"mount_text", 20, [](float t) { return Moved(MountTextPlace, 0.0f, 70.0f * Settle(t)); }, wood, {}},
        {"text_appear",
         20,
         [](float t) { return Scaled(TextPanelPlace, 0.04f + 0.96f * (1.0f - Settle(t)), 1.0f); },
         panel,
         {}},
    };
    for (const Part& part : parts)
    {
        const Uv uv = part.uv;
        StageAnimated(staging, ForegroundFolder + part.name + ".mlf",
                      Morph(part.frames, ForegroundSpeed, part.place, [uv](float) { return uv; }),
                      BlendedShader(part.picture.diffuse, part.picture.opacity));
    }
    StageAnimated(staging, ForegroundFolder + "text.mlf", TextPanel(), BlendedShader(panel.diffuse, panel.opacity));

    // Never drawn: the printer takes its box.
    StageModel(staging, ForegroundFolder + "text_area.mlf", Quad(TextArea), ShaderFileRecord{});
}

void StagePublisher(DataStaging& staging, const std::string& fontFolder)
{
    StageJpeg(staging, PublisherTextures + "publisher_0_logo_big", DataBackgroundArt::PublisherLogo(fontFolder, true),
              false);
    const Picture small = StageJpeg(staging, PublisherTextures + "publisher_0_logo_small",
                                    DataBackgroundArt::PublisherLogo(fontFolder, false), true);
    StageModel(staging, ForegroundFolder + "logo_additional_0.mlf", Quad(PublisherLogoPlace),
               BlendedShader(small.diffuse, small.opacity));
}

std::u16string Subtitle(const DataLanguage& language)
{
    for (const DataTextFile& file : language.files)
    {
        for (const LanguageText& text : file.texts)
        {
            if (text.first == DataBackground::SubtitleKey)
                return text.second;
        }
    }
    throw std::runtime_error("texts of " + language.code + ": no subtitle text for the menu background's title");
}

void StageTitles(DataStaging& staging, const std::vector<DataLanguage>& languages, const std::string& fontFolder)
{
    const std::string serif = fontFolder + "/DejaVuSerif-Bold.ttf";
    const Picture wordmark = StageJpeg(staging, ForegroundTextures + "title",
                                       DataBackgroundArt::Lettering(serif, u"Corvellan", 512, 128), true);
    for (const DataLanguage& language : languages)
    {
        const std::string prefix = ForegroundFolder + "title_" + language.code;
        staging.Write(DataName(prefix + ".ini"), TitleListWriter::Build(TitleCount));
        StageModel(staging, prefix + "_0.mlf", Quad(WordmarkPlace), BlendedShader(wordmark.diffuse, wordmark.opacity));
        const Picture subtitle = StageJpeg(staging, ForegroundTextures + "title_" + language.code + "_1",
                                           DataBackgroundArt::Lettering(serif, Subtitle(language), 256, 64), true);
        StageModel(staging, prefix + "_1.mlf", Quad(SubtitlePlace), BlendedShader(subtitle.diffuse, subtitle.opacity));
    }
}

void StageCursor(DataStaging& staging) { StageJpeg(staging, "ui\\cursors\\cursor", DataBackgroundArt::Cursor(), true); }

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
    const std::string list = DataName(LayerFolder + "background.ini");
    CheckLayers(list, Layers());
    staging.Write(list, BackgroundLayersWriter::Build(Layers()));
    StagePictureLayers(staging);
    StageParticleLayers(staging);
    StageUnicorn(staging);
    StageForeground(staging, fontFolder);
    StagePublisher(staging, fontFolder);
    StageTitles(staging, languages, fontFolder);
    StageCursor(staging);
}

void DataBackground::WriteSeeds(const std::string& folder)
{
    const DataCanvas cursor = DataBackgroundArt::Cursor();
    const Picture frames{LayerFolder + "textures\\unicorn_animated.jpg",
                         LayerFolder + "textures\\unicorn_animated_alpha.jpg"};
    if (!WriteSeed(folder, "image_jpeg", "data_cursor.jpg", cursor.Jpeg()) ||
        !WriteSeed(folder, "image_tga", "data_sparkle.tga", DataBackgroundArt::Sprite("sparkle").Tga()) ||
        !WriteSeed(folder, "model_file", "data_background_text.mlf", ModelFileWriter::Build(TextPanel())) ||
        !WriteSeed(folder, "shader_file", "data_unicorn_animated.srf",
                   ShaderFileWriter::Build(UnicornShader(frames))) ||
        !WriteSeed(folder, "particle_file", "data_sparkles.psf", ParticleFileWriter::Build(Sparkles())))
        throw std::runtime_error(folder + ": cannot write the menu background's seeds");
}

} // namespace corvellan::content
