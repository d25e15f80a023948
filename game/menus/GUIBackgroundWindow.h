#pragma once

#include "engine/core/Color.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class FileManager;
class GUIManager;
class GUIWindow;
class MessageManager;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderManager;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{
class LevelManagerBase;
class ProfileManagerBase;
class SoundController;
} // namespace GameFramework

namespace GameTools
{
class GUITextPrinter;
}

namespace Mirabel
{

class GameData;

// The animated scene behind every menu: thematic layers (some carrying a
// particle system along their animation), the title, the logos and the text
// area where the current menu's title is typed. It runs the start-up of the
// game, fades out for a level and back for the menus, raises a small text
// panel for the dialogs of a level, and reveals layers as stages are reached.
class GUIBackgroundWindow
{
public:
    static constexpr const char* TitleFilePrefix = "data\\ui\\menus\\models\\background\\title_";
    // More titles than this is a damaged title list.
    static constexpr std::int32_t MostTitles = 64;

    // One layer of the landscape. The window shows the model itself, or, with
    // a particle system, is empty and the model only carries the emitter.
    struct Layer
    {
        OrvaneEngine::GUIWindow* window = nullptr;
        OrvaneEngine::Model* model = nullptr;                   // owned; none for a window of its own model
        OrvaneEngine::ParticleSystem* particleSystem = nullptr; // registered with the manager
        std::uint32_t threshold = 0;                            // staged layers: the stage that reveals it
    };

    // A file of the background that cannot be read ends the program through
    // MessageManager::Fatal.
    GUIBackgroundWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                        GameFramework::LevelManagerBase* levelManager,
                        GameFramework::ProfileManagerBase* profileManager, const std::string& language);
    virtual ~GUIBackgroundWindow();
    GUIBackgroundWindow(const GUIBackgroundWindow&) = delete;
    GUIBackgroundWindow& operator=(const GUIBackgroundWindow&) = delete;

    // Does nothing until active.
    void Update();

    bool IsWaitingForGameData() const;
    void SetGameData(GameData* data);
    bool IsMenuReady() const;
    void AcknowledgeMenuReady();

    void SetText(const std::u16string& text);
    void SetTextKey(const std::string& key);
    void ClearText();
    bool IsTextPrinted() const;

    void SetTextAreaVisible(bool visible);
    bool IsTextAreaBusy() const;
    bool IsTextAreaShown() const;
    void ClearTextAreaShown();
    bool IsTextAreaHidden() const;

    void StartFadeOut();
    void StartFadeIn();
    void Reset();
    bool IsFadeFinished() const;

    void ShowLogos();
    void HideLogos();

    void UpdateReachedStages();
    void UpdateUnicornFromProfile();
    void SetUnicornEnabled(bool enabled);

    OrvaneEngine::GUIWindow* GetTopWindow() const { return topWindow; }
    OrvaneEngine::GUIWindow* GetLayerContainer() const { return layerContainer; }
    OrvaneEngine::GUIWindow* GetForegroundContainer() const { return foregroundContainer; }
    OrvaneEngine::GUIWindow* GetTextAreaWindow() const { return textAreaWindow; }
    OrvaneEngine::GUIWindow* GetTextWindow() const { return textWindow; }
    // None when no layer of the game resources is the unicorn.
    OrvaneEngine::GUIWindow* GetUnicornLayerWindow() const { return unicornWindow; }
    // The layer window drawn in front of all others.
    OrvaneEngine::GUIWindow* GetFrontLayerWindow() const;
    const std::vector<Layer>& GetPermanentLayers() const { return permanentLayers; }
    const std::vector<Layer>& GetStagedLayers() const { return stagedLayers; }
    const std::vector<OrvaneEngine::GUIWindow*>& GetForegroundWindows() const { return foregroundWindows; }
    const std::vector<OrvaneEngine::GUIWindow*>& GetTitleWindows() const { return titleWindows; }
    const GameTools::GUITextPrinter& GetPrinter() const { return *printer; }
    std::uint32_t GetState() const { return state; }
    std::uint32_t GetReachedStages() const { return reachedStages; }
    float GetFadeLevel() const { return fadeLevel; }
    bool AreTitlesShown() const { return titlesShown != 0; }
    bool IsUnicornAllowed() const { return unicornAllowed != 0; }

    // Set by the game when the logos screen has finished; never cleared.
    std::uint8_t active = 0;

private:
    void Construct(const std::string& language);
    void BuildFileLayers();
    void BuildForeground(const std::string& language);
    void BuildTitles(const std::string& language);
    void BuildTextArea();
    void BuildResourceLayers();
    OrvaneEngine::GUIWindow* CreateForegroundWindow(const std::string& modelName);
    void StartLayerAnimation(OrvaneEngine::Model* model) const;
    void MakeBlended(OrvaneEngine::GUIWindow* window) const;
    void AttachParticleSystem(OrvaneEngine::ParticleSystem* system, const OrvaneEngine::GUIWindow* window) const;

    void StepState();
    void StepVisibility(float dt);
    void HideEverything();
    void SetEverythingAlpha(float alpha);
    void RevealTitles(float dt);
    void RunResourceFadeIn(float dt);
    void FollowFade(float dt);
    void FadeForegroundOut();
    void StepLogos(float dt);
    void MoveEmitters();
    void ShowReachedLayers();
    bool IsLandscapeShown() const;
    bool IsUnicornShown() const;
    bool IsReached(const Layer& layer) const;
    void LowerLayerTo(const Layer& layer, float alpha) const;

    OrvaneEngine::Engine* engine;
    OrvaneEngine::MessageManager* log;
    OrvaneEngine::FileManager* fileManager;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::ShaderManager* shaderManager;
    OrvaneEngine::ModelManager* modelManager;
    OrvaneEngine::ParticleSystemManager* particleSystemManager;
    GameFramework::SoundController* soundController;
    GameFramework::LevelManagerBase* levelManager;
    GameFramework::ProfileManagerBase* profileManager;
    GameData* gameData = nullptr;

    OrvaneEngine::GUIWindow* rootWindow = nullptr;
    OrvaneEngine::GUIWindow* layerContainer = nullptr;
    OrvaneEngine::GUIWindow* foregroundContainer = nullptr;
    OrvaneEngine::GUIWindow* topWindow = nullptr;
    std::vector<Layer> permanentLayers;
    std::vector<Layer> stagedLayers;
    OrvaneEngine::GUIWindow* unicornWindow = nullptr;
    std::vector<OrvaneEngine::GUIWindow*> foregroundWindows;
    OrvaneEngine::GUIWindow* frameWindow = nullptr;
    OrvaneEngine::GUIWindow* makerLogo = nullptr;
    std::vector<OrvaneEngine::GUIWindow*> publisherLogos;
    OrvaneEngine::GUIWindow* mountTitle = nullptr;
    OrvaneEngine::GUIWindow* mountText = nullptr;
    std::vector<OrvaneEngine::GUIWindow*> titleWindows;
    OrvaneEngine::GUIWindow* textAppearWindow = nullptr;
    OrvaneEngine::GUIWindow* textWindow = nullptr;
    OrvaneEngine::GUIWindow* textAreaWindow = nullptr;

    std::uint8_t waitingForGameData = 0;
    std::uint8_t gameDataHandedOver = 0;
    std::uint8_t menuReadyAcknowledged = 0;
    std::uint8_t panelShowRequest = 0;
    std::uint8_t panelHideRequest = 0;
    std::uint8_t panelBusy = 0;
    std::uint8_t panelShown = 0;
    std::uint32_t state = 0;
    std::uint8_t titlesShown = 0;
    float titleTimer = 0.0f;
    std::uint8_t resourceFadeIn = 0;
    float resourceFadeTimer = 0.0f;
    std::uint8_t fadingOut = 0; // D
    std::unique_ptr<GameTools::GUITextPrinter> printer;
    std::uint8_t fadeActive = 1; // A
    float fadeLevel = 1.0f;      // F
    std::uint32_t reachedStages = 0;
    std::uint8_t logosFadingIn = 0;
    std::uint8_t logosFadingOut = 0;
    float logoTimer = 0.0f;
    std::uint8_t unicornAllowed = 0;
    std::uint8_t unicornEnabled = 1;
};

} // namespace Mirabel
