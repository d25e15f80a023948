#include "platform/win32/AtomicFile.h"
#include "platform/win32/CFile.h"

namespace win32
{

AtomicFile::AtomicFile(const std::string& targetPath)
    : target(targetPath), temporary(TemporaryName(targetPath))
{
    stream = win32::fopen(temporary, "wb");
}

AtomicFile::~AtomicFile()
{
    Discard();
}

std::string AtomicFile::TemporaryName(const std::string& target)
{
    return target + ".tmp";
}

bool AtomicFile::Commit()
{
    if (!stream)
        return false;
    bool written = win32::fflush(stream) == 0 && win32::fsync(stream) == 0;
    written = win32::fclose(stream) == 0 && written;
    stream = nullptr;
    if (written && win32::rename(temporary, target) == 0)
        return true;
    win32::remove(temporary);
    return false;
}

void AtomicFile::Discard()
{
    if (!stream)
        return;
    win32::fclose(stream);
    stream = nullptr;
    win32::remove(temporary);
}

} // namespace win32
