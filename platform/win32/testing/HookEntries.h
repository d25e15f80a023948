#pragma once

// The hook library's answers behind the stand-in's hook table, one group per
// testing source; HookInstaller.cpp puts them in place.

#include "platform/win32/HookTable.h"

namespace win32::testing::entries
{

using detail::FileCall;
using detail::GdiCall;
using detail::RegistryCall;
using detail::RegistryValue;
using detail::WindowCall;

bool IsRefused(WindowCall call);
bool TakeGdiFailure(GdiCall call);
bool FixedTickCount(std::uint32_t& milliseconds);
bool FakeMilliseconds(std::uint32_t& now);
bool TimerCapsFail();
void RecordTimerPeriod(bool begin, std::uint32_t period);
bool FakeCounter(std::int64_t& now);
bool RecordSleep(std::uint32_t milliseconds);
bool FixedTime(std::time_t& now);
bool InjectedDesktopMode(DesktopMode& mode);
bool ModuleFileName(std::string& name);
bool RecordDelete(const std::string& systemPath);
bool RecordShellExecute(const std::string& verb, const std::string& file, std::int32_t show);
void FileOpened(std::FILE* file, const std::string& systemPath);
void FileClosed(std::FILE* file);
std::optional<std::size_t> TripFileCall(FileCall call, std::FILE* file, const std::string& renamedPath);
void QueueEmpty();
bool KeyboardLayout(std::uint32_t& layout);
bool ActivateKeyboardLayout(std::uint32_t layout, std::uint32_t flags, std::uint32_t& previous);
bool LoadKeyboardLayout(const std::string& layoutId, std::uint32_t flags, std::uint32_t& loaded);
void UnloadKeyboardLayout(std::uint32_t layout);
bool RegistryMachineRoot(std::string& folder);
bool RegistryInjectedValue(std::uint32_t root, const std::string& keyPath, const std::string& name, RegistryValue& value);
bool RegistryKeyInjected(std::uint32_t root, const std::string& keyPath);
bool RegistryCallFails(RegistryCall call, std::int32_t& error);
void RegistryKeyOpened(bool opened);
void RegistryValueQueried(const std::string& name);
bool RecordMessageBox(const std::string& text, const std::string& caption, std::uint32_t type);
bool IsThreadRefused();
void ThreadLifetime(bool started);

} // namespace win32::testing::entries
