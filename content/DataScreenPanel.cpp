#include "content/DataScreenPanel.h"

#include "content/DataScreenFiles.h"

#include <algorithm>
#include <cmath>

namespace corvellan::content
{

namespace
{

constexpr std::uint32_t SceneCanvas = 1024;

// Negative inside the rectangle.
float BoxDistance(float x, float y, const DataRect& r)
{
    const float dx = std::max(r.left - x, x - r.right);
    const float dy = std::max(r.bottom - y, y - r.top);
    if (dx <= 0.0f && dy <= 0.0f)
        return std::max(dx, dy);
    return std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f));
}

float TrackDistance(float x, float y)
{
    float best = 1e9f;
    for (std::size_t i = 0; i + 1 < DataScreenPanel::Track.size(); ++i)
    {
        const Point2& a = DataScreenPanel::Track[i];
        const Point2& b = DataScreenPanel::Track[i + 1];
        const float dx = b.x - a.x;
        const float dy = b.y - a.y;
        const float t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
        best = std::min(best, std::hypot(x - (a.x + dx * t), y - (a.y + dy * t)));
    }
    return best;
}

float Inside(float signedDistance) { return std::clamp(0.5f - signedDistance, 0.0f, 1.0f); }

// Carved stone with mossy veins, lit from the top left.
Rgba Stone(float x, float y)
{
    const float grain = DataCanvas::Fractal(x / 46.0f, y / 46.0f, 1201);
    const DataCanvas::Cell cell = DataCanvas::Voronoi(x, y, 70.0f, 1202);
    const float joint = std::clamp((cell.second - cell.nearest) / 3.0f, 0.0f, 1.0f);
    const float tone = 0.75f + 0.35f * DataCanvas::Unit(cell.id, 7, 1203);
    Rgba colour = MixColour(ColourOf(0x5B6B58), ColourOf(0x8C8A72), grain);
    colour = {colour.r * tone, colour.g * tone, colour.b * tone, 1.0f};
    return MixColour(ColourOf(0x2E3428), colour, 0.35f + 0.65f * joint);
}

Rgba Darker(const Rgba& colour, float amount)
{
    const float k = 1.0f - std::clamp(amount, 0.0f, 1.0f);
    return {colour.r * k, colour.g * k, colour.b * k, colour.a};
}

DataCanvas MainPanel()
{
    DataCanvas canvas(512, 64, ColourOf(0x3A2C1E));
    canvas.Shade([](float x, float y, const Rgba&) {
        const float grain = DataCanvas::Fractal(x / 60.0f, y / 5.0f, 1211);
        const Rgba wood = MixColour(ColourOf(0x6B4A2B), ColourOf(0x9A6E3F), grain);
        // A bevel: light along the top, shade along the bottom.
        const float edge = std::min(y, 64.0f - y) / 6.0f;
        return Darker(wood, y > 32.0f ? 0.35f * (1.0f - std::min(edge, 1.0f)) : -0.2f * (1.0f - std::min(edge, 1.0f)));
    });
    canvas.FillRoundedBox(3.0f, 3.0f, 509.0f, 61.0f, 8.0f, ColourOf(0xE8C27A, 0.12f));
    for (float x : {10.0f, 502.0f})
        canvas.FillCircle({x, 32.0f}, 3.0f, ColourOf(0xD9B25E));
    return canvas;
}

DataCanvas ValueBox()
{
    DataCanvas canvas(64, 64, ColourOf(0x6B4A2B));
    canvas.FillRoundedBox(2.0f, 2.0f, 62.0f, 62.0f, 8.0f, ColourOf(0x1B1410));
    canvas.FillLinearGradient(4.0f, 4.0f, 60.0f, 60.0f, {0.0f, 4.0f}, {0.0f, 60.0f}, ColourOf(0x000000, 0.5f),
                              ColourOf(0x3A2C1E, 0.2f));
    return canvas;
}

// The level scene: the picture in the bottom-left 800 x 600 of a 1024²
// canvas, opaque but over the board, the groove and the statistics.
DataCanvas Scene()
{
    DataCanvas canvas(SceneCanvas, SceneCanvas);
    const auto top = static_cast<float>(SceneCanvas);
    canvas.Shade([top](float px, float py, const Rgba&) {
        const float x = px;
        const float y = top - py;
        if (x > DataScreenPanel::SceneWidth || y > DataScreenPanel::SceneHeight)
            return Rgba{0.0f, 0.0f, 0.0f, 0.0f};
        const float board = BoxDistance(x, y, DataScreenPanel::Board);
        const float groove = TrackDistance(x, y) - DataScreenPanel::GrooveWidth * 0.5f;
        const float statistics = BoxDistance(x, y, DataScreenPanel::Statistics);

        Rgba colour = Stone(x, y);
        // The board sits in a bevelled frame; the groove has a dark lip.
        if (board > 0.0f && board < 10.0f)
            colour = Darker(colour, 0.45f * (1.0f - board / 10.0f));
        if (groove > -6.0f && groove < 5.0f)
            colour = Darker(colour, 0.5f * (1.0f - std::fabs(groove) / 6.0f));
        if (groove <= -6.0f)
            colour = Darker(ColourOf(0x3B3226), -0.1f);
        float alpha = 1.0f;
        alpha = std::min(alpha, 1.0f - Inside(board));
        alpha = std::min(alpha, 1.0f - (1.0f - DataScreenPanel::GrooveAlpha) * Inside(groove));
        alpha = std::min(alpha, 1.0f - Inside(statistics));
        colour.a = alpha;
        return colour;
    });
    return canvas;
}

} // namespace

void DataScreenPanel::Stage(DataStaging& staging)
{
    const std::string folder = "game_logic\\";
    const DataCanvas scene = Scene();
    DataScreenFiles::StageTexture(staging, folder + "background", scene, true);
    const float u = SceneWidth / static_cast<float>(scene.Width());
    const float v = SceneHeight / static_cast<float>(scene.Height());
    DataScreenFiles::StageModel(staging, folder + "background.mlf",
                                DataScreenFiles::Quads({{{0.0f, 0.0f, SceneWidth, SceneHeight}, {0.0f, 0.0f, u, v}}}),
                                "background", true);

    DataScreenFiles::StagePicture(staging, folder + "main_panel.mlf", DataLayout::PanelStrip, MainPanel(), false);

    // The value boxes share one picture.
    DataScreenFiles::StageTexture(staging, folder + "value_box", ValueBox(), false);
    const auto valueBox = [&](const std::string& name, const DataRect& area) {
        const DataRect box{area.left - 4.0f, area.bottom, area.right + 4.0f, area.top};
        DataScreenFiles::StageModel(staging, folder + name + ".mlf", DataScreenFiles::Quads({{box}}), "value_box");
        DataScreenFiles::StageArea(staging, folder + name + "_text_area.mlf", area);
    };
    valueBox("level_name", DataLayout::PanelLevelValue);
    valueBox("score", DataLayout::PanelScoreValue);
    DataScreenFiles::StageArea(staging, folder + "level_name_title_text_area.mlf", DataLayout::PanelLevelTitle);
    DataScreenFiles::StageArea(staging, folder + "score_title_text_area.mlf", DataLayout::PanelScoreTitle);

    // The buttons' places; the widgets draw them.
    const DataRect& strip = DataLayout::PanelStrip;
    const float middle = (strip.bottom + strip.top) * 0.5f;
    const float left = strip.left + 5.0f;
    DataScreenFiles::StageArea(staging, folder + "menu_button.mlf",
                               {left, middle - MenuButtonHeight * 0.5f, left + MenuButtonWidth,
                                middle + MenuButtonHeight * 0.5f});
    const auto windowButton = [&](std::uint32_t fromRight) {
        const float right = strip.right - 3.0f - static_cast<float>(fromRight) * (WindowButtonSize + 3.0f);
        return DataRect{right - WindowButtonSize, middle - WindowButtonSize * 0.5f, right,
                        middle + WindowButtonSize * 0.5f};
    };
    DataScreenFiles::StageArea(staging, folder + "close_button.mlf", windowButton(0));
    // One of the two mode boxes shows at a time, in the same place.
    DataScreenFiles::StageArea(staging, folder + "maximize_window_button.mlf", windowButton(1));
    DataScreenFiles::StageArea(staging, folder + "maximize_fullscreen_button.mlf", windowButton(1));
    DataScreenFiles::StageArea(staging, folder + "minimize_button.mlf", windowButton(2));
}

} // namespace corvellan::content
