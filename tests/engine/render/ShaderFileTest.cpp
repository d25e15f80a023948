#include "content/PackWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::content::ShaderFileDamage;
using corvellan::content::ShaderFileRecord;
using corvellan::content::ShaderFileStage;
using corvellan::content::ShaderFileWriter;

class ShaderFileTest : public ::testing::Test
{
protected:
    ShaderFileTest() { log.ClearMessages(); }

    // name is a data name such as "fx\\a.srf"; the file goes under <root>/data.
    void Put(const std::string& name, const std::string& bytes)
    {
        std::string path = name;
        for (char& c : path)
            if (c == '\\')
                c = '/';
        ASSERT_TRUE(corvellan::test::WriteFileBytes(root.Join("data/" + path), bytes));
    }

    std::unique_ptr<FileManager> Files() { return std::make_unique<FileManager>(&log, root.Path(), "Data"); }

    // The text of the Error the reader throws, after checking that it is a
    // plain Error; "" when it reads the file.
    std::string ReadError(const std::string& name)
    {
        auto files = Files();
        log.ClearMessages();
        try
        {
            ShaderDescriptor descriptor(&log, files.get(), name);
        }
        catch (const Error& error)
        {
            EXPECT_EQ(typeid(error), typeid(Error));
            return error.GetText();
        }
        return "";
    }

    std::vector<std::string> Entries(std::uint32_t level) const
    {
        std::vector<std::string> texts;
        for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
        {
            const LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(index));
            if (entry.level == level)
                texts.push_back(entry.text);
        }
        return texts;
    }

    static std::string ErrorEntry(const std::string& text) { return "\nError: " + text + "!\n\n"; }

    static ShaderFileStage Stage(std::uint32_t type, std::uint32_t frames = 1)
    {
        ShaderFileStage stage;
        stage.animationType = type;
        stage.frameCount = frames;
        stage.diffuseName = "a.tga";
        return stage;
    }

    corvellan::test::TempFolder root;
    MessageManager log{"Test", false, false, "", ""};
};

TEST_F(ShaderFileTest, DamagedHeadersAndBodiesAreLoggedOnceAndThrownAsError)
{
    ShaderFileRecord record;
    record.stages.push_back(Stage(2, 4));
    const std::string whole = ShaderFileWriter::Build(record);
    const std::string format = "Incorrect \"fx\\a.srf\" file format";
    struct Case
    {
        std::string name;
        std::string bytes;
        std::string text;
    };
    auto withStage = [](ShaderFileStage stage) {
        ShaderFileRecord damaged;
        damaged.stages.push_back(stage);
        return ShaderFileWriter::Build(damaged);
    };
    ShaderFileStage noColumns = Stage(1, 8);
    noColumns.columns = 0;
    ShaderFileStage noRows = Stage(1, 8);
    noRows.rows = 0;
    ShaderFileDamage longer;
    longer.sizeField = static_cast<std::uint32_t>(whole.size() + 1);
    ShaderFileDamage magic;
    magic.magic = "OVSRX";
    ShaderFileDamage version;
    version.version = 210;
    const Case cases[] = {
        {"size field one more", ShaderFileWriter::Build(record, longer), format},
        {"magic", ShaderFileWriter::Build(record, magic), format},
        {"version 210", ShaderFileWriter::Build(record, version),
         "Incorrect \"fx\\a.srf\" format version, current is 211"},
        {"animated stage of 0 frames", withStage(Stage(2, 0)), format},
        {"animated stage of 10001 frames", withStage(Stage(4, 10001)), format},
        {"net of 0 frames", withStage(Stage(1, 0)), format},
        {"net of 0 columns", withStage(noColumns), format},
        {"net of 0 rows", withStage(noRows), format},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Put("fx\\a.srf", c.bytes);
        EXPECT_EQ(ReadError("fx\\a.srf"), c.text);
        EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(c.text)});
    }

    // Cut inside the stage's name, with the size field telling the truth.
    std::string cut = whole.substr(0, 101 + 16 + 3);
    cut[0] = static_cast<char>(cut.size());
    Put("fx\\a.srf", cut);
    const std::string readError = ReadError("fx\\a.srf");
    EXPECT_EQ(readError.rfind("Failed to read", 0), 0u) << readError;
    EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(readError)});

    const std::string missing = ReadError("fx\\missing.srf");
    EXPECT_NE(missing.find("missing.srf"), std::string::npos) << missing;
    EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(missing)});
}

TEST_F(ShaderFileTest, ThirdStageIsFatalWithoutALogLine)
{
    ShaderFileRecord record;
    for (int stage = 0; stage < 3; ++stage)
        record.stages.push_back(Stage(0));
    Put("a.srf", ShaderFileWriter::Build(record));
    auto files = Files();
    log.ClearMessages();
    try
    {
        ShaderDescriptor descriptor(&log, files.get(), "a.srf");
        FAIL() << "read three stages";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetText(), "Shader Stages: buffer is overflowed");
    }
    EXPECT_EQ(log.GetMessageCount(), 0);
}

TEST_F(ShaderFileTest, EveryAnimationTypeRoundTrips)
{
    for (std::uint32_t type = 0; type <= 4; ++type)
    {
        SCOPED_TRACE(type);
        ShaderFileRecord record;
        record.flags = 0x11 + type;
        record.ambientColor = {0.1f, 0.2f, 0.3f, 0.4f};
        record.diffuseColor = {0.5f, 0.6f, 0.7f, 0.8f};
        record.specularColor = {0.9f, 1.0f, 1.1f, 1.2f};
        record.emissiveColor = {1.3f, 1.4f, 1.5f, 1.6f};
        record.power = 7.5f;
        record.power2 = -2.0f;
        record.sourceBlend = 9;
        record.destinationBlend = 3;
        ShaderFileStage stage;
        stage.flags = 5 + type;
        stage.animationType = type;
        stage.frameCount = 10000;
        stage.speed = 2.5f + static_cast<float>(type);
        stage.columns = 5;
        stage.rows = 3;
        stage.diffuseName = "ui\\Diffuse.TGA";
        stage.opacityName = "ui\\opacity.bmp";
        stage.addressU = 0;
        stage.addressV = 7;
        stage.scaleU = 0.25f;
        stage.scaleV = 0.75f;
        stage.offsetU = -0.5f;
        stage.offsetV = 0.125f;
        record.stages.push_back(stage);
        const std::string bytes = ShaderFileWriter::Build(record);
        const std::size_t names = 1 + stage.diffuseName.size() + 1 + stage.opacityName.size();
        const std::size_t extra = type == 0 ? 0 : (type == 1 ? 16 : 8);
        EXPECT_EQ(bytes.size(), 101 + 8 + names + 24 + extra);
        Put("ui\\round.srf", bytes);

        auto files = Files();
        const ShaderDescriptor d(&log, files.get(), "ui\\round.srf");
        EXPECT_EQ(d.flags, 0x11 + type);
        EXPECT_FALSE(d.ambientColor != Color(0.1f, 0.2f, 0.3f, 0.4f));
        EXPECT_FALSE(d.diffuseColor != Color(0.5f, 0.6f, 0.7f, 0.8f));
        EXPECT_FALSE(d.specularColor != Color(0.9f, 1.0f, 1.1f, 1.2f));
        EXPECT_FALSE(d.emissiveColor != Color(1.3f, 1.4f, 1.5f, 1.6f));
        EXPECT_EQ(d.power, 7.5f);
        EXPECT_EQ(d.power2, -2.0f);
        EXPECT_EQ(d.sourceBlend, 9u);
        EXPECT_EQ(d.destinationBlend, 3u);
        ASSERT_EQ(d.stageCount, 1u);
        const ShaderStage& s = d.stages[0];
        EXPECT_EQ(s.flags, 5 + type);
        EXPECT_EQ(s.animationType, type);
        EXPECT_EQ(s.frameCount, type == 0 ? 0u : 10000u);
        EXPECT_EQ(s.speed, type == 0 ? 0.0f : 2.5f + static_cast<float>(type));
        EXPECT_EQ(s.columns, type == 1 ? 5u : 1u);
        EXPECT_EQ(s.rows, type == 1 ? 3u : 1u);
        EXPECT_EQ(s.diffuseName, "ui\\diffuse.tga");
        EXPECT_EQ(s.opacityName, "ui\\opacity.bmp");
        EXPECT_EQ(s.addressU, 0u);
        EXPECT_EQ(s.addressV, 7u);
        EXPECT_EQ(s.scaleU, 0.25f);
        EXPECT_EQ(s.scaleV, 0.75f);
        EXPECT_EQ(s.offsetU, -0.5f);
        EXPECT_EQ(s.offsetV, 0.125f);
        EXPECT_EQ(s.currentFrame, 0u);
        ShaderDescriptor expectedKey(0);
        expectedKey.AddStage(0, 0, 1, 1, 0, 0.0f, "ui\\diffuse.tga", "ui\\opacity.bmp", 0);
        EXPECT_EQ(d.key, expectedKey.key);
    }
    EXPECT_TRUE(Entries(2).empty());
}

TEST_F(ShaderFileTest, NoStageAndTwoStages)
{
    Put("empty.srf", ShaderFileWriter::Build({}));
    auto files = Files();
    const ShaderDescriptor empty(&log, files.get(), "empty.srf");
    EXPECT_EQ(empty.stageCount, 0u);
    EXPECT_EQ(empty.key, 0u);

    ShaderFileRecord record;
    record.stages.push_back(Stage(1, 8));
    record.stages.push_back(Stage(3, 12));
    record.stages[1].diffuseName = "b.tga";
    Put("two.srf", ShaderFileWriter::Build(record));
    const ShaderDescriptor two(&log, files.get(), "two.srf");
    ASSERT_EQ(two.stageCount, 2u);
    EXPECT_EQ(two.stages[0].animationType, 1u);
    EXPECT_EQ(two.stages[1].frameCount, 12u);
    EXPECT_EQ(two.stages[1].diffuseName, "\\b.tga");
}

TEST_F(ShaderFileTest, BareStageNamesTakeTheShaderFilesFolder)
{
    struct Case
    {
        std::string file;
        std::string written;
        std::string stored;
    };
    const Case cases[] = {
        {"fx\\a.srf", "Fire.TGA", "fx\\fire.tga"},
        {"fx\\a.srf", "\\x.tga", "\\x.tga"},
        {"fx\\a.srf", "ui\\x.tga", "ui\\x.tga"},
        {"fx\\a.srf", "", ""},
        {"fx\\deep\\a.srf", "x.tga", "fx\\deep\\x.tga"},
        {"a.srf", "x.tga", "\\x.tga"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.file + " " + c.written);
        ShaderFileRecord record;
        ShaderFileStage stage;
        stage.diffuseName = c.written;
        stage.opacityName = c.written;
        record.stages.push_back(stage);
        Put(c.file, ShaderFileWriter::Build(record));
        auto files = Files();
        const ShaderDescriptor d(&log, files.get(), c.file);
        EXPECT_EQ(d.stages[0].diffuseName, c.stored);
        EXPECT_EQ(d.stages[0].opacityName, c.stored);
    }

    // A root-level shader's stage names come out as "data\\\\x.tga": the
    // file layer reads the doubled separator as one.
    Put("x.tga", "picture");
    auto files = Files();
    const std::string path = MakeDataPath("\\x.tga");
    EXPECT_EQ(path, "data\\\\x.tga");
    EXPECT_TRUE(files->Exists(path));
    EXPECT_EQ(files->Open(path, false)->GetSize(), 7u);
}

TEST_F(ShaderFileTest, ShaderFileInAPack)
{
    ShaderFileRecord record;
    record.stages.push_back(Stage(0));
    corvellan::content::PackWriter pack;
    pack.Add("data\\packed\\p.srf", ShaderFileWriter::Build(record));
    ASSERT_TRUE(corvellan::test::WriteFileBytes(root.Join("Data/pack0.pak"), pack.Build()));
    auto files = Files();
    const ShaderDescriptor d(&log, files.get(), "packed\\p.srf");
    EXPECT_EQ(d.stages[0].diffuseName, "packed\\a.tga");
}

TEST_F(ShaderFileTest, ReaderOverMemory)
{
    ShaderFileRecord record;
    record.stages.push_back(Stage(2, 3));
    const std::string bytes = ShaderFileWriter::Build(record);
    FileBinary file("memory", false, false, true, static_cast<std::uint32_t>(bytes.size()), bytes.data());
    ShaderDescriptor d(0);
    d.ReadShaderFile(file, "fx\\m.srf");
    EXPECT_EQ(d.stages[0].diffuseName, "fx\\a.tga");
    EXPECT_EQ(d.stages[0].frameCount, 3u);
    EXPECT_EQ(file.GetPosition(), file.GetSize());
}

} // namespace
} // namespace OrvaneEngine
