#include "game/SpeedLaw.h"

#include <algorithm>

namespace Mirabel
{
namespace
{

float Unit(float x)
{
    return std::clamp(x, 0.0f, 1.0f);
}

} // namespace

float TargetSpeed(float freeRatio, bool relax, float rushSpeed, float fastForwardSpeed)
{
    const float base = relax ? 40.0f : 8.0f;
    return base + 10.0f * Unit(freeRatio) + 10.0f * Unit(freeRatio - 0.8f) + 12.0f * Unit(freeRatio - 0.6f) +
           rushSpeed + fastForwardSpeed;
}

float DecayRush(float rushSpeed, float dt)
{
    return std::max(rushSpeed - std::max(0.7f * rushSpeed, 20.0f) * dt, 0.0f);
}

float GrowRushAfterFailure(float rushSpeed, float dt)
{
    return std::min(rushSpeed + std::max(1.9f * rushSpeed, 300.0f) * dt, 1300.0f);
}

void StepTimedSpeed(float& speed, float& time, float dt, float cap)
{
    time -= dt;
    if (time <= 0.0001f)
    {
        time = 0.0f;
        speed = std::max(speed - (0.6f * speed + 30.0f) * dt, 0.0f);
    }
    else
    {
        speed = std::min(speed + (0.9f * speed + 50.0f) * dt, cap);
    }
}

float TrainVelocity(float targetSpeed, float rollBackSpeed, float brakeSpeed)
{
    return targetSpeed - rollBackSpeed - std::max(brakeSpeed - rollBackSpeed, 0.0f);
}

float PauseBonusTime(float freeRatio)
{
    if (freeRatio > 0.9f)
        return 1.5f;
    if (freeRatio > 0.8f)
        return 3.5f;
    if (freeRatio > 0.6f)
        return 5.5f;
    return 9.5f;
}

float ComboBrakeTime(float freeRatio, unsigned previousCombo)
{
    return freeRatio < 0.8f ? 0.45f * static_cast<float>(previousCombo) : 0.0f;
}

float IntroductionHead(float tau)
{
    return (std::min(160.0f * tau, 750.0f) + 360.0f) * tau;
}

bool StepWarning(float& warningTime, float freeLength, float dt)
{
    if (freeLength >= 450.0f)
    {
        warningTime = 0.0f;
        return false;
    }
    warningTime -= dt;
    if (warningTime >= 0.0f)
        return false;
    warningTime = freeLength / 180.0f + 0.7f;
    return true;
}

float EndZoneSink(float distance, float trackLength)
{
    if (distance <= trackLength - kEndZone)
        return 0.0f;
    return Unit(1.0f - (trackLength - std::min(distance, trackLength)) / kEndZone);
}

float StartSoundTempo(float rushSpeed)
{
    return rushSpeed <= 300.0f ? 1.0f - 0.6f * (1.0f - rushSpeed / 300.0f) : 1.0f;
}

float StepFastForward(float speed, bool held, float holdTime, float rushSpeed, float dt)
{
    if (!held)
        return std::max(speed - std::max(380.0f, 5.0f * rushSpeed) * dt, 0.0f);
    if (holdTime > 0.5f)
        return std::min(speed + std::max(200.0f, 2.8f * speed) * dt, 300.0f);
    return speed;
}

float ChargeDistance(float chargeTime, float chargeStart)
{
    const float tau = std::max(chargeTime - 0.05f, 0.0f);
    return std::min(130.0f * tau, 600.0f) * tau + chargeStart;
}

float StepPauseFade(float fade, bool paused, float dt)
{
    return Unit(paused ? fade - 2.0f * dt : fade + 1.3f * dt);
}

} // namespace Mirabel
