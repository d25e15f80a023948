#include "game/BoardRules.h"

#include "engine/core/StringFunctions.h"

namespace Mirabel
{

ComboStep NextCombo(std::uint32_t combo, float timeSinceLastPlacement)
{
    if (timeSinceLastPlacement >= 2.8f)
        return ComboStep{1, false, 0};
    const std::uint32_t previous = combo % 5;
    return ComboStep{previous + 1, true, previous};
}

float SnapDistance(bool tipPending)
{
    return tipPending ? -1.0f : 26.0f;
}

std::u16string PlacementText(std::uint32_t points, std::uint32_t combo, const std::u16string& comboText)
{
    std::u16string text = u"+" + OrvaneEngine::UIntToStringW(points, 0);
    if (combo > 1)
    {
        std::u16string line = comboText;
        OrvaneEngine::ReplaceAllNoCaseW(line, u"%COMBO%", OrvaneEngine::UIntToStringW(combo, 0));
        text += u"\n" + line;
    }
    return text;
}

std::vector<std::uint32_t> OpenBlockedPlaces(std::vector<PlaceState>& places)
{
    std::vector<std::uint32_t> opened;
    for (std::size_t i = 0; i < places.size(); ++i)
    {
        if (places[i].state != 1)
            continue;
        bool anyNormal = false;
        bool allFilled = true;
        for (const std::uint32_t n : *places[i].neighbours)
        {
            if (n >= places.size() || places[n].state != 0)
                continue;
            anyNormal = true;
            allFilled = allFilled && places[n].shown;
        }
        if (anyNormal && allFilled)
        {
            places[i].state = 0;
            places[i].shown = false;
            opened.push_back(static_cast<std::uint32_t>(i));
        }
    }
    return opened;
}

std::uint32_t EmptyHandCursorKind(bool tipPending, bool magnetPending)
{
    if (tipPending)
        return CursorTip;
    return magnetPending ? CursorMagnet : CursorNormal;
}

std::uint32_t CarryingCursorKind(std::uint32_t current, bool anyTipHighlight, bool magnetPending)
{
    if (anyTipHighlight)
        current = CursorTip;
    if (magnetPending)
        current = CursorMagnet;
    return current;
}

} // namespace Mirabel
