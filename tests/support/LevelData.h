#pragma once

#include "engine/core/Vector2.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::test
{

// The data a level is played with, written under a root folder by the
// content writers: the level's models and effects under data\game_objects,
// an empty menu background list, short sounds for the game's sound table and
// a cut puzzle under data\puzzles\<PuzzleName>.
struct LevelDataOptions
{
    // The completion model as a single frame (no animation to run).
    bool stillCompletion = false;
    // All six path models at one point.
    bool pointTrack = false;
    std::uint32_t columns = 3;
    std::uint32_t rows = 2;
    std::uint32_t blocked = 1;
    std::uint32_t pictureWidth = 150;
    std::uint32_t pictureHeight = 100;
};

class LevelData
{
public:
    static constexpr const char* PuzzleName = "level";
    static constexpr float BoardCorner = 63.0f;

    // The centres of the six path models: about 1100 units beside the board.
    static std::vector<OrvaneEngine::Vector2> TrackPoints();
    // The obstacle's rectangle in GUI units, over a stretch of the track.
    static OrvaneEngine::Vector2 ObstacleMin();
    static OrvaneEngine::Vector2 ObstacleMax();

    // Writes everything under root (an operating-system path); throws
    // std::runtime_error naming the file that could not be written.
    static void Write(const std::string& root, const LevelDataOptions& options);

    // The game's effect sounds of a level: id, file under data\ and looping.
    struct Sound
    {
        std::uint32_t id;
        std::string file;
        bool looping;
    };
    static std::vector<Sound> Sounds();
    // Music track 1 of the level.
    static std::string MusicFile();
};

} // namespace corvellan::test
