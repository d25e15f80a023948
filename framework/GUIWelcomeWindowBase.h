#pragma once

#include <cstdint>
#include <string>

namespace GameFramework
{

class ProfileManagerBase;

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIWelcomeWindowBase
{
public:
    explicit GUIWelcomeWindowBase(ProfileManagerBase* profileManager);
    virtual ~GUIWelcomeWindowBase();
    GUIWelcomeWindowBase(const GUIWelcomeWindowBase&) = delete;
    GUIWelcomeWindowBase& operator=(const GUIWelcomeWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    // The welcome screen shows only while no profile exists, so the name is
    // not checked: the new profile becomes the current one.
    void CreateProfile(const std::u16string& name);

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    ProfileManagerBase* profileManager;
};

} // namespace GameFramework
