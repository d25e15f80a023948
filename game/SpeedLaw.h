#pragma once

namespace Mirabel
{

// The train's speed law and the timed effects on it. Speeds are GUI units per
// second, times seconds, ratios are free length over track length.

// Before rush and fast-forward, an emptier track runs faster.
float TargetSpeed(float freeRatio, bool relax, float rushSpeed, float fastForwardSpeed);

float DecayRush(float rushSpeed, float dt);
// An arcade train that has failed speeds into the hole.
float GrowRushAfterFailure(float rushSpeed, float dt);

// One frame of a timed speed: while time remains it ramps up to cap, then it
// decays to 0. Roll-back is capped at 160, the brake at the target speed.
void StepTimedSpeed(float& speed, float& time, float dt, float cap);
constexpr float kRollBackCap = 160.0f;

// A brake at most stops the train; only roll-back drives it backwards.
float TrainVelocity(float targetSpeed, float rollBackSpeed, float brakeSpeed);

// Brake seconds a PAUSE bonus adds.
float PauseBonusTime(float freeRatio);
// Brake seconds a combo adds; none while the track is less than a fifth full.
float ComboBrakeTime(float freeRatio, unsigned previousCombo);

// The introduction's head distance tau seconds after its start delay.
float IntroductionHead(float tau);

// One frame of the filling warning; true when it sounds.
bool StepWarning(float& warningTime, float freeLength, float dt);

// 0 before the end zone (the last 35 units), 1 at the very end.
float EndZoneSink(float distance, float trackLength);
constexpr float kEndZone = 35.0f;

// The tempo of the rolling-in sound for a rush speed.
float StartSoundTempo(float rushSpeed);

// One frame of the fast-forward ramp: up only after the button has been held
// half a second, down at once on release.
float StepFastForward(float speed, bool held, float holdTime, float rushSpeed, float dt);

// The carriage's distance in the final charge.
float ChargeDistance(float chargeTime, float chargeStart);

// The level's pause fade: out in 0.5 s, back in 1/1.3 s.
float StepPauseFade(float fade, bool paused, float dt);

} // namespace Mirabel
