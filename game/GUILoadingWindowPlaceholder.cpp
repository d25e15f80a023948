#include "game/GUILoadingWindowPlaceholder.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "framework/DataKeeper.h"

namespace Mirabel
{

GUILoadingWindowPlaceholder::GUILoadingWindowPlaceholder(OrvaneEngine::Engine* engine) : GUILoadingWindowBase(engine)
{
    engine->messageManager->Message("GUILoadingWindowPlaceholder: loads the game data and stays");
}

void GUILoadingWindowPlaceholder::Show(GameFramework::DataKeeper* dataKeeper)
{
    GUILoadingWindowBase::Show(dataKeeper);
    RunLoading();
}

} // namespace Mirabel
