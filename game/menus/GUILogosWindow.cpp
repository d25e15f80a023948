#include "game/menus/GUILogosWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"

#include <algorithm>
#include <string>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float Epsilon = 0.0001f;
constexpr float FadeSeconds = 1.0f;

// The picture fills the lower-left 800 x 600 of a 1024 x 1024 texture.
const Vector2 LogoSize(800.0f, 600.0f);
const Vector2 LogoExtent(800.0f / 1024.0f, 600.0f / 1024.0f);

std::string LogoName(int index)
{
    return "ui\\menus\\textures\\publisher_" + std::to_string(index) + "_logo_big.jpg";
}

} // namespace

GUILogosWindow::GUILogosWindow(Engine* engine)
    : GUILogosWindowBase(engine), fileManager(engine->fileManager.get()), guiManager(engine->guiManager.get())
{
    rootWindow = guiManager->CreateWindow(GUIWindow::FlagShown | GUIWindow::FlagMiddleLayer, Vector2(0.0f, 0.0f),
                                          Vector2(0.0f, 0.0f), nullptr, nullptr);
    GUIWindow* logos[2] = {nullptr, nullptr};
    for (int i = 0; i < 2; ++i)
    {
        if (!fileManager->Exists("data\\" + LogoName(i)))
            continue;
        const ShaderDescriptor descriptor = MakeShaderDescriptor(LogoName(i), "32bit", true);
        logos[i] = guiManager->CreateTexturedWindow(GUIWindow::FlagShown | GUIWindow::FlagColored,
                                                    Vector2(0.0f, 0.0f), LogoSize, &descriptor, rootWindow,
                                                    LogoExtent);
    }
    firstLogo = logos[0] != nullptr ? logos[0] : logos[1];
    secondLogo = logos[0] != nullptr ? logos[1] : nullptr;
    if (firstLogo != nullptr)
        firstLogo->SetLevel(101);
    if (secondLogo != nullptr)
        secondLogo->SetLevel(100);
}

GUILogosWindow::~GUILogosWindow()
{
    guiManager->ReleaseWindow(firstLogo);
    guiManager->ReleaseWindow(secondLogo);
    guiManager->ReleaseWindow(rootWindow);
}

void GUILogosWindow::Show()
{
    GUILogosWindowBase::Show();
    active = true;
}

void GUILogosWindow::Hide()
{
    GUILogosWindowBase::Hide();
    active = false;
    guiManager->ReleaseWindow(firstLogo);
    guiManager->ReleaseWindow(secondLogo);
    firstLogo = nullptr;
    secondLogo = nullptr;
}

void GUILogosWindow::Fade(GUIWindow& logo)
{
    const float alpha = std::max(1.0f - std::max(time - HoldSeconds, 0.0f) / FadeSeconds, 0.0f);
    logo.SetColor(Color(1.0f, 1.0f, 1.0f, alpha));
    if (alpha < Epsilon)
    {
        time = 0.0f;
        logo.ClearFlags(GUIWindow::FlagShown);
    }
}

void GUILogosWindow::Update()
{
    GUILogosWindowBase::Update();
    if (!active)
        return;
    if (firstLogo == nullptr)
    {
        result = 1;
        return;
    }
    time += timerManager->frameTime;
    if (firstLogo->visible)
        Fade(*firstLogo);
    else if (secondLogo != nullptr && secondLogo->visible)
        Fade(*secondLogo);
    else
        result = 1;
}

} // namespace Mirabel
