#include "engine/gui/GUIFont.h"

#include "engine/core/Error.h"
#include "engine/core/LowerCase.h"
#include "engine/core/MessageManager.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"
#include "platform/win32/Locale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace OrvaneEngine
{

namespace
{

constexpr std::uint32_t VerticesPerGlyph = 4;
constexpr std::uint32_t IndicesPerGlyph = 6;
constexpr std::uint32_t BatchVertices = GUIFont::MaxGlyphsPerFrame * VerticesPerGlyph;
constexpr std::uint32_t BatchIndices = GUIFont::MaxGlyphsPerFrame * IndicesPerGlyph;
constexpr char16_t Newline = 10;

bool IsDrawn(char16_t character)
{
    return character != Newline && win32::iswspace(character) == 0;
}

} // namespace

GUIFont::GUIFont(MessageManager* log_, FileManager* files_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                 Camera* guiCamera, const ShaderDescriptor* descriptor, const std::string& fileName)
    : log(log_), files(files_), modelManager(modelManager_), shaderManager(shaderManager_)
{
    model = modelManager->CreateModel(BatchModelFlags, BatchVertices, BatchIndices, 1, descriptor, guiCamera);
    model->SetName("font_model");
    model->depth = LoadedFontDepth;
    indexBuffer = model->GetIndexBuffer();
    vertexBuffer = model->GetVertexBuffer();

    // Every batch draws a prefix of the same quads, so the indices are
    // written once and only their count changes per frame.
    std::vector<std::uint32_t> indices;
    indices.reserve(BatchIndices);
    for (std::uint32_t q = 0; q < MaxGlyphsPerFrame; ++q)
    {
        const std::uint32_t v = q * VerticesPerGlyph;
        indices.insert(indices.end(), {v, v + 1, v + 2, v + 2, v + 1, v + 3});
    }
    indexBuffer->SetIndices(0, BatchIndices, indices.data());
    indexBuffer->SetIndexCount(0);

    try
    {
        ReadFile(fileName);
    }
    catch (const Error& error)
    {
        log->Error(error.GetText());
    }
}

GUIFont::GUIFont(GUIFont* source_)
    : glyphHeight(source_->glyphHeight), spaceRatio(source_->spaceRatio), advanceFactor(source_->advanceFactor),
      fixedPitch(source_->fixedPitch), log(source_->log), files(source_->files),
      modelManager(source_->modelManager), shaderManager(source_->shaderManager), source(source_),
      glyphs(source_->glyphs), widestRatio(source_->widestRatio)
{
    model = modelManager->CloneModel(source->model, nullptr, Model::FlagVisible);
    model->SetFlags(Model::FlagVisible);
    indexBuffer = model->GetIndexBuffer();
    vertexBuffer = model->GetVertexBuffer();
    indexBuffer->SetIndexCount(0);
}

GUIFont::~GUIFont()
{
    if (lockedVertices != nullptr)
        vertexBuffer->Unlock();
    modelManager->ReleaseModel(model);
}

bool GUIFont::HasGlyph(char16_t character) const
{
    return glyphs.count(character) != 0;
}

float GUIFont::GetDepth() const
{
    return model->depth;
}

void GUIFont::SetDepth(float depth)
{
    model->depth = depth;
}

const GUIGlyph* GUIFont::FindGlyph(char16_t character) const
{
    if (character == Newline)
        return nullptr;
    const auto found = glyphs.find(character);
    return found == glyphs.end() ? nullptr : &found->second;
}

GUIFont::Step GUIFont::StepOf(const GUIGlyph* glyph, float height) const
{
    if (glyph == nullptr)
    {
        const float cell = fixedPitch ? widestRatio * advanceFactor : spaceRatio;
        return {0.0f, height * cell, nullptr};
    }
    const float advance = height * glyph->ratio * advanceFactor;
    if (!fixedPitch)
        return {0.0f, advance, glyph};
    const float half = (widestRatio - glyph->ratio) * height * advanceFactor * 0.5f;
    return {half, advance + half, glyph};
}

float GUIFont::BoxRatio(char16_t character, const GUIGlyph* glyph) const
{
    return glyph != nullptr && IsDrawn(character) ? glyph->ratio : spaceRatio;
}

void GUIFont::Corners(const Vector2& pen, float cosine, float sine, float width, float height, Vector2 corners[4])
{
    const Vector2 box[4] = {{0.0f, height}, {0.0f, 0.0f}, {width, height}, {width, 0.0f}};
    for (std::size_t i = 0; i < VerticesPerGlyph; ++i)
    {
        corners[i].x = pen.x + box[i].x * cosine - box[i].y * sine;
        corners[i].y = pen.y + box[i].x * sine + box[i].y * cosine;
    }
}

void GUIFont::MeasureGlyph(const Vector2& pen, float angle, char16_t character, Vector2 corners[4]) const
{
    const float width = glyphHeight * BoxRatio(character, FindGlyph(character));
    Corners(pen, std::cos(angle), std::sin(angle), width, glyphHeight, corners);
}

Vector2 GUIFont::MeasureText(const std::u16string& text, float angle, float height) const
{
    if (text.empty())
        return {0.0f, 0.0f};
    const float h = height < 0.0f ? glyphHeight : height;
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    Vector2 low{10000.0f, 10000.0f};
    Vector2 high{-10000.0f, -10000.0f};
    Vector2 pen{0.0f, 0.0f};
    for (const char16_t character : text)
    {
        const Step step = StepOf(FindGlyph(character), h);
        pen.x += step.before * cosine;
        pen.y += step.before * sine;
        Vector2 corners[4];
        Corners(pen, cosine, sine, h * BoxRatio(character, step.glyph), h, corners);
        for (const Vector2& corner : corners)
        {
            low.x = std::min(low.x, corner.x);
            low.y = std::min(low.y, corner.y);
            high.x = std::max(high.x, corner.x);
            high.y = std::max(high.y, corner.y);
        }
        pen.x += step.after * cosine;
        pen.y += step.after * sine;
    }
    return {high.x - low.x, high.y - low.y};
}

void GUIFont::WriteQuad(const Vector2& pen, float cosine, float sine, std::uint32_t packedColor, const GUIGlyph& glyph)
{
    if (glyphsThisFrame >= MaxGlyphsPerFrame)
        return;
    if (lockedVertices == nullptr)
        lockedVertices = vertexBuffer->LockColoredVertices(0, BatchVertices);

    // The box's two edges from the pen, rotated once: the corners (0, h),
    // (0, 0), (w, h), (w, 0) are sums of them, as Corners computes them.
    const float width = glyphHeight * glyph.ratio;
    const float acrossX = width * cosine;
    const float acrossY = width * sine;
    const float upX = -glyphHeight * sine;
    const float upY = glyphHeight * cosine;
    ColoredVertex* quad = lockedVertices + static_cast<std::size_t>(glyphsThisFrame) * VerticesPerGlyph;
    quad[0].position = Vector3(pen.x + upX, pen.y + upY, 0.0f);
    quad[1].position = Vector3(pen.x, pen.y, 0.0f);
    quad[2].position = Vector3(pen.x + (acrossX + upX), pen.y + (acrossY + upY), 0.0f);
    quad[3].position = Vector3(pen.x + acrossX, pen.y + acrossY, 0.0f);
    const float right = glyph.u + glyph.du;
    const float top = glyph.v + glyph.dv;
    quad[0].u = glyph.u;
    quad[0].v = top;
    quad[1].u = glyph.u;
    quad[1].v = glyph.v;
    quad[2].u = right;
    quad[2].v = top;
    quad[3].u = right;
    quad[3].v = glyph.v;
    for (std::size_t i = 0; i < VerticesPerGlyph; ++i)
        quad[i].color = packedColor;
    ++glyphsThisFrame;
}

void GUIFont::PrintGlyph(const Vector2& pen, float angle, const Color& color, char16_t character)
{
    const GUIGlyph* glyph = FindGlyph(character);
    if (glyph != nullptr && IsDrawn(character))
    {
        WriteQuad(pen, std::cos(angle), std::sin(angle), vertexBuffer->PackColor(color), *glyph);
        indexBuffer->SetIndexCount(glyphsThisFrame * IndicesPerGlyph);
    }
}

void GUIFont::PrintText(const Vector2& origin, float angle, const Color& color, const std::u16string& text)
{
    // A window's text entry may have changed the loaded font's height for
    // this one print.
    if (source != nullptr)
    {
        glyphHeight = source->glyphHeight;
        spaceRatio = source->spaceRatio;
        advanceFactor = source->advanceFactor;
    }
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    const std::uint32_t packed = vertexBuffer->PackColor(color);
    Vector2 pen{0.0f, 0.0f};
    for (const char16_t character : text)
    {
        const Step step = StepOf(FindGlyph(character), glyphHeight);
        pen.x += step.before * cosine;
        pen.y += step.before * sine;
        if (step.glyph != nullptr && IsDrawn(character))
            WriteQuad({origin.x + pen.x, origin.y + pen.y}, cosine, sine, packed, *step.glyph);
        pen.x += step.after * cosine;
        pen.y += step.after * sine;
    }
    if (glyphsThisFrame != 0)
        indexBuffer->SetIndexCount(glyphsThisFrame * IndicesPerGlyph);
}

void GUIFont::AddLowerCaseGlyphs()
{
    std::vector<std::pair<char16_t, GUIGlyph>> copies;
    for (const auto& [character, glyph] : glyphs)
    {
        const char16_t lower = ToLowerUnit(character);
        if (lower != character && glyphs.count(lower) == 0)
            copies.emplace_back(lower, glyph);
    }
    // I and the dotted capital I share their small letter: the first in the map keeps it.
    for (const auto& [lower, glyph] : copies)
        glyphs.emplace(lower, glyph);
}

void GUIFont::EndFrame()
{
    if (glyphsThisFrame == 0)
        indexBuffer->SetIndexCount(0);
    glyphsThisFrame = 0;
    if (lockedVertices != nullptr)
    {
        vertexBuffer->Unlock();
        lockedVertices = nullptr;
    }
}

} // namespace OrvaneEngine
