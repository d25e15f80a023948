#pragma once

namespace GameFramework
{

// The players' profiles and the one in use.
class ProfileManagerBase
{
public:
    ProfileManagerBase() = default;
    virtual ~ProfileManagerBase();
    ProfileManagerBase(const ProfileManagerBase&) = delete;
    ProfileManagerBase& operator=(const ProfileManagerBase&) = delete;
};

} // namespace GameFramework
