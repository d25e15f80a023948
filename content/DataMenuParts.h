#pragma once

#include "content/DataCanvas.h"
#include "content/DataLayout.h"
#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

class DataStaging;

// The pieces every menu model is made of. Names are data names without
// their extension ("data\ui\menus\models\controls\check_box"); each model
// is staged with its shader file beside it.
class DataMenuParts
{
public:
    static const std::string Models;
    static const std::string Controls;

    // One quad per frame, at 25 frames per second.
    static ModelFileRecord Morph(const std::vector<DataRect>& frames);
    // An appear animation of frames frames that pops the rectangle in from
    // its centre and ends on it exactly.
    static ModelFileRecord PopIn(const DataRect& rect, std::uint32_t frames);
    // A frame that unfolds from a thin strip across its middle to the rectangle.
    static ModelFileRecord Unfold(const DataRect& rect, std::uint32_t frames);

    // A blended shader over texture (a data name, or a name beside the
    // shader), as a net of columns x rows cells of which the first looks
    // are used; one look is a plain picture.
    static ShaderFileRecord Textured(const std::string& texture, std::uint32_t columns = 1, std::uint32_t rows = 1,
                                     std::uint32_t looks = 1);

    static void Put(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                    const ShaderFileRecord& shader);
    // The model with its own picture (name.tga) as a net of looks.
    static void PutPicture(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                           const DataCanvas& picture, std::uint32_t columns = 1, std::uint32_t rows = 1,
                           std::uint32_t looks = 1);
    // The model with a photo-like picture: name.jpg with its opacity in
    // name_alpha.jpg, far smaller than a run-length picture of noise.
    static void PutPhoto(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                         const DataCanvas& picture);
    // A model that only lends its box to a control: never drawn, no texture.
    static void PutBox(DataStaging& staging, const std::string& name, const DataRect& rect);

    // Refuses, naming the file, a menu frame that would leave its menu
    // window invisible or stuck: its alpha is its animation frame / 15, so
    // fewer than 16 frames never show it opaque, and a frame without an
    // appear animation never lets the mini game start.
    static void CheckFrameModel(const std::string& name, const ModelFileRecord& model);
};

} // namespace corvellan::content
