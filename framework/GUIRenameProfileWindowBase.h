#pragma once

#include <cstdint>
#include <string>

namespace GameFramework
{

class ProfileManagerBase;

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIRenameProfileWindowBase
{
public:
    explicit GUIRenameProfileWindowBase(ProfileManagerBase* profileManager);
    virtual ~GUIRenameProfileWindowBase();
    GUIRenameProfileWindowBase(const GUIRenameProfileWindowBase&) = delete;
    GUIRenameProfileWindowBase& operator=(const GUIRenameProfileWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(bool keepName, const std::u16string& name);
    virtual void Hide();

    // True and nothing changes when only the letter case differs; false
    // when another profile has the name.
    bool RenameProfile(const std::u16string& newName);

    const std::u16string& GetOldName() const { return oldName; }

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    ProfileManagerBase* profileManager;
    std::u16string oldName;
};

} // namespace GameFramework
