#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace win32
{

// Registry values, read only, from plain files: a key is a folder holding a
// "registry.ini" of UTF-8 "name=value" lines. The machine's keys live below
// /etc/xdg, the user's below $XDG_CONFIG_HOME (else ~/.config); a leading
// "SOFTWARE\" of the key path is dropped and its other '\' become '/'.
// Nothing writes these files: the player or the installer does.

// A key handle: one of the roots below, or an opened key. 0 is none.
using HKEY = std::uint32_t;

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

// Value types. The files only hold REG_SZ; the others reach a caller only
// through the test hooks.
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

inline constexpr std::int32_t ERROR_SUCCESS = 0;
inline constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::int32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::int32_t ERROR_MORE_DATA = 234;

// Opens the key subKey below root (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER;
// the other roots hold no keys). The values are read once, here.
// ERROR_FILE_NOT_FOUND when the key's file is missing or unreadable.
std::int32_t RegOpenKeyA(HKEY root, const char* subKey, HKEY* result);

// One value of an opened key; names compare without regard to case. type
// (when not null) receives its type. With data null, *size receives the
// value's size. With data, *size is the buffer's size: a value that fits is
// copied and *size becomes the bytes copied; one that does not gives
// ERROR_MORE_DATA, copies nothing and puts the size it needs in *size.
// reserved is ignored. ERROR_FILE_NOT_FOUND for a value the key lacks.
std::int32_t RegQueryValueExA(HKEY key, const char* valueName, std::uint32_t* reserved, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* size);

// Forgets an opened key. Closing a root does nothing.
std::int32_t RegCloseKey(HKEY key);

namespace detail
{

// The folder of a key below its root: "SOFTWARE\\A\\B" -> "A/B". Nothing
// for a path with an empty, "." or ".." part: a key never leaves its root.
std::optional<std::string> RegistryKeyFolder(const std::string& subKey);

} // namespace detail

} // namespace win32
