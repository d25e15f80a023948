#include "content/DataScreenModels.h"

#include "content/DataScreenFiles.h"
#include "content/DataScreenMap.h"
#include "content/DataScreenPanel.h"
#include "content/DataScreenTutorial.h"
#include "content/DataStaging.h"
#include "content/FuzzSeeds.h"

#include <cmath>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

constexpr float ScreenWidth = 800.0f;
constexpr float ScreenHeight = 600.0f;
constexpr std::uint32_t LeastEffectFrames = 21;

std::string TotemName(std::uint32_t stage)
{
    return DataScreenFiles::DataName("start_game\\totem_" + std::to_string(stage) + ".mlf");
}

std::string Number(float value)
{
    const std::string text = std::to_string(value);
    return text.substr(0, text.find('.') + 2);
}

} // namespace

void DataScreenModels::Stage(DataStaging& staging)
{
    DataScreenPanel::Stage(staging);
    DataScreenTutorial::Stage(staging);
    DataScreenMap::Stage(staging);
}

void DataScreenModels::WriteSeeds(const std::string& folder)
{
    if (!WriteSeed(folder, "image_jpeg", "data_closed_element.jpg", DataScreenTutorial::ClosedElement().Jpeg()))
        throw std::runtime_error(folder + "/image_jpeg/data_closed_element.jpg: cannot write the seed");
}

std::string DataScreenModels::CheckGameCompleteEffect(const std::string& name, const ModelFileRecord& record)
{
    const bool animated = (record.flags & 0x6) != 0;
    const std::uint32_t frames = animated ? record.frameCount : 1;
    if (frames < LeastEffectFrames)
        return name + ": " + std::to_string(frames) + " frames; a game-complete effect needs more than " +
               std::to_string(LeastEffectFrames - 1) + " to reach full opacity";
    return "";
}

std::string DataScreenModels::CheckTotems(const std::vector<DataRect>& boxes, std::uint32_t stageCount)
{
    if (boxes.size() != DataScreenMap::TotemPlaces)
        return TotemName(0) + ": " + std::to_string(boxes.size()) + " totem places, the stage map keeps " +
               std::to_string(DataScreenMap::TotemPlaces);
    if (stageCount > DataScreenMap::TotemPlaces)
        return TotemName(DataScreenMap::TotemPlaces - 1) + ": " + std::to_string(stageCount) +
               " stages, but only " + std::to_string(DataScreenMap::TotemPlaces) + " have a totem";
    for (std::uint32_t s = 0; s < boxes.size(); ++s)
    {
        const DataRect& box = boxes[s];
        const float width = box.right - box.left;
        const float height = box.top - box.bottom;
        if (!(width > 0.0f) || std::fabs(width - height) > 0.01f)
            return TotemName(s) + ": the totem's place is " + Number(width) + " x " + Number(height) +
                   ", not a square";
        const bool inside = box.left >= 0.0f && box.bottom >= 0.0f && box.right <= ScreenWidth &&
                            box.top <= ScreenHeight;
        const bool outside = box.right <= 0.0f || box.top <= 0.0f || box.left >= ScreenWidth ||
                             box.bottom >= ScreenHeight;
        if (s < stageCount && !inside)
            return TotemName(s) + ": stage " + std::to_string(s) + " is played, but its totem is not on the screen";
        if (s >= stageCount && !outside)
            return TotemName(s) + ": no stage " + std::to_string(s) + " is played, but its totem is on the screen";
    }
    return "";
}

} // namespace corvellan::content
