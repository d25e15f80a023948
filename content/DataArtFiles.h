#pragma once

#include "content/DataLayout.h"
#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"

#include <cstdint>
#include <string>

namespace corvellan::content
{

class DataCanvas;
class DataStaging;

// What every group of the game's art is staged with: textured quads, the
// shader beside each model, and pictures as JPEG with their opacity. Names
// are data names ("data\...") unless said otherwise.
class DataArtFiles
{
public:
    // Address modes of a shader stage, as the engine reads them.
    static constexpr std::uint32_t AddressClamp = 0;
    static constexpr std::uint32_t AddressWrap = 1;
    static constexpr DataRect WholeTexture{0.0f, 0.0f, 1.0f, 1.0f};
    // Where the menus' and the play screens' models are staged.
    static constexpr const char* MenuModels = "data\\ui\\menus\\models\\";

    // The rectangle at depth z facing the viewer, its corners taking the
    // corners of the texture box uv (v up, as the rectangle's y).
    static ModelFileRecord Quad(const DataRect& place, const DataRect& uv = WholeTexture, float z = 0.0f);

    // The rectangle scaled about its centre.
    static DataRect Scaled(const DataRect& r, float sx, float sy);
    // How far frame is through an animation of frames frames: 0 at the
    // first, 1 at the last (and for a single frame).
    static float Progress(std::uint32_t frame, std::uint32_t frames);

    // The name without its extension, and the last part of a path.
    static std::string Stem(const std::string& name);
    static std::string Leaf(const std::string& name);

    // One alpha-blended stage over diffuse, its opacity in opacity (none
    // when empty).
    static ShaderFileRecord BlendedShader(const std::string& diffuse, const std::string& opacity,
                                          std::uint32_t address = AddressWrap);

    // "<base>.jpg" and, withOpacity, "<base>_alpha.jpg".
    static void StageJpeg(DataStaging& staging, const std::string& base, const DataCanvas& canvas, bool withOpacity);
    // The file's bytes under name and the shader beside it, "<stem>.srf".
    static void StageWithShader(DataStaging& staging, const std::string& name, const std::string& bytes,
                                const ShaderFileRecord& shader);
    static void StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                           const ShaderFileRecord& shader);
    // A model that only lends its box: one quad over the rectangle, an
    // empty shader.
    static void StageBox(DataStaging& staging, const std::string& name, const DataRect& rect);
};

} // namespace corvellan::content
