#include "framework/ProfileManagerBase.h"

namespace GameFramework
{

ProfileManagerBase::~ProfileManagerBase() = default;

} // namespace GameFramework
