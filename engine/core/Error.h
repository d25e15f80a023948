#pragma once

#include <string>

namespace OrvaneEngine
{

// The program's exceptions: a text for the log or the message box. Not
// derived from the standard exceptions, so catch handlers name them explicitly.
class Error
{
public:
    explicit Error(const std::string& text);
    virtual ~Error();
    Error(const Error&) = default;
    Error& operator=(const Error&) = default;
    Error(Error&&) = default;
    Error& operator=(Error&&) = default;

    const std::string& GetText() const { return text; }

private:
    std::string text;
};

// A missing or bad file; most callers log it and go on.
class FileError : public Error
{
public:
    explicit FileError(const std::string& text) : Error(text) {}
};

// Thrown by MessageManager::Fatal only; ends the program in the top-level handler.
class FatalError : public Error
{
public:
    explicit FatalError(const std::string& text, const std::string& reasonGiven = "")
        : Error(text), reason(reasonGiven)
    {
    }

    // What the platform library said when it refused; empty when it said nothing.
    const std::string& GetReason() const { return reason; }

private:
    std::string reason;
};

} // namespace OrvaneEngine
