#include "game/GUILogosWindowPlaceholder.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"

namespace Mirabel
{

GUILogosWindowPlaceholder::GUILogosWindowPlaceholder(OrvaneEngine::Engine* engine) : GUILogosWindowBase(engine)
{
    engine->messageManager->Message("GUILogosWindowPlaceholder: no logos to show yet");
}

void GUILogosWindowPlaceholder::Update()
{
    GUILogosWindowBase::Update();
    if (!updated)
        result = 1;
    updated = true;
}

} // namespace Mirabel
