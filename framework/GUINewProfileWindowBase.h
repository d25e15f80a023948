#pragma once

#include <cstdint>
#include <string>

namespace GameFramework
{

class ProfileManagerBase;

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUINewProfileWindowBase
{
public:
    explicit GUINewProfileWindowBase(ProfileManagerBase* profileManager);
    virtual ~GUINewProfileWindowBase();
    GUINewProfileWindowBase(const GUINewProfileWindowBase&) = delete;
    GUINewProfileWindowBase& operator=(const GUINewProfileWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(std::uint32_t unused);
    virtual void Hide();

    // False, and nothing changes, when a profile has that name already;
    // else the new profile becomes the current one.
    bool CreateProfile(const std::u16string& name);

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    ProfileManagerBase* profileManager;
};

} // namespace GameFramework
