#include "content/FuzzSeeds.h"

#include "content/AtomicWrite.h"

namespace corvellan::content
{

bool WriteSeed(const std::string& folder, const std::string& target, const std::string& name,
               const std::string& bytes)
{
    return WriteFileAtomically(folder + "/" + target + "/" + name, bytes);
}

} // namespace corvellan::content
