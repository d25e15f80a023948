#include "framework/GUIStageCompleteWindowBase.h"

#include "framework/LevelRecord.h"

namespace GameFramework
{

GUIStageCompleteWindowBase::GUIStageCompleteWindowBase(OrvaneEngine::Engine* engineIn, LevelManagerBase* levelManagerIn)
    : engine(engineIn), levelManager(levelManagerIn)
{
}

GUIStageCompleteWindowBase::~GUIStageCompleteWindowBase() = default;

void GUIStageCompleteWindowBase::Update()
{
    result = 0;
}

void GUIStageCompleteWindowBase::Show(LevelRecord* levelRecord)
{
    stageIndex = levelRecord->stageIndex;
    levelIndex = levelRecord->levelIndex;
}

void GUIStageCompleteWindowBase::Hide()
{
}

} // namespace GameFramework
