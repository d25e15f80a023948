#include "engine/core/Error.h"

namespace OrvaneEngine
{

Error::Error(const std::string& textGiven) : text(textGiven)
{
}

Error::~Error() = default;

} // namespace OrvaneEngine
