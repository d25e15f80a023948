#pragma once

#include "engine/core/Color.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace OrvaneEngine
{

// One entry of the frame's list: 0 message, 1 warning, 2 error, 3 fatal, and
// the whole text as written, prefixes and newlines included.
struct LogMessage
{
    std::uint32_t level;
    std::string text;
};

// The engine's log: an HTML page on disk (one line, newlines as <BR>) and the
// list of the current frame's entries. Safe to use from several threads: the
// loader thread logs while the main thread does.
class MessageManager
{
public:
    // The page goes to "<folder>\<name or title>.html"; an empty folder means
    // the program's folder, a relative one is taken under it.
    MessageManager(const std::string& title, bool enabled, bool reopen, const std::string& folder,
                   const std::string& name);
    virtual ~MessageManager();
    MessageManager(const MessageManager&) = delete;
    MessageManager& operator=(const MessageManager&) = delete;

    void Message(const std::string& text);
    void Warning(const std::string& text);
    void Error(const std::string& text);
    // Logs the text as the reason the program stops, then throws FatalError with it.
    [[noreturn]] void Fatal(const std::string& text);
    // The same after a refusal of the platform library, whose own reason
    // (from LogPlatformReason) the FatalError carries to the fatal box.
    [[noreturn]] void Fatal(const std::string& text, const std::string& platformReason);
    // Logs the platform library's reason for the refusal just met, when it
    // gave one, as an error line of its own, and returns it.
    std::string LogPlatformReason();
    void Write(std::uint32_t level, const std::string& text);

    // Whether warnings and errors are framed by empty lines.
    MessageManager& SetBlankLines(bool on);

    std::int32_t GetMessageCount() const;
    // A copy, so another thread's entry cannot move it away; index below the count.
    LogMessage GetMessage(std::uint32_t index) const;
    void ClearMessages();

private:
    // Tests read the page's colour texts through it.
    friend class MessageManagerProbe;

    void WriteHtml(const std::string& text);
    void WriteOpeningTag(const Color& color);
    void WriteClosingTag();
    static std::string ColorToHtml(const Color& color);

    std::string title;
    std::string path;
    std::atomic<bool> blankLines{true};
    bool enabled;
    bool reopen;
    std::FILE* file = nullptr;
    std::vector<LogMessage> messages;
    // Keeps the page and the list whole when two threads write at once.
    mutable std::mutex lock;
};

} // namespace OrvaneEngine
