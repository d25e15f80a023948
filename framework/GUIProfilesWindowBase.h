#pragma once

#include <cstdint>
#include <string>

namespace GameFramework
{

class ProfileManagerBase;

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIProfilesWindowBase
{
public:
    explicit GUIProfilesWindowBase(ProfileManagerBase* profileManager);
    virtual ~GUIProfilesWindowBase();
    GUIProfilesWindowBase(const GUIProfilesWindowBase&) = delete;
    GUIProfilesWindowBase& operator=(const GUIProfilesWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    // 0: nothing to report.
    std::uint32_t result = 0;
    // The profile the screen's buttons act on; written by the game's screen.
    std::u16string selectedName;

protected:
    ProfileManagerBase* profileManager;
};

} // namespace GameFramework
