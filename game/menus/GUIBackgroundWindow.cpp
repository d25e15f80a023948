#include "game/menus/GUIBackgroundWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderUser.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/BackgroundLayerList.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "tools/GUITextPrinter.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr std::uint32_t Shown = GUIWindow::FlagShown;
constexpr std::uint32_t ColouredHidden = GUIWindow::FlagColored;
constexpr std::uint32_t ShownColoured = GUIWindow::FlagShown | GUIWindow::FlagColored;
constexpr float Epsilon = 0.0001f;
constexpr float FadeRate = 2.0f;
constexpr float LogoRate = 1.5f;
constexpr float AnimationSpeed = 25.0f;
constexpr std::int32_t LayerContainerLevel = 550;
constexpr std::int32_t TopLevel = 4;
constexpr std::int32_t PanelLevel = 495;
constexpr std::int32_t TextLevel = 16;

const std::string Background = "ui\\menus\\models\\background\\";
const std::string TextAreaModel = Background + "text_area.mlf";

const Vector2 Origin{0.0f, 0.0f};
const Vector2 UnitSize{1.0f, 1.0f};

Color White(float alpha) { return Color(1.0f, 1.0f, 1.0f, alpha); }

void SetAlpha(GUIWindow* window, float alpha)
{
    if (window != nullptr)
        window->SetColor(White(alpha));
}

void SetAlpha(ParticleSystem* system, float alpha)
{
    if (system != nullptr)
        system->SetColor(White(alpha));
}

float Alpha(const GUIWindow* window) { return window->GetColor().a; }

AnimationControl* Animation(const GUIWindow* window)
{
    if (window == nullptr || window->model == nullptr)
        return nullptr;
    return window->model->GetAnimationControl();
}

bool IsPlaying(const GUIWindow* window)
{
    const AnimationControl* animation = Animation(window);
    return animation != nullptr && animation->IsPlaying();
}

// Played to its end: stopped past its first frame.
bool HasPlayed(const GUIWindow* window)
{
    const AnimationControl* animation = Animation(window);
    return animation != nullptr && !animation->IsPlaying() && animation->time > Epsilon;
}

void Play(const GUIWindow* window)
{
    if (AnimationControl* animation = Animation(window))
        animation->Play();
}

void Show(GUIWindow* window)
{
    if (window != nullptr)
        window->SetFlags(Shown);
}

void Hide(GUIWindow* window)
{
    if (window != nullptr)
        window->ClearFlags(Shown);
}

} // namespace

GUIBackgroundWindow::GUIBackgroundWindow(Engine* engine, GameFramework::SoundController* soundController,
                                         GameFramework::LevelManagerBase* levelManager,
                                         GameFramework::ProfileManagerBase* profileManager,
                                         const std::string& language)
    : engine(engine),
      log(engine->messageManager.get()),
      fileManager(engine->fileManager.get()),
      timerManager(engine->timerManager.get()),
      guiManager(engine->guiManager.get()),
      shaderManager(engine->shaderManager.get()),
      modelManager(engine->modelManager.get()),
      particleSystemManager(engine->particleSystemManager.get()),
      soundController(soundController),
      levelManager(levelManager),
      profileManager(profileManager)
{
    try
    {
        Construct(language);
    }
    catch (const FileError& error)
    {
        log->Fatal(error.GetText());
    }
}

void GUIBackgroundWindow::Construct(const std::string& language)
{
    rootWindow = guiManager->CreateWindow(Shown, Origin, Origin, nullptr, nullptr);
    layerContainer = guiManager->CreateWindow(Shown, Origin, Origin, nullptr, rootWindow);
    layerContainer->SetLevel(LayerContainerLevel);
    foregroundContainer = guiManager->CreateWindow(Shown, Origin, Origin, nullptr, layerContainer);
    topWindow = guiManager->CreateWindow(Shown, Origin, Origin, nullptr, foregroundContainer);
    topWindow->SetLevel(TopLevel);

    BuildFileLayers();
    BuildForeground(language);
    BuildTextArea();

    frameWindow->SetLevel(1);
    makerLogo->SetLevel(2);
    for (GUIWindow* logo : publisherLogos)
        logo->SetLevel(3);
    mountText->SetLevel(15);
    textAppearWindow->SetLevel(TextLevel);
    textWindow->SetLevel(TextLevel);
    textAreaWindow->SetLevel(17);
    mountTitle->SetLevel(18);
    for (GUIWindow* title : titleWindows)
        title->SetLevel(19);
    for (GUIWindow* window : {frameWindow, makerLogo, mountText, textAppearWindow, textWindow, mountTitle})
        if (AnimationControl* animation = Animation(window))
            animation->speed = AnimationSpeed;

    printer = std::make_unique<GameTools::GUITextPrinter>(engine, textAreaWindow, 3, 28.0f, 1, Origin, White(1.0f));

    for (GUIWindow* title : titleWindows)
        SetAlpha(title, 0.0f);
    foregroundWindows.push_back(frameWindow);
    foregroundWindows.push_back(makerLogo);
    foregroundWindows.insert(foregroundWindows.end(), publisherLogos.begin(), publisherLogos.end());
    foregroundWindows.push_back(mountTitle);
    foregroundWindows.push_back(mountText);
    foregroundWindows.insert(foregroundWindows.end(), titleWindows.begin(), titleWindows.end());
    UpdateReachedStages();
    UpdateUnicornFromProfile();
}

void GUIBackgroundWindow::StartLayerAnimation(Model* model) const
{
    AnimationControl* animation = model != nullptr ? model->GetAnimationControl() : nullptr;
    if (animation == nullptr)
        return;
    animation->repeat = true;
    animation->StartAfterRandomDelay();
    animation->Play();
}

void GUIBackgroundWindow::MakeBlended(GUIWindow* window) const
{
    ShaderUser* shader = window->GetShaderUser();
    if (shader == nullptr)
        return;
    shader->SetFlags(1);
    shader->SetBlendFactor(0, 4);
    shader->SetBlendFactor(1, 5);
}

void GUIBackgroundWindow::AttachParticleSystem(ParticleSystem* system, const GUIWindow* window) const
{
    system->looping = 1;
    system->emitting = 1;
    if (Model* model = system->GetModel())
    {
        model->SetFlags(Model::FlagFixedDepth);
        model->depth = window->depth;
    }
}

void GUIBackgroundWindow::BuildFileLayers()
{
    const std::vector<BackgroundLayerList::Layer> layers = BackgroundLayerList::Load(*fileManager);
    for (const BackgroundLayerList::Layer& entry : layers)
    {
        if (!entry.builtByBackground)
            continue;
        Layer layer;
        if (!entry.HasParticleSystem())
        {
            layer.window = guiManager->CreateWindowFromFile(ShownColoured, Origin, UnitSize,
                                                            BackgroundLayerList::ModelPath(entry), layerContainer);
            MakeBlended(layer.window);
            layer.window->SetLevel(static_cast<std::int32_t>(entry.index) + 1);
            StartLayerAnimation(layer.window->model);
        }
        else
        {
            layer.window = guiManager->CreateWindow(ShownColoured, Origin, UnitSize, nullptr, layerContainer);
            layer.window->SetLevel(static_cast<std::int32_t>(entry.index) + 1);
            layer.model = modelManager->LoadModelResource(BackgroundLayerList::ModelPath(entry));
            layer.particleSystem = particleSystemManager->LoadParticleSystem(BackgroundLayerList::ParticleSystemPath(entry),
                                                                             guiManager->GetCamera());
            AttachParticleSystem(layer.particleSystem, layer.window);
            layer.particleSystem->SetVisible(true);
            StartLayerAnimation(layer.model);
        }
        permanentLayers.push_back(layer);
    }
    if (permanentLayers.empty())
        throw FileError("Background have no thematic layers");
    foregroundContainer->SetLevel(permanentLayers.back().window->level + 1);
}

GUIWindow* GUIBackgroundWindow::CreateForegroundWindow(const std::string& modelName)
{
    return guiManager->CreateWindowFromFile(ColouredHidden, Origin, UnitSize, Background + modelName,
                                            foregroundContainer);
}

void GUIBackgroundWindow::BuildForeground(const std::string& language)
{
    frameWindow = CreateForegroundWindow("frame.mlf");
    makerLogo = CreateForegroundWindow("logo_brackwell.mlf");
    for (int k = 0; k < 2; ++k)
    {
        const std::string textures = "data\\ui\\menus\\textures\\publisher_" + std::to_string(k) + "_logo_small";
        if (fileManager->Exists(textures + ".jpg") && fileManager->Exists(textures + "_alpha.jpg"))
            publisherLogos.push_back(CreateForegroundWindow("logo_additional_" + std::to_string(k) + ".mlf"));
    }
    BuildTitles(language);
    textAppearWindow = CreateForegroundWindow("text_appear.mlf");
    textWindow = CreateForegroundWindow("text.mlf");
    mountTitle = CreateForegroundWindow("mount_title.mlf");
    mountText = CreateForegroundWindow("mount_text.mlf");
}

void GUIBackgroundWindow::BuildTitles(const std::string& language)
{
    const std::unique_ptr<FileTextual> file =
        fileManager->OpenTextual(TitleFilePrefix + language + ".ini", false, FileTextual::EncodingAnsi);
    const std::int32_t count = file->GetInt();
    if (count < 0 || count > MostTitles)
        throw FileError("Title list is broken");
    for (std::int32_t k = 0; k < count; ++k)
        titleWindows.push_back(CreateForegroundWindow("title_" + language + "_" + std::to_string(k) + ".mlf"));
}

void GUIBackgroundWindow::BuildTextArea()
{
    Model* box = modelManager->LoadModelResource(TextAreaModel);
    const BoundingVolume& volume = box->boundingVolume;
    textAreaWindow = guiManager->CreateWindow(
        Shown, Vector2(volume.worldMin.x, volume.worldMin.y),
        Vector2(2.0f * volume.halfExtents.x, 2.0f * volume.halfExtents.y), nullptr, foregroundContainer);
    delete box;
}

GUIBackgroundWindow::~GUIBackgroundWindow()
{
    printer.reset();
    for (GUIWindow* window : {rootWindow, layerContainer, foregroundContainer, topWindow, frameWindow, makerLogo,
                              mountTitle, mountText, textAppearWindow, textWindow, textAreaWindow, unicornWindow})
        guiManager->ReleaseWindow(window);
    for (GUIWindow* window : publisherLogos)
        guiManager->ReleaseWindow(window);
    for (GUIWindow* window : titleWindows)
        guiManager->ReleaseWindow(window);
    for (std::vector<Layer>* layers : {&permanentLayers, &stagedLayers})
        for (const Layer& layer : *layers)
        {
            guiManager->ReleaseWindow(layer.window);
            delete layer.model;
            particleSystemManager->DeleteParticleSystem(layer.particleSystem);
        }
}

GUIWindow* GUIBackgroundWindow::GetFrontLayerWindow() const
{
    GUIWindow* front = nullptr;
    for (const std::vector<Layer>* layers : {&permanentLayers, &stagedLayers})
        for (const Layer& layer : *layers)
            if (front == nullptr || layer.window->level > front->level)
                front = layer.window;
    return front;
}

bool GUIBackgroundWindow::IsWaitingForGameData() const
{
    return state == 3 && waitingForGameData != 0 && gameData == nullptr;
}

void GUIBackgroundWindow::SetGameData(GameData* data)
{
    gameData = data;
    gameDataHandedOver = 1;
}

bool GUIBackgroundWindow::IsMenuReady() const { return state == 4; }

void GUIBackgroundWindow::AcknowledgeMenuReady() { menuReadyAcknowledged = 1; }

void GUIBackgroundWindow::SetText(const std::u16string& text) { printer->SetText(text); }

void GUIBackgroundWindow::SetTextKey(const std::string& key) { printer->SetTextKey(key); }

void GUIBackgroundWindow::ClearText() { printer->Clear(); }

bool GUIBackgroundWindow::IsTextPrinted() const { return printer->IsFinished(); }

void GUIBackgroundWindow::SetTextAreaVisible(bool visible)
{
    panelShowRequest = visible ? 1 : 0;
    panelHideRequest = visible ? 0 : 1;
}

bool GUIBackgroundWindow::IsTextAreaBusy() const { return panelBusy != 0; }

bool GUIBackgroundWindow::IsTextAreaShown() const { return panelShown != 0; }

void GUIBackgroundWindow::ClearTextAreaShown() { panelShown = 0; }

bool GUIBackgroundWindow::IsTextAreaHidden() const { return panelBusy == 0 && !textWindow->visible; }

bool GUIBackgroundWindow::IsReached(const Layer& layer) const { return layer.threshold <= reachedStages; }

bool GUIBackgroundWindow::IsUnicornShown() const
{
    return unicornWindow != nullptr && unicornAllowed != 0 && unicornEnabled != 0;
}

bool GUIBackgroundWindow::IsLandscapeShown() const { return permanentLayers.back().window->visible; }

void GUIBackgroundWindow::ShowReachedLayers()
{
    for (const Layer& layer : permanentLayers)
    {
        Show(layer.window);
        if (layer.particleSystem != nullptr)
            layer.particleSystem->SetVisible(true);
    }
    if (IsUnicornShown())
        Show(unicornWindow);
    for (const Layer& layer : stagedLayers)
        if (IsReached(layer))
        {
            Show(layer.window);
            if (layer.particleSystem != nullptr)
                layer.particleSystem->SetVisible(true);
        }
}

void GUIBackgroundWindow::StartFadeOut()
{
    fadeActive = 1;
    fadeLevel = 1.0f;
    ShowReachedLayers();
    fadingOut = 1;
}

void GUIBackgroundWindow::StartFadeIn()
{
    fadeActive = 1;
    fadeLevel = 0.0f;
    for (GUIWindow* window : foregroundWindows)
        Show(window);
    ShowReachedLayers();
    Show(textWindow);
    fadingOut = 0;
}

void GUIBackgroundWindow::Reset()
{
    fadeActive = 0;
    fadeLevel = 1.0f;
    state = 6;
    panelShowRequest = 0;
    panelHideRequest = 0;
    panelBusy = 0;
    panelShown = 0;
}

bool GUIBackgroundWindow::IsFadeFinished() const
{
    if (fadeActive != 0 && fadingOut == 0 && std::abs(fadeLevel - 1.0f) < Epsilon)
        return true;
    return fadingOut != 0 && fadeLevel < Epsilon;
}

void GUIBackgroundWindow::ShowLogos()
{
    logosFadingIn = 1;
    logosFadingOut = 0;
    logoTimer = 0.0f;
}

void GUIBackgroundWindow::HideLogos()
{
    logosFadingIn = 0;
    logosFadingOut = 1;
    logoTimer = 0.0f;
}

void GUIBackgroundWindow::UpdateReachedStages()
{
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    if (profile == nullptr)
    {
        reachedStages = 0;
        return;
    }
    reachedStages = profile->nextStage;
    const bool atReachedLevel =
        profile->nextStage == profile->GetReachedStage() && profile->nextLevel == profile->GetReachedLevel();
    if (levelManager->IsLastLevel(profile->nextStage, profile->nextLevel) && atReachedLevel &&
        profile->GetReachedEnd())
        ++reachedStages;
}

void GUIBackgroundWindow::UpdateUnicornFromProfile()
{
    const auto* profile = dynamic_cast<const Profile*>(profileManager->currentProfile);
    unicornAllowed = profile != nullptr && profile->gameCompleteHintFlag == 0 ? 1 : 0;
}

void GUIBackgroundWindow::SetUnicornEnabled(bool enabled) { unicornEnabled = enabled ? 1 : 0; }

void GUIBackgroundWindow::Update()
{
    if (active == 0)
        return;
    const float dt = timerManager->frameTime;
    if (fadeActive != 0 && fadingOut == 0)
        fadeLevel = std::min(fadeLevel + FadeRate * dt, 1.0f);
    else
        fadeLevel = std::max(fadeLevel - FadeRate * dt, 0.0f);

    if (fadingOut != 0)
    {
        if (printer->GetColor().a > fadeLevel)
            printer->SetColor(White(fadeLevel));
    }
    else
        printer->SetColor(White(fadeActive != 0 ? 1.0f : fadeLevel));
    printer->Print();

    StepState();
    StepVisibility(dt);
    StepLogos(dt);
    MoveEmitters();
}

void GUIBackgroundWindow::StepState()
{
    switch (state)
    {
    case 0:
        Show(frameWindow);
        Show(makerLogo);
        if (IsPlaying(frameWindow) || IsPlaying(makerLogo))
            break;
        if (Animation(frameWindow) != nullptr && Animation(frameWindow)->time > Epsilon)
            state = 1;
        else
        {
            Play(frameWindow);
            Play(makerLogo);
        }
        break;
    case 1:
        for (GUIWindow* window : {mountTitle, mountText, textAppearWindow})
            Show(window);
        for (GUIWindow* window : titleWindows)
            Show(window);
        for (GUIWindow* window : publisherLogos)
            Show(window);
        if (IsPlaying(mountTitle) || IsPlaying(mountText) || IsPlaying(textAppearWindow))
            break;
        if (HasPlayed(mountTitle))
        {
            for (GUIWindow* window : titleWindows)
                SetAlpha(window, 1.0f);
            for (GUIWindow* window : publisherLogos)
                SetAlpha(window, 1.0f);
            Hide(textAppearWindow);
            Show(textWindow);
            if (AnimationControl* animation = Animation(textWindow))
                animation->SetLastFrame();
            state = 2;
        }
        else
        {
            Play(mountTitle);
            Play(mountText);
            Play(textAppearWindow);
        }
        break;
    case 2:
        printer->SetTextKey("LOADING");
        if (printer->IsFinished() && titlesShown != 0)
            state = 3;
        break;
    case 3:
        waitingForGameData = 1;
        if (gameDataHandedOver != 0 && gameData != nullptr)
        {
            BuildResourceLayers();
            resourceFadeIn = 1;
            resourceFadeTimer = 0.0f;
            state = 4;
        }
        break;
    case 4:
        if (menuReadyAcknowledged != 0)
            state = 5;
        break;
    case 5:
        if (fadeLevel > Epsilon)
            state = 6;
        break;
    case 6:
        if (panelShowRequest != 0)
        {
            textWindow->SetColor(White(1.0f));
            Show(textWindow);
            if (AnimationControl* animation = Animation(textWindow))
            {
                animation->time = 0.0f;
                animation->Play();
            }
            textWindow->SetParent(gameData->levelRootWindow);
            textWindow->SetLevel(PanelLevel);
            state = 7;
        }
        break;
    case 7:
        if (!IsPlaying(textWindow))
        {
            panelShowRequest = 0;
            panelBusy = 1;
            panelShown = 1;
            textWindow->SetParent(foregroundContainer);
            textWindow->SetLevel(TextLevel);
            state = 8;
        }
        break;
    case 8:
        if (panelHideRequest != 0)
        {
            fadeActive = 0;
            fadeLevel = 1.0f;
            panelHideRequest = 0;
            panelBusy = 0;
            state = 5;
        }
        break;
    default:
        break;
    }
}

void GUIBackgroundWindow::BuildResourceLayers()
{
    const std::size_t count = std::min({gameData->backgroundLayerModels.size(),
                                        gameData->backgroundLayerParticleSystems.size(),
                                        gameData->backgroundLayerIndices.size(), gameData->backgroundLayerStages.size()});
    std::int32_t highest = -1;
    for (std::size_t j = 0; j < count; ++j)
    {
        const Model* source = gameData->backgroundLayerModels[j];
        const ParticleSystem* sourceSystem = gameData->backgroundLayerParticleSystems[j];
        const auto index = static_cast<std::int32_t>(gameData->backgroundLayerIndices[j]);
        Layer layer;
        if (sourceSystem != nullptr)
        {
            layer.window = guiManager->CreateWindow(ShownColoured, Origin, UnitSize, nullptr, layerContainer);
            layer.window->SetLevel(index + 1);
            layer.model = modelManager->CloneModelResource(source);
            layer.particleSystem = particleSystemManager->CloneParticleSystem(sourceSystem);
            StartLayerAnimation(layer.model);
            AttachParticleSystem(layer.particleSystem, layer.window);
            SetAlpha(layer.particleSystem, 0.0f);
        }
        else
        {
            layer.window = guiManager->CreateWindow(ShownColoured, Origin, UnitSize, source, layerContainer);
            MakeBlended(layer.window);
            StartLayerAnimation(layer.window->model);
            SetAlpha(layer.window, 0.0f);
            layer.window->SetLevel(index + 1);
        }
        highest = std::max(highest, index);
        std::string name = source != nullptr ? source->GetName() : std::string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const std::int32_t stage = gameData->backgroundLayerStages[j];
        if (name.find("unicorn") != std::string::npos && unicornWindow == nullptr)
        {
            unicornWindow = layer.window;
            delete layer.model;
            particleSystemManager->DeleteParticleSystem(layer.particleSystem);
        }
        else if (stage != 0)
        {
            layer.threshold = static_cast<std::uint32_t>(std::max(stage, 0));
            stagedLayers.push_back(layer);
        }
        else
            permanentLayers.push_back(layer);
    }
    if (highest >= 0)
        foregroundContainer->SetLevel(highest + 1);
}

void GUIBackgroundWindow::StepVisibility(float dt)
{
    if (fadeActive == 0)
    {
        if (fadeLevel <= Epsilon)
        {
            if (IsLandscapeShown())
                HideEverything();
            Hide(textWindow);
            printer->Clear();
            fadeActive = 1;
            fadeLevel = 1.0f;
        }
        else
        {
            if (IsLandscapeShown())
                SetEverythingAlpha(fadeLevel);
            SetAlpha(textWindow, fadeLevel);
        }
    }
    else if (state < 5)
        RevealTitles(dt);
    else if (resourceFadeIn != 0)
        RunResourceFadeIn(dt);
    else if (fadingOut == 0)
        FollowFade(dt);
    else
        FadeForegroundOut();
}

void GUIBackgroundWindow::HideEverything()
{
    SetEverythingAlpha(0.0f);
    for (GUIWindow* window : foregroundWindows)
        Hide(window);
    for (const std::vector<Layer>* layers : {&permanentLayers, &stagedLayers})
        for (const Layer& layer : *layers)
        {
            Hide(layer.window);
            if (layer.particleSystem != nullptr)
                layer.particleSystem->SetVisible(false);
        }
    if (IsUnicornShown())
        Hide(unicornWindow);
}

void GUIBackgroundWindow::SetEverythingAlpha(float alpha)
{
    for (GUIWindow* window : foregroundWindows)
        SetAlpha(window, alpha);
    for (const std::vector<Layer>* layers : {&permanentLayers, &stagedLayers})
        for (const Layer& layer : *layers)
        {
            SetAlpha(layer.window, alpha);
            SetAlpha(layer.particleSystem, alpha);
        }
    if (IsUnicornShown())
        SetAlpha(unicornWindow, alpha);
}

void GUIBackgroundWindow::RevealTitles(float dt)
{
    if (HasPlayed(mountTitle))
    {
        titleTimer += dt;
        titlesShown = 1;
        const auto count = static_cast<float>(titleWindows.size());
        for (std::size_t k = 0; k < titleWindows.size(); ++k)
        {
            const float alpha =
                std::clamp((count / 2.5f) * titleTimer - static_cast<float>(k) * (1.5f / count), 0.0f, 1.0f);
            SetAlpha(titleWindows[k], alpha);
            if (std::abs(alpha - 1.0f) > Epsilon)
                titlesShown = 0;
        }
    }
    const bool logoVisible =
        std::any_of(publisherLogos.begin(), publisherLogos.end(), [](const GUIWindow* w) { return w->visible; });
    if (logoVisible)
        for (GUIWindow* window : publisherLogos)
            SetAlpha(window, std::clamp(2.0f * titleTimer, 0.0f, 1.0f));
}

void GUIBackgroundWindow::RunResourceFadeIn(float dt)
{
    resourceFadeTimer += dt;
    const float alpha = std::clamp(2.0f * resourceFadeTimer, 0.0f, 1.0f);
    for (const Layer& layer : permanentLayers)
    {
        if (Alpha(layer.window) < alpha)
            SetAlpha(layer.window, alpha);
        if (layer.particleSystem != nullptr && layer.particleSystem->GetColor().a < alpha)
            SetAlpha(layer.particleSystem, alpha);
    }
    for (const Layer& layer : stagedLayers)
        if (IsReached(layer))
        {
            SetAlpha(layer.window, alpha);
            SetAlpha(layer.particleSystem, alpha);
        }
    if (IsUnicornShown())
        SetAlpha(unicornWindow, alpha);
    if (alpha + Epsilon > 1.0f)
        resourceFadeIn = 0;
}

void GUIBackgroundWindow::LowerLayerTo(const Layer& layer, float alpha) const
{
    SetAlpha(layer.window, alpha);
    SetAlpha(layer.particleSystem, alpha);
}

void GUIBackgroundWindow::FollowFade(float dt)
{
    for (GUIWindow* window : foregroundWindows)
        if (window->visible && Alpha(window) + Epsilon < fadeLevel)
            SetAlpha(window, fadeLevel);
    for (const Layer& layer : permanentLayers)
    {
        if (layer.window->visible && Alpha(layer.window) + Epsilon < fadeLevel)
            SetAlpha(layer.window, fadeLevel);
        if (layer.particleSystem != nullptr && layer.particleSystem->IsVisible() &&
            layer.particleSystem->GetColor().a + Epsilon < fadeLevel)
            SetAlpha(layer.particleSystem, fadeLevel);
    }
    if (textWindow->visible && Alpha(textWindow) + Epsilon < fadeLevel)
        SetAlpha(textWindow, fadeLevel);

    if (unicornWindow != nullptr)
    {
        if (unicornAllowed == 0 || unicornEnabled == 0)
        {
            if (unicornWindow->visible)
            {
                const float alpha = Alpha(unicornWindow);
                if (alpha > Epsilon)
                    SetAlpha(unicornWindow, std::max(alpha - FadeRate * dt, 0.0f));
                else
                    Hide(unicornWindow);
            }
        }
        else if (!unicornWindow->visible)
        {
            if (IsLandscapeShown())
            {
                SetAlpha(unicornWindow, 0.0f);
                Show(unicornWindow);
            }
        }
        else
            SetAlpha(unicornWindow, std::min(Alpha(unicornWindow) + FadeRate * dt, 1.0f));
    }

    for (const Layer& layer : stagedLayers)
    {
        const float alpha =
            layer.particleSystem != nullptr ? layer.particleSystem->GetColor().a : Alpha(layer.window);
        if (!IsReached(layer))
        {
            if (!layer.window->visible)
                continue;
            if (alpha > Epsilon)
                LowerLayerTo(layer, std::max(alpha - FadeRate * dt, 0.0f));
            else
            {
                Hide(layer.window);
                if (layer.particleSystem != nullptr)
                    layer.particleSystem->SetVisible(false);
            }
        }
        else if (!layer.window->visible)
        {
            if (IsLandscapeShown())
            {
                LowerLayerTo(layer, 0.0f);
                Show(layer.window);
                if (layer.particleSystem != nullptr)
                    layer.particleSystem->SetVisible(true);
            }
        }
        else
            LowerLayerTo(layer, std::min(alpha + FadeRate * dt, 1.0f));
    }
}

void GUIBackgroundWindow::FadeForegroundOut()
{
    const float landscape = 1.0f - fadeLevel;
    for (const Layer& layer : permanentLayers)
    {
        if (Alpha(layer.window) + Epsilon < landscape)
            SetAlpha(layer.window, landscape);
        if (layer.particleSystem != nullptr && layer.particleSystem->GetColor().a + Epsilon < landscape)
            SetAlpha(layer.particleSystem, landscape);
    }
    if (IsUnicornShown() && Alpha(unicornWindow) + Epsilon < landscape)
        SetAlpha(unicornWindow, landscape);
    for (const Layer& layer : stagedLayers)
    {
        if (!IsReached(layer))
            continue;
        if (Alpha(layer.window) + Epsilon < landscape)
            SetAlpha(layer.window, landscape);
        if (layer.particleSystem != nullptr && layer.particleSystem->GetColor().a + Epsilon < landscape)
            SetAlpha(layer.particleSystem, landscape);
    }
    for (GUIWindow* window : foregroundWindows)
        if (Alpha(window) > Epsilon)
            SetAlpha(window, fadeLevel);
    if (Alpha(textWindow) > Epsilon)
        SetAlpha(textWindow, fadeLevel);
}

void GUIBackgroundWindow::StepLogos(float dt)
{
    float alpha = 0.0f;
    if (logosFadingIn != 0)
    {
        logoTimer += dt;
        alpha = LogoRate * logoTimer;
        if (alpha > 1.0f)
        {
            alpha = 1.0f;
            logosFadingIn = 0;
        }
    }
    else if (logosFadingOut != 0)
    {
        logoTimer += dt;
        alpha = std::max(1.0f - LogoRate * logoTimer, 0.0f);
    }
    else
        return;
    SetAlpha(frameWindow, alpha);
    SetAlpha(makerLogo, alpha);
    for (GUIWindow* window : publisherLogos)
        SetAlpha(window, alpha);
}

void GUIBackgroundWindow::MoveEmitters()
{
    for (const std::vector<Layer>* layers : {&permanentLayers, &stagedLayers})
        for (const Layer& layer : *layers)
        {
            if (layer.particleSystem == nullptr || layer.model == nullptr || !layer.particleSystem->IsVisible())
                continue;
            layer.model->Update(false);
            const Vector3 centre = layer.model->boundingVolume.center;
            ParticleSystem& system = *layer.particleSystem;
            if (system.emitterKind == 1)
            {
                const Vector3 half = (system.emitterBox.localMax - system.emitterBox.localMin) * 0.5f;
                system.emitterBox.SetBox(centre - half, centre + half);
            }
            else
                system.emitterPosition = centre;
        }
}

} // namespace Mirabel
