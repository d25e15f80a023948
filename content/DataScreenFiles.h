#pragma once

#include "content/DataLayout.h"
#include "content/ModelFileWriter.h"

#include <string>
#include <vector>

namespace corvellan::content
{

class DataCanvas;
class DataStaging;
struct Point2;

// One textured rectangle of a screen model: where it stands on the virtual
// screen and the part of its texture it shows (u, v up from the picture's
// lower-left corner, as the engine samples it).
struct ScreenQuad
{
    DataRect rect;
    DataRect uv{0.0f, 0.0f, 1.0f, 1.0f};
};

// The files of one screen model under data\ui\menus\models\: the model, its
// shader of the same name, and the pictures the shader names.
class DataScreenFiles
{
public:
    // "data\ui\menus\models\" + name, name being such as "tutorial\mouse.mlf".
    static std::string DataName(const std::string& name);

    // Every quad in one static mesh, faces towards the viewer.
    static ModelFileRecord Quads(const std::vector<ScreenQuad>& quads);
    // The rectangle of that size centred on centre.
    static DataRect Around(const Point2& centre, float width, float height);
    // The part (x0, y0)-(x1, y1) of the canvas, in its pixels from the top
    // left, as texture coordinates.
    static DataRect UvOf(const DataCanvas& canvas, float x0, float y0, float x1, float y1);

    // The model and its shader. texture is the bare name of a picture in the
    // model's folder, or empty for a model whose box is all that is used.
    static void StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& record,
                           const std::string& texture = "", bool withOpacity = false);
    // The canvas as "<name>.jpg", and its alpha as "<name>_alpha.jpg" when
    // withOpacity; name without extension, such as "tutorial\pieces".
    static void StageTexture(DataStaging& staging, const std::string& name, const DataCanvas& canvas,
                             bool withOpacity);
    // A model that is only a box: one untextured quad over the rectangle.
    static void StageArea(DataStaging& staging, const std::string& name, const DataRect& rect);
    // One quad over the rectangle showing the whole canvas, staged beside
    // the model under the model's own name.
    static void StagePicture(DataStaging& staging, const std::string& name, const DataRect& rect,
                             const DataCanvas& canvas, bool withOpacity);
};

} // namespace corvellan::content
