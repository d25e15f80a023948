#pragma once

// The values the sound code passes to and gets back from the device: result
// codes, capability and status bits, and the two descriptions it fills in.

#include "platform/win32/ComTypes.h"

#include <cstdint>

namespace dsound
{

using win32::FAILED;
using win32::GUID;
using win32::HRESULT;
using win32::SUCCEEDED;

inline constexpr HRESULT DS_OK = 0;

// The failures the device reports. The bit patterns are the documented ones,
// so a caller can print them as signed numbers.
inline constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
inline constexpr HRESULT DSERR_ALLOCATED = static_cast<HRESULT>(0x8878000Au);
inline constexpr HRESULT DSERR_ALREADYINITIALIZED = static_cast<HRESULT>(0x88780082u);
inline constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);
inline constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);
inline constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001Eu);
inline constexpr HRESULT DSERR_GENERIC = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);
inline constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078u);
inline constexpr HRESULT DSERR_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT DSERR_OTHERAPPHASPRIO = static_cast<HRESULT>(0x887800A0u);
inline constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT DSERR_PRIOLEVELNEEDED = static_cast<HRESULT>(0x88780046u);
inline constexpr HRESULT DSERR_UNINITIALIZED = static_cast<HRESULT>(0x887800AAu);
inline constexpr HRESULT DSERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);

// Cooperative levels (SetCooperativeLevel). Setting the primary format needs
// DSSCL_PRIORITY or above.
inline constexpr std::uint32_t DSSCL_NORMAL = 1;
inline constexpr std::uint32_t DSSCL_PRIORITY = 2;
inline constexpr std::uint32_t DSSCL_EXCLUSIVE = 3;
inline constexpr std::uint32_t DSSCL_WRITEPRIMARY = 4;

// Buffer capabilities (DSBUFFERDESC::dwFlags).
inline constexpr std::uint32_t DSBCAPS_PRIMARYBUFFER = 0x01;
inline constexpr std::uint32_t DSBCAPS_STATIC = 0x02;
inline constexpr std::uint32_t DSBCAPS_CTRL3D = 0x10;
inline constexpr std::uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
inline constexpr std::uint32_t DSBCAPS_CTRLPAN = 0x40;
inline constexpr std::uint32_t DSBCAPS_CTRLVOLUME = 0x80;

// Play flags and status bits.
inline constexpr std::uint32_t DSBPLAY_LOOPING = 0x01;
inline constexpr std::uint32_t DSBSTATUS_PLAYING = 0x01;
inline constexpr std::uint32_t DSBSTATUS_BUFFERLOST = 0x02;
inline constexpr std::uint32_t DSBSTATUS_LOOPING = 0x04;

// Ranges of the buffer controls. Volume and pan are hundredths of a decibel.
inline constexpr std::int32_t DSBVOLUME_MIN = -10000;
inline constexpr std::int32_t DSBVOLUME_MAX = 0;
inline constexpr std::int32_t DSBPAN_LEFT = -10000;
inline constexpr std::int32_t DSBPAN_CENTER = 0;
inline constexpr std::int32_t DSBPAN_RIGHT = 10000;
inline constexpr std::uint32_t DSBFREQUENCY_ORIGINAL = 0;
inline constexpr std::uint32_t DSBFREQUENCY_MIN = 100;
inline constexpr std::uint32_t DSBFREQUENCY_MAX = 200000;
inline constexpr std::uint32_t DSBSIZE_MIN = 4;
inline constexpr std::uint32_t DSBSIZE_MAX = 0x0FFFFFFF;

// When a 3D setting takes effect: at once, or at the listener's
// CommitDeferredSettings.
inline constexpr std::uint32_t DS3D_IMMEDIATE = 0;
inline constexpr std::uint32_t DS3D_DEFERRED = 1;

inline constexpr std::uint16_t WAVE_FORMAT_PCM = 1;

// The interfaces QueryInterface hands out. The values are this device's own.
inline constexpr GUID IID_IDirectSound3DListener{0x6473'0001, 0x4c69, 0x7374, {'l', 'i', 's', 't', 'e', 'n', 'e', 'r'}};
inline constexpr GUID IID_IDirectSound3DBuffer{0x6473'0002, 0x3344, 0x4275, {'3', 'd', 'b', 'u', 'f', 'f', 'e', 'r'}};
// The only 3D algorithm there is; a zero GUID, like "no algorithm".
inline constexpr GUID DS3DALG_DEFAULT{};

// A PCM sample format.
struct WAVEFORMATEX
{
    std::uint16_t wFormatTag;      // WAVE_FORMAT_PCM
    std::uint16_t nChannels;       // 1 or 2
    std::uint32_t nSamplesPerSec;  // frames per second
    std::uint32_t nAvgBytesPerSec; // nSamplesPerSec * nBlockAlign
    std::uint16_t nBlockAlign;     // nChannels * wBitsPerSample / 8
    std::uint16_t wBitsPerSample;  // 8 (unsigned) or 16 (signed)
    std::uint16_t cbSize;          // extra bytes after the structure: 0
};

// What CreateSoundBuffer is asked to make. dwSize must be sizeof(DSBUFFERDESC).
struct DSBUFFERDESC
{
    std::uint32_t dwSize;
    std::uint32_t dwFlags;       // DSBCAPS_*
    std::uint32_t dwBufferBytes; // 0 for the primary buffer
    std::uint32_t dwReserved;
    WAVEFORMATEX* lpwfxFormat;   // null for the primary buffer
    GUID guid3DAlgorithm;
};

} // namespace dsound
