#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Vector2.h"

namespace OrvaneEngine
{
class Model;
}

namespace Mirabel
{

// The model's own matrix, preceded by a move of its box centre to the origin,
// so that the model can be placed and scaled about its centre.
OrvaneEngine::Matrix4 CentredBase(const OrvaneEngine::Model& model);

// Places the model at the point, scaled in x and y about its centre.
void PlaceCentred(OrvaneEngine::Model& model, const OrvaneEngine::Matrix4& base, const OrvaneEngine::Vector2& point,
                  float scale);

} // namespace Mirabel
