#pragma once

#include <string>
#include <vector>

namespace corvellan::content
{

// What a reader is to make of a hostile file.
enum class HostileOutcome
{
    Incorrect,   // "Incorrect \"<path>\" file format"
    Unsupported, // "Unsupported \"<path>\" file format"
    Loads        // a sound picture
};

struct HostileImage
{
    std::string name; // file name, with its extension
    std::string bytes;
    HostileOutcome outcome;
};

// Damaged, cut and oversized BMP, TGA and JPEG files, each with the outcome
// the readers owe it.
std::vector<HostileImage> HostileImageFiles();

} // namespace corvellan::content
