#pragma once

#include "engine/render/ShaderStage.h"

#include <cstdint>
#include <string>

// The per-stage arithmetic of shader users and shaders: animation time,
// grid cells, frame file names and the texture file actually present.
namespace OrvaneEngine
{

class FileManager;

// Brings a time past the frame count back into it in one step, showing the
// frame that subtracting the count until it fits would show; a time equal
// to the count stays. Negative times are lifted into [0, count), infinite and
// NaN ones become 0. A count of 0 counts as 1.
float WrapAnimationTime(float time, std::uint32_t frameCount);

// Advances an animated stage by speed x frameTime and sets what is drawn: the
// cell's texture transform for a grid (frame 0 top left, each cell shrunk by
// 1 % so that its neighbours never bleed in), the frame's texture for frame
// files. Counts, columns and rows of 0 count as 1.
void UpdateStageAnimation(ShaderStage& stage, float& time, float frameTime);

// The number of texture slots a stage needs: one per frame for frame files,
// one otherwise.
std::uint32_t GetStageSlotCount(const ShaderStage& stage);

// The file of frame `frame` when name is the file of one frame of slotCount:
// its number, as many digits as slotCount has, is replaced before the
// extension (fire00.jpg of 10 frames gives fire00.jpg to fire09.jpg).
std::string MakeFrameFileName(const std::string& name, std::uint32_t slotCount, std::uint32_t frame);

// The lower-case data path of a stage's texture file. A ".jpg" that is not
// there is looked for as ".jp2", then ".bmp"; when neither is there either the
// ".jpg" name is kept.
std::string FindStageTextureFile(const FileManager& files, const std::string& name);

} // namespace OrvaneEngine
