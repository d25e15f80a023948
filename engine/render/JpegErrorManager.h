#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace OrvaneEngine
{

class MessageManager;

// The JPEG library's error handler for one call of a reader or writer: an
// error returns to that call's own jump point instead of ending the process,
// and warnings go to the log. Each call has its own, so two threads can
// decode at once.
struct JpegErrorManager
{
    jpeg_error_mgr manager; // first, so that the library's pointer is ours
    std::jmp_buf jump;
    MessageManager* log;
};

// Fills the record from the library's defaults and puts our two handlers in;
// returns what the codec's err field takes.
jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& errors, MessageManager* log);

[[noreturn]] void JpegErrorExit(j_common_ptr codec);
void JpegOutputMessage(j_common_ptr codec);

} // namespace OrvaneEngine
