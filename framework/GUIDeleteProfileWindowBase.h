#pragma once

#include <cstdint>
#include <string>

namespace GameFramework
{

class ProfileManagerBase;

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIDeleteProfileWindowBase
{
public:
    explicit GUIDeleteProfileWindowBase(ProfileManagerBase* profileManager);
    virtual ~GUIDeleteProfileWindowBase();
    GUIDeleteProfileWindowBase(const GUIDeleteProfileWindowBase&) = delete;
    GUIDeleteProfileWindowBase& operator=(const GUIDeleteProfileWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(const std::u16string& profileName);
    virtual void Hide();

    // Deletes the profile of the kept name.
    void DeleteProfile();

    const std::u16string& GetName() const { return name; }

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    ProfileManagerBase* profileManager;
    std::u16string name;
};

} // namespace GameFramework
