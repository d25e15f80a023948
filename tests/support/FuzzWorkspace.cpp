#include "tests/support/FuzzWorkspace.h"

#include "tests/support/FileBytes.h"

#include <cstdlib>

namespace corvellan::test
{

FuzzWorkspace::FuzzWorkspace() = default;

void FuzzWorkspace::Put(const std::string& relative, const std::uint8_t* data, std::size_t size) const
{
    if (!WriteFileBytes(root.Join(relative), std::string(reinterpret_cast<const char*>(data), size)))
        std::abort();
}

} // namespace corvellan::test
