#pragma once

namespace OrvaneEngine
{

// One character's rectangle on a font's texture. Texture coordinates are in
// the texture's 0..1 space with v growing upwards: the glyph's bottom edge
// uses v, its top edge v + dv. A glyph drawn h units high is h × ratio wide.
struct GUIGlyph
{
    float u = 0.0f;
    float v = 0.0f;
    float du = 0.0f;
    float dv = 0.0f;
    float ratio = 0.0f;
};

} // namespace OrvaneEngine
