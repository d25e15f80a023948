#pragma once

#include <array>
#include <string>

namespace corvellan::test
{

// A small data set for the real game, written below a root folder with the
// content writers: the test game's fonts and two texts; two stages of one
// level each, with their stage map; a background layer list of three layers
// (one built by the background, one without and one with a particle system)
// and one title; the six path
// quads; a few other models, the rest left out so the box stands in; two
// particle systems; one WAV on disk, one WAV only in "data\pack0.pak" and
// one Ogg, every other sound missing. The pack also makes the folder the root.
class GameDataSet
{
public:
    // Path model i is the square of side 2 around (PathCentreX(i), PathCentreY).
    static float PathCentreX(unsigned index) { return 10.0f * static_cast<float>(index) + 1.0f; }
    static constexpr float PathCentreY = -3.0f;

    // False when a file could not be written.
    static bool Write(const std::string& root);
    // Writes a file below root (an operating-system relative path), replacing what was there.
    static bool WriteFile(const std::string& root, const std::string& relative, const std::string& bytes);
};

} // namespace corvellan::test
