#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"
#include "engine/gui/GUIGlyph.h"

#include <cstdint>
#include <map>
#include <string>

namespace OrvaneEngine
{

class Camera;
class FileManager;
struct ColoredVertex;
class IndexBuffer;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class VertexBuffer;

// A bitmap font read from an "OVFNT" file, and the per-depth batch that
// prints it. A loaded font keeps the glyphs and never draws; its instances
// (one per depth in use) copy it and collect the quads of one frame in their
// batch model, which the model manager draws sorted by depth.
class GUIFont
{
public:
    static constexpr std::uint32_t FileVersion = 201;
    static constexpr std::uint32_t MaxGlyphsPerFrame = 1024;
    static constexpr std::uint32_t BatchModelFlags = 0x248C29;
    static constexpr float LoadedFontDepth = -9.0f;

    // Loads the font. A file error of any kind is logged; the font then has
    // the glyphs read before it (none when the header was wrong).
    GUIFont(MessageManager* log, FileManager* files, ShaderManager* shaderManager, ModelManager* modelManager,
            Camera* guiCamera, const ShaderDescriptor* descriptor, const std::string& fileName);
    // A batch instance of a loaded font: same glyphs and measures, a visible
    // copy of its model, nothing printed yet.
    explicit GUIFont(GUIFont* source);
    virtual ~GUIFont();
    GUIFont(const GUIFont&) = delete;
    GUIFont& operator=(const GUIFont&) = delete;

    bool HasGlyph(char16_t character) const;
    float GetDepth() const;
    void SetDepth(float depth);

    // The four corners (0, h), (0, 0), (w, h), (w, 0) of the character's box,
    // rotated by the angle and moved to the pen.
    void MeasureGlyph(const Vector2& pen, float angle, char16_t character, Vector2 corners[4]) const;
    // The axis-aligned size of the text as printed; a negative height means
    // the font's own glyph height.
    Vector2 MeasureText(const std::u16string& text, float angle, float height = -1.0f) const;
    void PrintGlyph(const Vector2& pen, float angle, const Color& color, char16_t character);
    void PrintText(const Vector2& origin, float angle, const Color& color, const std::u16string& text);
    // Capitals-only fonts print lower-case text with their capitals.
    void AddLowerCaseGlyphs();
    // Closes the frame's batch: unlocks the vertices and starts again at
    // glyph 0; with nothing printed, the model draws nothing.
    void EndFrame();

    GUIFont* GetSource() const { return source; }
    Model* GetModel() const { return model; }
    const std::map<char16_t, GUIGlyph>& GetGlyphs() const { return glyphs; }
    float GetWidestRatio() const { return widestRatio; }
    std::uint32_t GetGlyphsThisFrame() const { return glyphsThisFrame; }

    // Set by whoever loads the font (the fonts list); instances copy the
    // first three from their source at every print.
    float glyphHeight = 1.0f;
    float spaceRatio = 1.0f;
    float advanceFactor = 1.0f;
    bool fixedPitch = false;

private:
    // How the pen moves around one character: by before ahead of its box and
    // by after behind it; glyph is null when nothing of it is drawn from the
    // atlas (no record, or a newline).
    struct Step
    {
        float before;
        float after;
        const GUIGlyph* glyph;
    };

    // Reads the "OVFNT" file into the glyph map; throws FileError.
    void ReadFile(const std::string& fileName);
    // Null for a newline and for a character without record.
    const GUIGlyph* FindGlyph(char16_t character) const;
    Step StepOf(const GUIGlyph* glyph, float height) const;
    // The ratio of the character's measured box: the space ratio unless it
    // has a glyph that is drawn.
    float BoxRatio(char16_t character, const GUIGlyph* glyph) const;
    // The box width × height at the pen, turned by the angle's cosine and sine.
    static void Corners(const Vector2& pen, float cosine, float sine, float width, float height, Vector2 corners[4]);
    // Appends the glyph's quad to the batch unless the batch is full; the
    // caller then sets the number of indices to draw, once per text rather
    // than once per glyph.
    void WriteQuad(const Vector2& pen, float cosine, float sine, std::uint32_t packedColor, const GUIGlyph& glyph);

    MessageManager* log;
    FileManager* files;
    ModelManager* modelManager;
    ShaderManager* shaderManager;
    GUIFont* source = nullptr;
    std::map<char16_t, GUIGlyph> glyphs;
    Model* model = nullptr;
    IndexBuffer* indexBuffer = nullptr;
    VertexBuffer* vertexBuffer = nullptr;
    ColoredVertex* lockedVertices = nullptr;
    float widestRatio = 0.0f;
    std::uint32_t glyphsThisFrame = 0;
};

} // namespace OrvaneEngine
