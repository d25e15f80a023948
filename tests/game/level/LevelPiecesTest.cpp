#include "engine/gui/GUIWindow.h"
#include "engine/render/ParticleSystem.h"
#include "game/GameLogic.h"
#include "game/GameLogicData.h"
#include "game/LevelSounds.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "tests/support/LevelHarness.h"
#include "tests/support/LevelScripts.h"
#include "tests/support/LevelSoundStarts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

namespace corvellan::test
{
namespace
{

// A level whose player holds a piece, so that the board lets highlights run.
class HoldingLevel
{
public:
    HoldingLevel() : scripts(level.Scripts(60.0f))
    {
        const Mirabel::PuzzleElement* piece = scripts.TakeFrontPiece();
        taken = piece != nullptr;
        held = taken ? piece->GetIndex() : 0;
    }
    Mirabel::PuzzleElement& Place(std::uint32_t index) { return *level.Logic().GetBoard()->GetPlaces()[index]; }
    std::uint32_t FirstWithState(std::uint32_t state) const
    {
        const auto& states = level.Puzzle().initialStates;
        for (std::uint32_t i = 0; i < states.size(); ++i)
        {
            if (states[i] == state && (state != 0 || i != held))
                return i;
        }
        return 0;
    }

    LevelHarness level;
    LevelScripts scripts;
    std::uint32_t held = 0;
    bool taken = false;
};

TEST(LevelPiecesTest, ATipHighlightPulsesWithItsEffectAndSoundUntilThePlaceIsFilled)
{
    HoldingLevel holding;
    ASSERT_TRUE(holding.taken);
    const std::uint32_t index = holding.FirstWithState(0);
    Mirabel::PuzzleElement& place = holding.Place(index);
    ASSERT_FALSE(place.IsVisible());
    LevelSoundStarts tipSound(holding.level.Sounds(), Mirabel::LevelSound::BonusTip);
    place.StartTipHighlight();
    EXPECT_TRUE(place.IsVisible());
    EXPECT_FALSE(place.IsFilled());
    const OrvaneEngine::ParticleSystem* effect = place.GetTipEffect();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->emitterKind, 2u);
    const auto& samples = holding.level.Puzzle().samplePoints[index];
    ASSERT_EQ(effect->emitterPoints.size(), samples.size());
    EXPECT_FLOAT_EQ(effect->emitterPoints[0].x, samples[0].x + 63.0f);
    EXPECT_FLOAT_EQ(effect->emitterPoints[0].y, samples[0].y + 63.0f);

    float highest = 0.0f;
    for (int i = 0; i < 60; ++i)
    {
        holding.level.Frame(17);
        tipSound.Check();
        highest = std::max(highest, place.GetWindow()->GetColor().a);
        EXPECT_LE(place.GetWindow()->GetColor().a, 0.4f + 1e-4f);
    }
    EXPECT_GT(highest, 0.35f);
    EXPECT_TRUE(place.IsTipHighlightRunning());
    EXPECT_TRUE(effect->emitting);
    EXPECT_GE(tipSound.starts, 1u);

    place.SetVisible(true);
    EXPECT_FALSE(place.IsTipHighlightRunning());
    EXPECT_FALSE(effect->emitting);
    const OrvaneEngine::Color white = place.GetWindow()->GetColor();
    EXPECT_FLOAT_EQ(white.r, 1.0f);
    EXPECT_FLOAT_EQ(white.b, 1.0f);
    EXPECT_FLOAT_EQ(white.a, 1.0f);
}

TEST(LevelPiecesTest, ABlockedPlaceShowsOnlyTheTipEffectAndForTwoAndAHalfSeconds)
{
    HoldingLevel holding;
    ASSERT_TRUE(holding.taken);
    Mirabel::PuzzleElement& blocked = holding.Place(holding.FirstWithState(1));
    ASSERT_EQ(blocked.GetState(), 1u);
    const OrvaneEngine::Color dark = blocked.GetWindow()->GetColor();
    blocked.StartTipHighlight();
    const OrvaneEngine::ParticleSystem* effect = blocked.GetTipEffect();
    ASSERT_NE(effect, nullptr);
    for (int i = 0; i < 24; ++i)
        holding.level.Frame(100);
    EXPECT_TRUE(effect->emitting);
    for (int i = 0; i < 2; ++i)
        holding.level.Frame(100);
    EXPECT_FALSE(effect->emitting);
    EXPECT_FLOAT_EQ(blocked.GetWindow()->GetColor().a, dark.a);
    EXPECT_FLOAT_EQ(blocked.GetWindow()->GetColor().r, dark.r);
}

TEST(LevelPiecesTest, AnOpenedPlaceFlashesForPiSecondsThenHides)
{
    LevelHarness level;
    const auto& states = level.Puzzle().initialStates;
    const auto blocked = static_cast<std::uint32_t>(std::find(states.begin(), states.end(), 1u) - states.begin());
    Mirabel::PuzzleElement& place = *level.Logic().GetBoard()->GetPlaces()[blocked];
    ASSERT_TRUE(place.IsVisible());
    place.SetState(0);
    EXPECT_TRUE(place.IsFlashRunning());
    float elapsed = 0.0f;
    float highest = 0.0f;
    while (place.IsFlashRunning() && elapsed < 10.0f)
    {
        level.Frame(10);
        elapsed += 0.01f;
        highest = std::max(highest, place.GetWindow()->GetColor().a);
    }
    EXPECT_NEAR(elapsed, std::numbers::pi_v<float>, 0.021f);
    EXPECT_NEAR(highest, 0.9f, 0.01f);
    EXPECT_FALSE(place.IsVisible());
    EXPECT_FALSE(place.IsFilled());
}

} // namespace
} // namespace corvellan::test
