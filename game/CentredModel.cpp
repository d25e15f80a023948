#include "game/CentredModel.h"

#include "engine/render/Model.h"

namespace Mirabel
{

OrvaneEngine::Matrix4 CentredBase(const OrvaneEngine::Model& model)
{
    const OrvaneEngine::BoundingVolume& box = model.boundingVolume;
    const OrvaneEngine::Vector3 centre((box.localMin.x + box.localMax.x) * 0.5f,
                                       (box.localMin.y + box.localMax.y) * 0.5f,
                                       (box.localMin.z + box.localMax.z) * 0.5f);
    OrvaneEngine::Matrix4 toOrigin;
    OrvaneEngine::Matrix4::Translation(toOrigin, OrvaneEngine::Vector3(-centre.x, -centre.y, -centre.z));
    return model.baseMatrix.Multiply(toOrigin);
}

void PlaceCentred(OrvaneEngine::Model& model, const OrvaneEngine::Matrix4& base, const OrvaneEngine::Vector2& point,
                  float scale)
{
    OrvaneEngine::Matrix4 translation;
    OrvaneEngine::Matrix4::Translation(translation, OrvaneEngine::Vector3(point.x, point.y, 0.0f));
    const OrvaneEngine::Matrix4 scaling = OrvaneEngine::Matrix4::MakeScaling(OrvaneEngine::Vector3(scale, scale, 1.0f));
    model.worldMatrix = translation.Multiply(scaling).Multiply(base);
    model.boundingVolume.SetMatrix(model.worldMatrix);
}

} // namespace Mirabel
