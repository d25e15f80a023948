#pragma once

namespace win32::detail
{

// The platform library's video (and event) subsystem, counted: each
// successful StartVideo is matched by one StopVideo.
bool StartVideo();
void StopVideo();
bool IsVideoStarted();

// Keeps the OpenGL libraries that the first OpenGL window brought in loaded
// for the rest of the process. Video stops with the last window class, and
// reloading the driver for every window would redo (and, at every unload,
// lose) its one-time set-up.
void KeepGraphicsLibrariesLoaded();

} // namespace win32::detail
