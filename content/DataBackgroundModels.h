#pragma once

#include "content/DataLayout.h"
#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"

#include <cstdint>
#include <functional>
#include <string>

namespace corvellan::content
{

class DataCanvas;
class DataStaging;

// The quads and pictures the menu background is made of: rectangles on the
// 800 x 600 screen (y up), their appear and drift animations as morph
// frames, and the staging of each model beside its shader and textures.
// Names are given as the game gives them, without the leading "data\".
class DataBackgroundModels
{
public:
    static constexpr DataRect Screen{0.0f, 0.0f, 800.0f, 600.0f};
    // A staged picture's names as the shaders give them; no opacity name
    // for a picture without one.
    struct Picture
    {
        std::string diffuse;
        std::string opacity;
    };

    // frames quads, frame f made by place(t) and uv(t) with t = f / (frames - 1).
    static ModelFileRecord Morph(std::uint32_t frames, float speed, const std::function<DataRect(float)>& place,
                                 const std::function<DataRect(float)>& uv);
    // The rectangle moved.
    static DataRect Moved(const DataRect& r, float dx, float dy);
    // 1 at t = 0 falling to 0 at t = 1: fast at first, settling into place.
    static float Settle(float t);

    // One stage of the picture, alpha-blended.
    static ShaderFileRecord BlendedShader(const Picture& picture);
    // The name in the pack of a name as the game gives it.
    static std::string DataName(const std::string& name);
    // Stages <base>.jpg and, with alpha, <base>_alpha.jpg.
    static Picture StageJpeg(DataStaging& staging, const std::string& base, const DataCanvas& canvas, bool alpha);
    // The model and its shader beside it.
    static void StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                           const ShaderFileRecord& shader);
};

} // namespace corvellan::content
