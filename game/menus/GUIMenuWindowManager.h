#pragma once

#include <cstdint>
#include <string>

namespace Mirabel
{

class GUIBackgroundWindow;

// The menu windows' one way to the menu background, and the token that lets
// one menu frame at a time open or close. The token starts taken: no menu
// opens before the background has finished its start-up.
class GUIMenuWindowManager
{
public:
    explicit GUIMenuWindowManager(GUIBackgroundWindow* background);
    virtual ~GUIMenuWindowManager();
    GUIMenuWindowManager(const GUIMenuWindowManager&) = delete;
    GUIMenuWindowManager& operator=(const GUIMenuWindowManager&) = delete;

    // Before the menu windows update: frees the token once, when the
    // background waits for its menus.
    void Update();

    void HideLogos();
    void ClearTextAreaShown();
    bool IsTextAreaShown() const;
    bool IsTextAreaBusy() const;
    void SetTextAreaVisible(bool visible);
    bool IsTextAreaHidden() const;
    bool IsTextPrinted() const;
    void UpdateReachedStages();
    bool IsFadeFinished() const;
    void StartFadeOut();
    void StartFadeIn();
    void ClearText();
    void SetText(const std::u16string& text);
    void SetTextKey(const std::string& key);

    GUIBackgroundWindow* background;
    // Read and written directly by the menu windows: 1 free, 0 taken.
    std::uint8_t tokenFree = 0;
};

} // namespace Mirabel
