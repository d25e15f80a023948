#pragma once

#include <string>

// The seed corpora of the fuzz targets. Each target has one function that
// writes its seeds into <folder>/<target>/ (making that folder) and returns
// false when a file could not be written.
namespace corvellan::content
{

// Writes bytes to <folder>/<target>/<name>, making the folders on the way.
bool WriteSeed(const std::string& folder, const std::string& target, const std::string& name,
               const std::string& bytes);

// pack_file: an empty pack, three entries, a duplicate name, a size-0 entry.
bool WritePackFileSeeds(const std::string& folder);

// text_file: one file per byte-order mark, a mix of line ends, comments, an ini.
bool WriteTextFileSeeds(const std::string& folder);

// image_bmp, image_tga, image_jpeg: the files the engine writes, the variants
// it never writes, and every hostile image file.
bool WriteImageSeeds(const std::string& folder);

// shader_file: no stage, one stage of each animation type, two stages, names
// with and without folders.
bool WriteShaderFileSeeds(const std::string& folder);

// sound_wav, sound_ogg: plain and odd WAV files (extra, odd-sized and huge
// chunks, a data size beyond the file, truncation) and short Ogg Vorbis files.
bool WriteSoundSeeds(const std::string& folder);

// model_file: static (list and strip), box, morph, skinned in both versions,
// no bones, no vertex data, u32 indices.
bool WriteModelFileSeeds(const std::string& folder);

// particle_file: versions 203 and 204, each emitter kind, stepped bursts in
// x and y without gravity, bouncing on the floor.
bool WriteParticleFileSeeds(const std::string& folder);

// versioned_file: a sound header of each format, one cut short, one with a
// wrong size.
bool WriteVersionedFileSeeds(const std::string& folder);

// xml_resource_list: a list with nested loops, models and shaders in UTF-8
// and UTF-16, and one document per syntax error.
bool WriteXmlResourceListSeeds(const std::string& folder);

// font_file: a box font with capitals, Czech and Cyrillic letters and a
// defined space, no glyph, duplicate characters, version 200, the size field
// one byte over and one byte under, and the ASCII set rasterised from the
// TrueType face at ttfPath (left out when no face is given).
bool WriteFontFileSeeds(const std::string& folder, const std::string& ttfPath = {});

// fonts_list: two fonts, count 0, a list cut short, a count of 4,000,000,000,
// a font file that is missing, and the add-lower-case and fixed-pitch flags.
// The lists name "ui\fonts\box.fnt" and "ui\fonts\atlas.tga", which the
// target writes itself.
bool WriteFontsListSeeds(const std::string& folder);

// profile_files: a game profile, a profile list and a high-score table, each
// whole and cut short.
bool WriteProfileFilesSeeds(const std::string& folder);

// level_lists: the game's stage list and a level list, plain, with a
// byte-order mark and cut short, and a stage count of 4,000,000,000.
bool WriteLevelListsSeeds(const std::string& folder);

// background_layers: no layer, layers with and without particle systems and
// built by the background, a negative count, a huge count, a list cut short
// and a comment between the values.
bool WriteBackgroundLayersSeeds(const std::string& folder);

// puzzle_file: puzzles cut from a 64 x 32 picture (one piece, blocked
// pieces, long runs, edge ramps) and each kind of damage the reader rejects:
// framing, counts, lengths, sizes, rectangles, values and coded streams.
bool WritePuzzleFileSeeds(const std::string& folder);

} // namespace corvellan::content
