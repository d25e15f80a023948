#include "engine/render/JpegErrorManager.h"

#include "engine/core/MessageManager.h"

namespace OrvaneEngine
{

jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& errors, MessageManager* log)
{
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JpegErrorExit;
    errors.manager.output_message = JpegOutputMessage;
    errors.log = log;
    return &errors.manager;
}

void JpegErrorExit(j_common_ptr codec)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(codec->err)->jump, 1);
}

void JpegOutputMessage(j_common_ptr codec)
{
    const auto* errors = reinterpret_cast<const JpegErrorManager*>(codec->err);
    char text[JMSG_LENGTH_MAX] = {};
    (*codec->err->format_message)(codec, text);
    // Nothing may be thrown through the library's C frames.
    try
    {
        if (errors->log != nullptr)
        {
            errors->log->Warning(text);
        }
    }
    catch (...)
    {
    }
}

} // namespace OrvaneEngine
