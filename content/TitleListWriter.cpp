#include "content/TitleListWriter.h"

#include "content/AtomicWrite.h"

namespace corvellan::content
{

std::string TitleListWriter::Build(std::int64_t count) { return std::to_string(count) + "\r\n"; }

bool TitleListWriter::WriteTo(const std::string& path, std::int64_t count)
{
    return WriteFileAtomically(path, Build(count));
}

} // namespace corvellan::content
