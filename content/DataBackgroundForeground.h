#pragma once

#include "content/ModelFileWriter.h"

#include <string>
#include <vector>

namespace corvellan::content
{

class DataStaging;
struct DataLanguage;

// What the menu background shows in front of its landscape: the frame, the
// maker's and the publisher's logos, the mounts, the text panel and its area,
// each language's titles, and the pointer's picture.
class DataBackgroundForeground
{
public:
    static void Stage(DataStaging& staging, const std::vector<DataLanguage>& languages, const std::string& fontFolder);
    // The text panel rising into place around the text area.
    static ModelFileRecord TextPanel();
};

} // namespace corvellan::content
