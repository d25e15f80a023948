#pragma once

// The model services of the support library as a test fixture: the writers
// assert that the file was written.

#include "tests/support/CountingCamera.h"
#include "tests/support/ModelServices.h"

#include <gtest/gtest.h>

#include <string>

namespace corvellan::test
{

class ModelFixture : public ::testing::Test, protected ModelServices
{
protected:
    void Put(const std::string& name, const content::ModelFileRecord& record,
             const content::ModelFileDamage& damage = {})
    {
        ASSERT_TRUE(WriteModel(name, record, damage));
    }

    void PutShader(const std::string& name, const content::ShaderFileRecord& record)
    {
        ASSERT_TRUE(WriteShader(name, record));
    }
};

} // namespace corvellan::test
