#include "engine/gui/GUICursor.h"

// Placeholder bodies; the cursor's model and mapping replace them.
namespace OrvaneEngine
{

GUICursor::GUICursor(MessageManager* log_, Window* window_, ModelManager* modelManager_, Controls* controls_,
                     Camera* guiCamera_, const ShaderDescriptor*, float)
    : log(log_), window(window_), modelManager(modelManager_), controls(controls_), guiCamera(guiCamera_)
{
}
GUICursor::GUICursor(MessageManager* log_, Window* window_, ModelManager* modelManager_, Controls* controls_,
                     Camera* guiCamera_, const Model*)
    : log(log_), window(window_), modelManager(modelManager_), controls(controls_), guiCamera(guiCamera_)
{
}
GUICursor::~GUICursor() = default;
void GUICursor::UpdatePosition() {}
void GUICursor::Render() {}

} // namespace OrvaneEngine
