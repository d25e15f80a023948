#pragma once

#include "content/BackgroundLayersWriter.h"
#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"

#include <string>
#include <vector>

namespace corvellan::content
{

class DataStaging;
struct DataLanguage;

// The menu background (its layers, foreground, titles and the unicorn),
// the publisher logo and the custom cursor.
class DataBackground
{
public:
    // The languages give the titles' subtitles; fontFolder holds the DejaVu
    // faces the lettering is set in.
    static void Stage(DataStaging& staging, const std::vector<DataLanguage>& languages, const std::string& fontFolder);
    // A few small real files of the group's formats into <folder>/<target>/.
    static void WriteSeeds(const std::string& folder);

    // The layer list, back to front.
    static const std::vector<BackgroundLayerEntry>& Layers();
    // The text whose translation is each language's subtitle.
    static constexpr const char16_t* SubtitleKey = u"MAIN_MENU_SHOW_PLACE";

    // What the game would stall or fail on; each throws std::runtime_error
    // naming the file.
    // The background builds at least one layer itself: without one the game
    // ends at start-up.
    static void CheckLayers(const std::string& fileName, const std::vector<BackgroundLayerEntry>& layers);
    // The start-up waits for the frame, logo and mount animations to have
    // moved past their first frame, which needs frames and a speed.
    static void CheckAnimated(const std::string& fileName, const ModelFileRecord& model);
    // The ending waits for the unicorn to have played its texture frames.
    static void CheckUnicorn(const std::string& fileName, const ShaderFileRecord& shader);
};

} // namespace corvellan::content
