#pragma once

#include "platform/win32/KeyboardLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace win32::testing
{

// A call that asked the stand-in to change the layouts, as it was made.
struct KeyboardLayoutCall
{
    enum class Kind
    {
        Activate,
        Load,
        Unload
    };

    Kind kind = Kind::Activate;
    // The argument of Activate and Unload; 0 for Load.
    HKL layout = 0;
    // The argument of Load.
    std::string layoutId;
    // Of Activate and Load; 0 for Unload.
    std::uint32_t flags = 0;

    bool operator==(const KeyboardLayoutCall&) const = default;
};

// GetKeyboardLayout answers this layout from now on.
void SetCurrentKeyboardLayout(HKL layout);
// While on, ActivateKeyboardLayout succeeds, answering the current layout;
// the current layout stays as it was.
void SetActivateKeyboardLayoutSucceeds(bool on);
// LoadKeyboardLayoutA answers this layout from now on (0: it fails again);
// the current layout stays as it was.
void SetLoadedKeyboardLayout(HKL layout);

// Every Activate, Load and Unload call since the last reset, in call order,
// whether it succeeded or not.
std::vector<KeyboardLayoutCall> GetKeyboardLayoutCalls();

// Back to the stand-in's own answers (0x04090409 current, activation and
// loading fail); forgets the recorded calls.
void ResetKeyboardLayouts();

} // namespace win32::testing
