#include "engine/core/Console.h"

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Controls.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Vector2.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"

#include <algorithm>

namespace OrvaneEngine
{
namespace
{

constexpr const char* AlphaName = "ui_console_alpha";
constexpr const char* SizeName = "ui_console_size";
constexpr const char* SpeedName = "ui_console_speed";
constexpr const char* KeyName = "ui_console_key";
constexpr const char* SayName = "say";

constexpr float FactoryAlpha = 0.95f;
constexpr float FactorySize = 308.0f;
constexpr float FactorySpeed = 1000.0f;
constexpr std::size_t MaxFillCount = 255;
constexpr std::int32_t InputLength = 255;

constexpr std::uint16_t KeyTab = 9;
constexpr std::uint16_t KeyEnter = 13;
constexpr std::uint16_t KeyEscape = 27;
constexpr std::uint16_t KeyPageUp = 33;
constexpr std::uint16_t KeyPageDown = 34;
constexpr std::uint16_t KeyUp = 38;
constexpr std::uint16_t KeyDown = 40;

const Color White(1.0f, 1.0f, 1.0f, 1.0f);
const Color Grey(0.5f, 0.5f, 0.5f, 1.0f);
const Color Red(1.0f, 0.0f, 0.0f, 1.0f);
const Color Green(0.0f, 1.0f, 0.0f, 1.0f);
const Color Blue(0.0f, 0.0f, 1.0f, 1.0f);

const Color& LevelColor(std::uint32_t level)
{
    if (level == 0)
        return White;
    if (level == 1)
        return Grey;
    return Red;
}

std::u16string Quoted(const std::string& text) { return u"\"" + NarrowToWide(text) + u"\""; }

} // namespace

Console::Console(MessageManager* log_, TimerManager* timers_, Config* config_, Controls* controls_,
                 ShaderManager* shaderManager_, GUIManager* gui_, const std::string& caption,
                 const ShaderDescriptor* windowShader, std::uint32_t fontId_, char16_t caretCharacter,
                 char16_t promptCharacter, char16_t markerCharacter, const std::string& toggleKey_, float alpha_,
                 float size_, float speed_)
    : log(log_), timers(timers_), config(config_), controls(controls_), shaderManager(shaderManager_), gui(gui_),
      fontId(fontId_)
{
    config->RegisterVariable(AlphaName, ConfigVariable::TypeFloat, false, true, &alpha, FloatToString(alpha_, 4),
                             false);
    config->RegisterVariable(SizeName, ConfigVariable::TypeFloat, false, true, &size, FloatToString(size_, 4), false);
    config->RegisterVariable(SpeedName, ConfigVariable::TypeFloat, false, true, &speed, FloatToString(speed_, 4),
                             false);
    config->RegisterVariable(KeyName, ConfigVariable::TypeString, false, true, &toggleKey, toggleKey_, false);
    config->RegisterVariable(SayName, ConfigVariable::TypeString, false, false, &sayText, "", false);
    CheckRanges(alpha_, size_, speed_);

    font = gui->GetFontManager()->GetFont(fontId);
    float height = FallbackRowHeight;
    if (font != nullptr)
        height = font->glyphHeight;
    else
        log->Error("Console: GUI font " + std::to_string(fontId) + " is not loaded; its texts stay empty\n");
    baseOffset = 0.2f * height;
    rowStep = 1.2f * height;

    prompt = std::u16string(1, promptCharacter);

    const float width = gui->GetScreenWidth();
    const float height_ = gui->GetScreenHeight();
    window = gui->CreateTexturedWindow(18, Vector2(0.0f, height_), Vector2(width, height_), windowShader, nullptr,
                                       Vector2(1.0f, 1.0f));
    const float promptWidth = Width(prompt);
    editBox = gui->CreateEditBox(1, Vector2(promptWidth, baseOffset + rowStep), Vector2(0.0f, 0.0f), nullptr,
                                 static_cast<std::int32_t>(fontId), Blue, Vector2(0.0f, 0.0f), InputLength,
                                 4.0f * width, width - promptWidth, caretCharacter, window);

    scroll = 0;
    historyIndex = 0;
    state = StateClosed;

    // Blanks in front push the caption to the right edge of the screen.
    titleRow = NarrowToWide(caption);
    const std::size_t blanks = titleRow.size() < MaxFillCount ? MaxFillCount - titleRow.size() : 0;
    for (std::size_t i = 0; i < blanks; ++i)
    {
        titleRow.insert(titleRow.begin(), u' ');
        if (Width(titleRow) > width)
        {
            titleRow.erase(titleRow.begin());
            break;
        }
    }
    for (std::size_t i = 0; i < MaxFillCount; ++i)
    {
        markerRow.insert(markerRow.begin(), markerCharacter);
        if (Width(markerRow) > width)
        {
            markerRow.erase(markerRow.begin());
            break;
        }
    }
    speaker = u"Quibble";
}

Console::~Console()
{
    gui->ReleaseWindow(window);
    gui->ReleaseEditBox(editBox);
    for (const char* name : {AlphaName, SizeName, SpeedName, KeyName, SayName})
        config->UnbindVariable(name);
}

void Console::CheckRanges(float alphaArgument, float sizeArgument, float speedArgument)
{
    // Written so that NaN fails every test.
    const auto alphaOk = [](float value) { return value > 0.0f && value <= 1.0f; };
    const float screenHeight = gui->GetScreenHeight();
    const auto sizeOk = [screenHeight](float value) { return value > 0.0f && value <= screenHeight; };
    const auto speedOk = [](float value) { return value >= 0.0f; };
    if (!alphaOk(alpha))
        alpha = alphaOk(alphaArgument) ? alphaArgument : FactoryAlpha;
    if (!sizeOk(size))
        size = sizeOk(sizeArgument) ? sizeArgument : std::min(FactorySize, screenHeight);
    if (!speedOk(speed))
        speed = speedOk(speedArgument) ? speedArgument : FactorySpeed;
}

float Console::Width(const std::u16string& text) const
{
    return font != nullptr ? font->MeasureText(text, 0.0f, -1.0f).x : 0.0f;
}

void Console::AddWrappedText(const Color& color, const std::u16string& text)
{
    const float screenWidth = gui->GetScreenWidth();
    const auto length = static_cast<std::int64_t>(text.size());
    std::u16string piece;
    for (std::int64_t i = 0; i < length; ++i)
    {
        piece.push_back(text[static_cast<std::size_t>(i)]);
        if (Width(piece) > screenWidth)
        {
            if (piece.size() > 1)
            {
                // The character that did not fit starts the next piece.
                --i;
                piece.back() = u'\n';
            }
            else
            {
                // Too wide even alone: it gets a row of its own.
                piece.push_back(u'\n');
            }
        }
        if (piece.back() == u'\n' || i == length - 1)
        {
            const bool ends = piece.back() == u'\n';
            const float width = Width(piece);
            lines.push_back(ConsoleLine{color, std::move(piece), ends, width});
            piece.clear();
        }
    }
}

void Console::Update()
{
    for (std::int32_t i = 0; i < log->GetMessageCount(); ++i)
    {
        const LogMessage message = log->GetMessage(static_cast<std::uint32_t>(i));
        AddWrappedText(LevelColor(message.level), NarrowToWide(message.text));
    }

    if (controls->IsKeyPressed(toggleKey))
    {
        if (state == StateClosing || state == StateClosed)
        {
            state = StateOpening;
            window->SetFlags(GUIWindow::FlagShown);
            editBox->SetText(u"");
        }
        else
        {
            state = StateClosing;
            editBox->inputOn = false;
        }
    }

    Slide();
    if (state == StateClosed)
        return;
    if (state == StateOpen)
        window->position = Vector2(0.0f, gui->GetScreenHeight() - size);
    window->SetColor(Color(1.0f, 1.0f, 1.0f, alpha));
    QueueRows();

    std::uint16_t code = 0;
    std::uint8_t isCharacter = 0;
    if (!controls->GetTypedChar(code, isCharacter) || isCharacter != 0)
        return;
    HandleKey(code);
}

void Console::Slide()
{
    const float screenHeight = gui->GetScreenHeight();
    const float step = speed * timers->frameTime;
    float y = window->position.y;
    if (state == StateOpening)
    {
        y -= step;
        if (screenHeight - y > size)
        {
            state = StateOpen;
            y = screenHeight - size;
            editBox->inputOn = true;
        }
    }
    else if (state == StateClosing)
    {
        y += step;
        if (y > screenHeight)
        {
            state = StateClosed;
            y = screenHeight;
            window->ClearFlags(GUIWindow::FlagShown);
            scroll = 0;
        }
    }
    window->position = Vector2(0.0f, y);
}

void Console::QueueRows()
{
    const auto queue = [this](float x, float y, const Color& color, const std::u16string& text) {
        window->AddWideText(0, fontId, Vector2(x, y), color, text, 0.0f, -1.0f);
    };
    float y = baseOffset;
    queue(0.0f, y, White, titleRow);
    y += rowStep;
    queue(0.0f, y, White, prompt);
    y += rowStep;
    if (scroll != 0)
    {
        queue(0.0f, y, White, markerRow);
        y += rowStep;
    }

    const float top = gui->GetScreenHeight() - size;
    std::int32_t skip = scroll;
    std::size_t start = 0;
    for (std::size_t i = lines.size(); i-- > 0;)
    {
        if (!lines[i].endsRow)
            continue;
        if (skip > 0)
            --skip;
        else if (y > top)
        {
            start = i;
            break;
        }
        else
            y += rowStep;
    }
    scroll -= skip;

    float x = 0.0f;
    for (std::size_t i = start; i < lines.size(); ++i)
    {
        const ConsoleLine& line = lines[i];
        queue(x, y, line.color, line.text);
        if (!line.endsRow)
        {
            x += line.width;
            continue;
        }
        x = 0.0f;
        y -= rowStep;
        if (scroll != 0 && y - 0.5f * rowStep < baseOffset + 2.0f * rowStep)
            break;
    }
}

void Console::HandleKey(std::uint16_t code)
{
    switch (code)
    {
    case KeyEnter:
        ExecuteLine();
        break;
    case KeyEscape:
        editBox->SetText(u"");
        break;
    case KeyTab:
        CompleteLine();
        break;
    case KeyUp:
        if (historyIndex > 0)
        {
            --historyIndex;
            ShowHistoryEntry();
        }
        break;
    case KeyDown:
        if (historyIndex < static_cast<std::int32_t>(history.size()))
        {
            ++historyIndex;
            ShowHistoryEntry();
        }
        break;
    case KeyPageUp:
        ++scroll;
        break;
    case KeyPageDown:
        if (scroll > 0)
            --scroll;
        break;
    default:
        break;
    }
}

void Console::ShowHistoryEntry()
{
    const auto index = static_cast<std::size_t>(historyIndex);
    editBox->SetText(index < history.size() ? history[index] : std::u16string());
}

void Console::ExecuteLine()
{
    std::u16string text = editBox->text;
    if (text.empty() || text == u"\\")
        return;
    editBox->SetText(u"");
    std::string name;
    const std::uint32_t result = config->Execute(WideToNarrow(text), &name);
    if (result == Config::ExecuteEmpty)
        return;
    if (text.front() != u'\\')
        text.insert(text.begin(), u'\\');
    history.push_back(text);
    historyIndex = static_cast<std::int32_t>(history.size());
    AddWrappedText(Blue, prompt + text + u"\n");

    const bool say = name == SayName;
    if (result == Config::ExecuteDone && say)
    {
        AddWrappedText(White, speaker + u": \"");
        AddWrappedText(Green, NarrowToWide(config->GetValueText(SayName)));
        AddWrappedText(White, u"\"\n");
    }
    else if (result == Config::ExecuteNoValue && !say)
        AddWrappedText(White, Quoted(name) + u" is " + Quoted(config->GetValueText(name)) + u", default is " +
                                  Quoted(config->GetDefaultText(name)) + u"\n");
    else if (result == Config::ExecuteReadOnly)
        AddWrappedText(White, Quoted(name) + u" is read only\n");
    else if (result == Config::ExecuteUnknown)
        AddWrappedText(White, u"Unknown command " + Quoted(name) + u"\n");
}

void Console::CompleteLine()
{
    std::u16string typed = editBox->text;
    if (typed.empty())
        return;
    StringToLowerW(typed);
    if (typed.front() != u'\\')
        typed.insert(typed.begin(), u'\\');

    std::vector<std::string> names;
    config->GetNames(names);
    std::vector<std::u16string> matches;
    for (const std::string& name : names)
    {
        const std::u16string candidate = u"\\" + NarrowToWide(name);
        if (candidate.compare(0, typed.size(), typed) == 0)
            matches.push_back(candidate);
    }

    if (matches.empty())
    {
        editBox->SetText(typed);
        return;
    }
    if (matches.size() == 1)
    {
        editBox->SetText(matches.front() + u" ");
        return;
    }
    AddWrappedText(Blue, typed + u"\n");
    std::u16string common = matches.front();
    for (const std::u16string& match : matches)
    {
        AddWrappedText(White, u"    " + match + u"\n");
        std::size_t same = 0;
        while (same < common.size() && same < match.size() && common[same] == match[same])
            ++same;
        common.resize(same);
    }
    editBox->SetText(common);
}

} // namespace OrvaneEngine
