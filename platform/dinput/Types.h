#pragma once

// The values the input code passes to and gets back from the devices: result
// codes, identifiers, data formats, properties and records. The values are
// this stand-in's own; callers only compare against the names.

#include "platform/win32/ComTypes.h"

#include <cstdint>

namespace dinput
{

using win32::FAILED;
using win32::GUID;
using win32::HRESULT;
using win32::SUCCEEDED;

inline constexpr HRESULT DI_OK = 0;
// A success: the read gave what the buffer still held, but events were lost.
inline constexpr HRESULT DI_BUFFEROVERFLOW = 1;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT DIERR_INPUTLOST = static_cast<HRESULT>(0x8007001Eu);
inline constexpr HRESULT DIERR_NOTACQUIRED = static_cast<HRESULT>(0x8007000Cu);
inline constexpr HRESULT DIERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT DIERR_NOTINITIALIZED = static_cast<HRESULT>(0x80070015u);
inline constexpr HRESULT DIERR_NOTBUFFERED = static_cast<HRESULT>(0x80040207u);
inline constexpr HRESULT DIERR_DEVICENOTREG = static_cast<HRESULT>(0x80040154u);
inline constexpr HRESULT DIERR_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT DIERR_ACQUIRED = static_cast<HRESULT>(0x800700AAu);
inline constexpr HRESULT DIERR_GENERIC = static_cast<HRESULT>(0x80004005u);

inline constexpr std::uint32_t DIRECTINPUT_VERSION = 0x0700;

inline constexpr GUID IID_IDirectInput7A{0x64690001, 0x6e70, 0x7574, {'i', 'n', 'p', 'u', 't', '7', 'a', 0}};
inline constexpr GUID IID_IDirectInputDevice7A{0x64690002, 0x6576, 0x6963, {'d', 'e', 'v', 'i', 'c', 'e', '7', 'a'}};
inline constexpr GUID GUID_SysKeyboard{0x64690010, 0x6b65, 0x7962, {'k', 'e', 'y', 'b', 'o', 'a', 'r', 'd'}};
inline constexpr GUID GUID_SysMouse{0x64690011, 0x6d6f, 0x7573, {'m', 'o', 'u', 's', 'e', 0, 0, 0}};

// How a device's state is laid out: its size in bytes names it.
struct DIDATAFORMAT
{
    std::uint32_t dwSize;     // sizeof(DIDATAFORMAT)
    std::uint32_t dwDataSize; // bytes of the device state
};

// The standard keyboard: 256 bytes by key code, non-zero while down.
extern const DIDATAFORMAT c_dfDIKeyboard;
// The extended mouse: DIMOUSESTATE2.
extern const DIDATAFORMAT c_dfDIMouse2;

struct DIMOUSESTATE2
{
    std::int32_t lX;
    std::int32_t lY;
    std::int32_t lZ;
    std::uint8_t rgbButtons[8];
};

// Offsets of the mouse's buffered events: the axes, then buttons 0 to 7.
inline constexpr std::uint32_t DIMOFS_X = 0;
inline constexpr std::uint32_t DIMOFS_Y = 4;
inline constexpr std::uint32_t DIMOFS_Z = 8;
inline constexpr std::uint32_t DIMOFS_BUTTON0 = 12;

// Cooperative levels.
inline constexpr std::uint32_t DISCL_EXCLUSIVE = 0x01;
inline constexpr std::uint32_t DISCL_NONEXCLUSIVE = 0x02;
inline constexpr std::uint32_t DISCL_FOREGROUND = 0x04;
inline constexpr std::uint32_t DISCL_BACKGROUND = 0x08;

// Properties: which one, and for what part of the device.
enum class DIPROP : std::uint32_t
{
    BUFFERSIZE = 1
};
inline constexpr DIPROP DIPROP_BUFFERSIZE = DIPROP::BUFFERSIZE;
inline constexpr std::uint32_t DIPH_DEVICE = 0;

struct DIPROPHEADER
{
    std::uint32_t dwSize;       // of the whole property record
    std::uint32_t dwHeaderSize; // sizeof(DIPROPHEADER)
    std::uint32_t dwObj;        // 0 with DIPH_DEVICE
    std::uint32_t dwHow;        // DIPH_DEVICE
};

struct DIPROPDWORD
{
    DIPROPHEADER diph;
    std::uint32_t dwData;
};

// One buffered event: 16 bytes.
struct DIDEVICEOBJECTDATA
{
    std::uint32_t dwOfs;
    std::uint32_t dwData;
    std::uint32_t dwTimeStamp;
    std::uint32_t dwSequence;
};
static_assert(sizeof(DIDEVICEOBJECTDATA) == 16);
static_assert(sizeof(DIMOUSESTATE2) == 20);

} // namespace dinput
