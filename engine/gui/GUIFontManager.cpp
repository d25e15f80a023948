#include "engine/gui/GUIFontManager.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIWindow.h"

#include <algorithm>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint32_t AlignCentreX = 1;
constexpr std::uint32_t AlignCentreY = 2;
constexpr std::uint32_t AlignLeft = 4;
constexpr std::uint32_t AlignRight = 8;
constexpr std::uint32_t AlignTop = 16;
constexpr std::uint32_t AlignBottom = 32;

} // namespace

GUIFontManager::GUIFontManager(MessageManager* log_, FileManager* files_, ShaderManager* shaderManager_,
                               ModelManager* modelManager_, Camera* guiCamera_)
    : log(log_), files(files_), shaderManager(shaderManager_), modelManager(modelManager_), guiCamera(guiCamera_)
{
}

GUIFontManager::~GUIFontManager()
{
    // Instances point to their loaded fonts.
    instances.clear();
    fonts.clear();
}

GUIFont* GUIFontManager::CreateFont(std::uint32_t id, const ShaderDescriptor* descriptor, const std::string& fileName)
{
    auto font = std::make_unique<GUIFont>(log, files, shaderManager, modelManager, guiCamera, descriptor, fileName);
    const auto found = fonts.find(id);
    if (found != fonts.end())
    {
        // Instances refer to the loaded font, so it is never replaced.
        log->Error("GUIFontManager::CreateFont: font " + UIntToString(id, 0) + " is already loaded, \"" + fileName +
                   "\" is not used");
        return found->second.get();
    }
    GUIFont* created = font.get();
    fonts.emplace(id, std::move(font));
    return created;
}

GUIFont* GUIFontManager::GetFont(std::uint32_t id) const
{
    const auto found = fonts.find(id);
    return found != fonts.end() ? found->second.get() : nullptr;
}

GUIFont* GUIFontManager::GetFontInstance(std::uint32_t id, const GUIWindow* window)
{
    GUIFont* font = GetFont(id);
    if (font == nullptr)
        return nullptr;
    const float depth = window->depth - TextDepthOffset;
    for (const auto& instance : instances)
    {
        if (instance->GetSource() == font && std::fabs(instance->GetDepth() - depth) <= DepthTolerance)
            return instance.get();
    }
    instances.push_back(std::make_unique<GUIFont>(font));
    instances.back()->SetDepth(depth);
    return instances.back().get();
}

Vector2 GUIFontManager::AlignText(std::uint32_t alignment, std::uint32_t fontId, const GUIWindow* window,
                                  const Vector2& position, float angle, const std::u16string& text) const
{
    const GUIFont* font = GetFont(fontId);
    if (font == nullptr)
        return Vector2(0.0f, 0.0f);
    Vector2 base = window->GetAbsolutePosition();
    Vector2 extent = window->size;
    if (window->textArea)
    {
        base += window->textAreaOrigin;
        extent = window->textAreaSize;
    }
    // Measured on the loaded font, whose height a text entry may override.
    const Vector2 measured = font->MeasureText(text, angle);
    const float w = measured.x;
    const float h = measured.y;
    const float backX = std::cos(angle) < 0.0f ? w : 0.0f;
    const float backY = std::sin(angle) < 0.0f ? h : 0.0f;

    Vector2 origin(0.0f, 0.0f);
    if ((alignment & AlignCentreX) != 0)
        origin.x = base.x + (extent.x - w) * 0.5f + backX;
    else if ((alignment & AlignLeft) != 0)
        origin.x = base.x + backX;
    else if ((alignment & AlignRight) != 0)
        origin.x = base.x + extent.x - w + backX;
    else
        origin.x = base.x + position.x;

    if ((alignment & AlignCentreY) != 0)
        origin.y = base.y + (extent.y - h) * 0.5f + backY;
    else if ((alignment & AlignTop) != 0)
        origin.y = base.y + extent.y - h + backY;
    else if ((alignment & AlignBottom) != 0)
        origin.y = base.y + backY;
    else
        origin.y = base.y + position.y;
    return origin;
}

void GUIFontManager::PrintText(std::uint32_t alignment, std::uint32_t fontId, float angle, const GUIWindow* window,
                               const Vector2& position, const Color& color, const std::u16string& text)
{
    if (!window->visible)
        return;
    GUIFont* instance = GetFontInstance(fontId, window);
    if (instance == nullptr)
        return;
    const Vector2 origin = AlignText(alignment, fontId, window, position, angle, text);
    instance->PrintText(origin, angle, color, text);
}

void GUIFontManager::EndFrame()
{
    instances.erase(std::remove_if(instances.begin(), instances.end(),
                                   [](const std::unique_ptr<GUIFont>& instance) {
                                       return instance->GetGlyphsThisFrame() == 0;
                                   }),
                    instances.end());
    for (const auto& font : fonts)
        font.second->EndFrame();
    for (const auto& instance : instances)
        instance->EndFrame();
}

} // namespace OrvaneEngine
