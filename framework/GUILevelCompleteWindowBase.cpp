#include "framework/GUILevelCompleteWindowBase.h"

#include "framework/LevelRecord.h"

namespace GameFramework
{

GUILevelCompleteWindowBase::GUILevelCompleteWindowBase(OrvaneEngine::Engine* engineIn, LevelManagerBase* levelManagerIn)
    : engine(engineIn), levelManager(levelManagerIn)
{
}

GUILevelCompleteWindowBase::~GUILevelCompleteWindowBase() = default;

void GUILevelCompleteWindowBase::Update()
{
    result = 0;
}

void GUILevelCompleteWindowBase::Show(LevelRecord* levelRecord, float levelTimeIn)
{
    stageIndex = levelRecord->stageIndex;
    levelIndex = levelRecord->levelIndex;
    levelTime = levelTimeIn;
}

void GUILevelCompleteWindowBase::Hide()
{
}

} // namespace GameFramework
