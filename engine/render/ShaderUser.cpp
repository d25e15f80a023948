#include "engine/render/ShaderUser.h"

#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderStageFunctions.h"

#include <algorithm>

namespace OrvaneEngine
{

ShaderUser::ShaderUser(MessageManager* log_, TimerManager* timers_, Shader* shader_, const ShaderDescriptor& descriptor)
    : ShaderDescriptor(descriptor), log(log_), timers(timers_), shader(shader_)
{
    for (std::uint32_t index = 0; index < std::min(stageCount, MaxStages); ++index)
    {
        if (stages[index].flags & ShaderStage::RandomStart)
            animationTime[index] = RandomFloatRange(0.0f, static_cast<float>(stages[index].frameCount));
    }
    ++shader->userCount;
}

ShaderUser::~ShaderUser()
{
    if (--shader->userCount == 0)
        delete shader;
}

void ShaderUser::Update()
{
    for (std::uint32_t index = 0; index < std::min(stageCount, MaxStages); ++index)
        UpdateStageAnimation(stages[index], animationTime[index], timers->frameTime);
}

void ShaderUser::Apply()
{
    shader->Apply(*this);
}

} // namespace OrvaneEngine
