#pragma once

#include "platform/win32/Desktop.h"

namespace win32::testing
{

// Makes GetDesktopMode answer this description until reset.
void SetDesktopMode(const DesktopMode& mode);

// The real first display again.
void ResetDesktopMode();

} // namespace win32::testing
