#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"

#include "engine/core/Error.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/CFile.h"
#include "platform/win32/Folders.h"
#include "platform/win32/LastError.h"
#include "platform/win32/LocalTime.h"

#include <cmath>

namespace OrvaneEngine
{
namespace
{
Color White()
{
    return Color(1.0f, 1.0f, 1.0f, 1.0f);
}

Color Green()
{
    return Color(0.0f, 1.0f, 0.0f, 1.0f);
}

bool IsWhite(const Color& color)
{
    return std::fabs(color.r - 1.0f) <= 0.0001f && std::fabs(color.g - 1.0f) <= 0.0001f &&
           std::fabs(color.b - 1.0f) <= 0.0001f;
}

Color LevelColor(std::uint32_t level)
{
    switch (level)
    {
    case 1:
        return Color(0.5f, 0.5f, 0.5f, 1.0f);
    case 2:
    case 3:
        return Color(1.0f, 0.0f, 0.0f, 1.0f);
    default:
        return White();
    }
}

// The local date and time in the runtime's asctime form, without its newline.
std::string Now()
{
    std::string text = win32::LocalTimeText(win32::time());
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// Two upper-case hexadecimal digits of a channel times 255, truncated.
std::string ChannelToHex(float channel)
{
    static const char digits[] = "0123456789ABCDEF";
    // The page's own colours are in range; anything else is clamped so the
    // conversion cannot overflow and the text stays two digits.
    const float scaled = channel * 255.0f;
    unsigned value = 0;
    if (scaled >= 255.0f)
        value = 255;
    else if (scaled > 0.0f)
        value = static_cast<unsigned>(scaled);
    return {digits[value / 16], digits[value % 16]};
}
} // namespace

MessageManager::MessageManager(const std::string& titleGiven, bool enabledGiven, bool reopenGiven,
                               const std::string& folder, const std::string& name)
    : title(titleGiven), enabled(enabledGiven), reopen(reopenGiven)
{
    path = name.empty() ? title : name;
    if (!enabled)
        return;

    if (folder.empty())
        path = GetExecutableFolder() + "\\" + path + ".html";
    else if (IsAbsolutePath(folder))
        path = folder + "\\" + path + ".html";
    else
        path = GetExecutableFolder() + "\\" + folder + "\\" + path + ".html";

    // On a first start the per-user folder does not exist yet; without it the
    // whole run's log would be lost.
    win32::CreateParentFolders(path);

    file = win32::fopen(path, "wt");
    if (!file)
        return;

    WriteHtml("<HTML>");
    WriteHtml("<HEAD>");
    WriteHtml("<TITLE>" + title + " Log</TITLE>");
    WriteHtml("</HEAD>");
    WriteHtml("<BODY bgcolor=\"" + ColorToHtml(Color(0.0f, 0.0f, 0.0f, 1.0f)) + "\">");
    WriteOpeningTag(White());
    WriteOpeningTag(White());
    WriteHtml("======== ");
    WriteClosingTag();
    WriteOpeningTag(Green());
    WriteHtml(title + " Log: " + Now());
    WriteClosingTag();
    WriteOpeningTag(White());
    WriteHtml(" ========\n\n");
    WriteClosingTag();

    if (reopen)
    {
        win32::fclose(file);
        file = nullptr;
    }
}

MessageManager::~MessageManager()
{
    if (enabled)
    {
        if (reopen)
            file = win32::fopen(path, "at");
        if (file)
        {
            WriteOpeningTag(White());
            WriteHtml("\n======== ");
            WriteClosingTag();
            WriteOpeningTag(Green());
            WriteHtml(title + " Log end: " + Now());
            WriteClosingTag();
            WriteOpeningTag(White());
            WriteHtml(" ========\n");
            WriteClosingTag();
            WriteClosingTag();
            WriteHtml("</BODY>");
            WriteHtml("</HTML>");
            win32::fclose(file);
            file = nullptr;
        }
    }
}

void MessageManager::Message(const std::string& text)
{
    Write(0, blankLines ? text + "\n" : text);
}

void MessageManager::Warning(const std::string& text)
{
    Write(1, blankLines ? "\nWarning: " + text + "!\n\n" : "Warning: " + text + "!\n");
}

void MessageManager::Error(const std::string& text)
{
    Write(2, blankLines ? "\nError: " + text + "!\n\n" : "Error: " + text + "!\n");
}

void MessageManager::Fatal(const std::string& text)
{
    Fatal(text, "");
}

void MessageManager::Fatal(const std::string& text, const std::string& platformReason)
{
    Write(3, "PROGRAM ABORTING: " + text + "\n");
    throw FatalError(text, platformReason);
}

std::string MessageManager::LogPlatformReason()
{
    std::string reason = win32::TakeLastErrorText();
    if (!reason.empty())
        Error(reason);
    return reason;
}

void MessageManager::Write(std::uint32_t level, const std::string& text)
{
    std::lock_guard guard(lock);
    if (enabled)
    {
        const Color color = LevelColor(level);
        if (reopen)
            file = win32::fopen(path, "at");
        if (file)
        {
            if (IsWhite(color))
            {
                WriteHtml(text);
            }
            else
            {
                WriteOpeningTag(color);
                WriteHtml(text);
                WriteClosingTag();
            }
        }
        if (reopen && file)
        {
            win32::fclose(file);
            file = nullptr;
        }
    }
    messages.push_back({level, text});
}

MessageManager& MessageManager::SetBlankLines(bool on)
{
    blankLines = on;
    return *this;
}

std::int32_t MessageManager::GetMessageCount() const
{
    std::lock_guard guard(lock);
    return static_cast<std::int32_t>(messages.size());
}

LogMessage MessageManager::GetMessage(std::uint32_t index) const
{
    std::lock_guard guard(lock);
    return messages[index];
}

void MessageManager::ClearMessages()
{
    std::lock_guard guard(lock);
    messages.clear();
}

void MessageManager::WriteHtml(const std::string& text)
{
    static const char lineBreak[] = "<BR>";
    std::size_t runStart = 0;
    while (runStart <= text.size())
    {
        std::size_t runEnd = text.find('\n', runStart);
        if (runEnd == std::string::npos)
            runEnd = text.size();
        if (runEnd > runStart)
            win32::fwrite(text.data() + runStart, 1, runEnd - runStart, file);
        if (runEnd == text.size())
            break;
        win32::fwrite(lineBreak, 1, sizeof(lineBreak) - 1, file);
        runStart = runEnd + 1;
    }
}

void MessageManager::WriteOpeningTag(const Color& color)
{
    WriteHtml("<FONT color=\"" + ColorToHtml(color) + "\">");
}

void MessageManager::WriteClosingTag()
{
    WriteHtml("</FONT>");
}

std::string MessageManager::ColorToHtml(const Color& color)
{
    return "#" + ChannelToHex(color.r) + ChannelToHex(color.g) + ChannelToHex(color.b);
}

} // namespace OrvaneEngine
