#pragma once

// A log, a configuration and a device-less render system, as the engine
// would hand them to the renderer's users.

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "tests/support/RecordingRenderSystem.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace corvellan::test
{

class RecordingRenderFixture : public ::testing::Test
{
protected:
    // Every error line of the log's frame list.
    int CountErrors() const
    {
        int errors = 0;
        for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
            errors += log.GetMessage(static_cast<std::uint32_t>(i)).level == 2 ? 1 : 0;
        return errors;
    }

    TempFolder folder;
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), "Data"};
    OrvaneEngine::Config config{&log, &files, folder.Path(), "Test", false, "800x600x32", false, false};
    RecordingRenderSystem renderSystem{&log, &config};
};

} // namespace corvellan::test
