#include "game/menus/GUIGameLogicText.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"

#include <algorithm>

namespace Mirabel
{

GUIGameLogicText::GUIGameLogicText(OrvaneEngine::Engine* engine, const OrvaneEngine::Vector2& position,
                                   const std::u16string& text, OrvaneEngine::GUIWindow* window)
    : timerManager(engine->timerManager.get()),
      fontManager(engine->guiManager->GetFontManager()),
      position(position),
      window(window)
{
    std::u16string line;
    for (const char16_t character : text)
    {
        if (character == u'\n')
        {
            lines.push_back(line);
            line.clear();
        }
        else
        {
            line.push_back(character);
        }
    }
    if (!text.empty() && text.back() != u'\n')
        lines.push_back(line);
}

GUIGameLogicText::~GUIGameLogicText() = default;

void GUIGameLogicText::Update()
{
    time += timerManager->frameTime;
    const float growth = std::min(time, GrowTime) / GrowTime;
    const float height = FullHeight * growth;
    float alpha = growth;
    float rise = 0.0f;
    if (time > GrowTime)
        rise = RiseSpeed * (time - GrowTime);
    if (time > FadeStart)
        alpha = 1.0f - std::min(time - FadeStart, FadeTime) / FadeTime;
    if (time > LifeTime)
        alive = false;

    // Without its font the text only ages, so that it still goes on time.
    const OrvaneEngine::GUIFont* font = fontManager->GetFont(FontId);
    if (!font)
        return;
    const OrvaneEngine::Color color(1.0f, 1.0f, 1.0f, alpha);
    const float count = static_cast<float>(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        const float width = font->MeasureText(lines[i], 0.0f, height).x;
        const float below = count - static_cast<float>(i) - 1.0f;
        const OrvaneEngine::Vector2 origin(position.x - width / 2.0f,
                                           position.y + rise - height * count / 2.0f + below * height);
        window->AddWideText(0, FontId, origin, color, lines[i], 0.0f, height);
    }
}

} // namespace Mirabel
