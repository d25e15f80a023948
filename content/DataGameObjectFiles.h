#pragma once

#include "content/ModelFileWriter.h"
#include "content/ParticleFileWriter.h"

#include <string>

namespace corvellan::content
{

class DataCanvas;
class DataStaging;

// How the game's objects reach the staging folder: a model or a particle
// system always with its shader file of the same name, whose one stage
// names a texture the pack holds.
class DataGameObjectFiles
{
public:
    // "<name>.jpg" and its opacity "<name>_alpha.jpg", name being a data
    // name without extension; returns the texture's name as a shader names
    // it (without the leading "data\").
    static std::string StageTexture(DataStaging& staging, const std::string& name, const DataCanvas& canvas);
    static void StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& record,
                           const std::string& texture);
    static void StageParticles(DataStaging& staging, const std::string& name, const ParticleFileRecord& record,
                               const std::string& texture);
};

} // namespace corvellan::content
