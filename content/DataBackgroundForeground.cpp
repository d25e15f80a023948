#include "content/DataBackgroundForeground.h"

#include "content/DataArtFiles.h"
#include "content/DataBackground.h"
#include "content/DataBackgroundArt.h"
#include "content/DataBackgroundModels.h"
#include "content/DataLayout.h"
#include "content/DataStaging.h"
#include "content/DataTextSources.h"
#include "content/TitleListWriter.h"

#include <stdexcept>
#include <vector>

namespace corvellan::content
{

namespace
{

using M = DataBackgroundModels;

constexpr float ForegroundSpeed = 25.0f;
constexpr std::uint32_t TitleCount = 2;

const std::string ForegroundFolder = "ui\\menus\\models\\background\\";
const std::string ForegroundTextures = ForegroundFolder + "textures\\";
const std::string PublisherTextures = "ui\\menus\\textures\\";

// Where the foreground stands on the 800 x 600 screen when it has appeared.
constexpr DataRect MakerLogoPlace{16, 16, 272, 80};
constexpr DataRect PublisherLogoPlace{620, 20, 780, 100};
constexpr DataRect MountTitlePlace{230, 496, 580, 538};
constexpr DataRect MountTextPlace{130, 534, 670, 600};
// Around the title text area (150, 545)-(650, 590).
constexpr DataRect TextPanelPlace{140, 540, 660, 596};
constexpr DataRect WordmarkPlace{254, 498, 406, 536};
constexpr DataRect SubtitlePlace{420, 500, 556, 534};

// An animated model of the foreground, refused when it could never leave its first frame.
void StageAnimated(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                   const ShaderFileRecord& shader)
{
    DataBackground::CheckAnimated(M::DataName(name), model);
    M::StageModel(staging, name, model, shader);
}

void StageForeground(DataStaging& staging, const std::string& fontFolder)
{
    const M::Picture frame = M::StageJpeg(staging, ForegroundTextures + "frame", DataBackgroundArt::Frame(), true);
    const M::Picture maker =
        M::StageJpeg(staging, ForegroundTextures + "logo_brackwell", DataBackgroundArt::MakerLogo(fontFolder), true);
    const M::Picture wood =
        M::StageJpeg(staging, ForegroundTextures + "mount", DataBackgroundArt::Panel(512, 64, false), true);
    const M::Picture panel =
        M::StageJpeg(staging, ForegroundTextures + "panel", DataBackgroundArt::Panel(512, 64, true), true);

    // Each unfolds, slides or rises into place; the frame's picture is the
    // screen at half size in the bottom-left of its texture.
    struct Part
    {
        const char* name;
        std::uint32_t frames;
        std::function<DataRect(float)> place;
        const M::Picture& picture;
        DataRect uv;
    };
    const std::vector<Part> parts = {
        {"frame", 30,
         [](float t) {
             const float s = 1.0f + 0.1f * M::Settle(t);
             return DataArtFiles::Scaled(M::Screen, s, s);
         },
         frame, DataRect{0.0f, 0.0f, 400.0f / 512.0f, 300.0f / 512.0f}},
        {"logo_brackwell",
         30,
         [](float t) { return M::Moved(MakerLogoPlace, -280.0f * M::Settle(t), 0.0f); },
         maker,
         DataArtFiles::WholeTexture},
        {"mount_title",
         20,
         [](float t) {
             return DataArtFiles::Scaled(MountTitlePlace, 1.0f, 0.05f + 0.95f * (1.0f - M::Settle(t)));
         },
         wood,
         DataArtFiles::WholeTexture},
        {"mount_text",
         20,
         [](float t) { return M::Moved(MountTextPlace, 0.0f, 70.0f * M::Settle(t)); },
         wood,
         DataArtFiles::WholeTexture},
        {"text_appear",
         20,
         [](float t) {
             return DataArtFiles::Scaled(TextPanelPlace, 0.04f + 0.96f * (1.0f - M::Settle(t)), 1.0f);
         },
         panel,
         DataArtFiles::WholeTexture},
    };
    for (const Part& part : parts)
    {
        const DataRect uv = part.uv;
        StageAnimated(staging, ForegroundFolder + part.name + ".mlf",
                      M::Morph(part.frames, ForegroundSpeed, part.place, [uv](float) { return uv; }),
                      M::BlendedShader(part.picture));
    }
    StageAnimated(staging, ForegroundFolder + "text.mlf", DataBackgroundForeground::TextPanel(),
                  M::BlendedShader(panel));

    // Never drawn: the printer takes its box.
    DataArtFiles::StageBox(staging, M::DataName(ForegroundFolder + "text_area.mlf"), DataLayout::TitleArea);
}

void StagePublisher(DataStaging& staging, const std::string& fontFolder)
{
    M::StageJpeg(staging, PublisherTextures + "publisher_0_logo_big",
                 DataBackgroundArt::PublisherLogo(fontFolder, true), false);
    const M::Picture small = M::StageJpeg(staging, PublisherTextures + "publisher_0_logo_small",
                                          DataBackgroundArt::PublisherLogo(fontFolder, false), true);
    M::StageModel(staging, ForegroundFolder + "logo_additional_0.mlf", DataArtFiles::Quad(PublisherLogoPlace),
                  M::BlendedShader(small));
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
    const M::Picture wordmark = M::StageJpeg(staging, ForegroundTextures + "title",
                                             DataBackgroundArt::Lettering(serif, u"Corvellan", 512, 128), true);
    for (const DataLanguage& language : languages)
    {
        const std::string prefix = ForegroundFolder + "title_" + language.code;
        staging.Write(M::DataName(prefix + ".ini"), TitleListWriter::Build(TitleCount));
        M::StageModel(staging, prefix + "_0.mlf", DataArtFiles::Quad(WordmarkPlace), M::BlendedShader(wordmark));
        const M::Picture subtitle =
            M::StageJpeg(staging, ForegroundTextures + "title_" + language.code + "_1",
                         DataBackgroundArt::Lettering(serif, Subtitle(language), 256, 64), true);
        M::StageModel(staging, prefix + "_1.mlf", DataArtFiles::Quad(SubtitlePlace), M::BlendedShader(subtitle));
    }
}

void StageCursor(DataStaging& staging)
{
    M::StageJpeg(staging, "ui\\cursors\\cursor", DataBackgroundArt::Cursor(), true);
}
} // namespace

ModelFileRecord DataBackgroundForeground::TextPanel()
{
    return M::Morph(
        20, ForegroundSpeed, [](float t) { return M::Moved(TextPanelPlace, 0.0f, -90.0f * M::Settle(t)); },
        [](float) { return DataArtFiles::WholeTexture; });
}

void DataBackgroundForeground::Stage(DataStaging& staging, const std::vector<DataLanguage>& languages,
                                     const std::string& fontFolder)
{
    StageForeground(staging, fontFolder);
    StagePublisher(staging, fontFolder);
    StageTitles(staging, languages, fontFolder);
    StageCursor(staging);
}

} // namespace corvellan::content
