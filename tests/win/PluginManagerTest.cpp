#include <gtest/gtest.h>

#include <cstring>

#include "Harness.h"
#include "PluginManager.h"

namespace {

// Test modules built beside this test (see tests/CMakeLists.txt).
std::string TestModule(const char* name) {
    return std::string(QUOREL_TEST_MODULES) + "\\" + name;
}

bool IsLoaded(const char* name) {
    return GetModuleHandleA(TestModule(name).c_str()) != nullptr;
}

void* FactoryResult(const char* name) {
    HMODULE module = GetModuleHandleA(TestModule(name).c_str());
    auto factory = reinterpret_cast<void* (*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "_GetInstance")));
    return factory ? factory() : nullptr;
}

TEST(PluginManager, ReturnsTheObjectTheFactoryGives) {
    PluginManager manager;
    void* object = manager.LoadInput(TestModule("PluginA.dll").c_str());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object, FactoryResult("PluginA.dll"));
}

TEST(PluginManager, MissingModuleGivesNull) {
    PluginManager manager;
    EXPECT_EQ(manager.LoadOutput(TestModule("NoSuchPlugin.dll").c_str()), nullptr);
}

TEST(PluginManager, ModuleWithoutFactoryGivesNullAndStaysLoaded) {
    {
        PluginManager manager;
        EXPECT_EQ(manager.LoadMixer(TestModule("PluginNoExport.dll").c_str()), nullptr);
        EXPECT_TRUE(IsLoaded("PluginNoExport.dll"));
    }
    EXPECT_FALSE(IsLoaded("PluginNoExport.dll")) << "the destructor did not free it";
}

TEST(PluginManager, FactoryReturningNullGivesNull) {
    PluginManager manager;
    EXPECT_EQ(manager.LoadOutput(TestModule("PluginNull.dll").c_str()), nullptr);
}

TEST(PluginManager, LoadingASlotAgainFreesTheFirstModule) {
    PluginManager manager;
    ASSERT_NE(manager.LoadMixer(TestModule("PluginA.dll").c_str()), nullptr);
    ASSERT_NE(manager.LoadMixer(TestModule("PluginB.dll").c_str()), nullptr);
    EXPECT_FALSE(IsLoaded("PluginA.dll"));
    EXPECT_TRUE(IsLoaded("PluginB.dll"));
    // A failed load empties the slot too.
    EXPECT_EQ(manager.LoadMixer(TestModule("NoSuchPlugin.dll").c_str()), nullptr);
    EXPECT_FALSE(IsLoaded("PluginB.dll"));
}

TEST(PluginManager, SlotsAreIndependentAndAllFreedByTheDestructor) {
    {
        PluginManager manager;
        ASSERT_NE(manager.LoadInput(TestModule("PluginA.dll").c_str()), nullptr);
        ASSERT_NE(manager.LoadOutput(TestModule("PluginB.dll").c_str()), nullptr);
        ASSERT_EQ(manager.LoadMixer(TestModule("PluginNull.dll").c_str()), nullptr);
        EXPECT_TRUE(IsLoaded("PluginA.dll"));
        EXPECT_TRUE(IsLoaded("PluginB.dll"));
        EXPECT_TRUE(IsLoaded("PluginNull.dll"));
    }
    EXPECT_FALSE(IsLoaded("PluginA.dll"));
    EXPECT_FALSE(IsLoaded("PluginB.dll"));
    EXPECT_FALSE(IsLoaded("PluginNull.dll"));
}

// The real plug-ins of the built tree.
TEST(PluginModules, EachShippedModuleGivesOneObject) {
    const std::string plugins = harness::BuiltTreeFolder() + "\\Plugin\\";
    PluginManager manager;
    InputPlugin* input = manager.LoadInput((plugins + "Tessaly.dll").c_str());
    OutputPlugin* output = manager.LoadOutput((plugins + "Varnoth.dll").c_str());
    MixerPlugin* mixer = manager.LoadMixer((plugins + "Keldrin.dll").c_str());
    ASSERT_NE(input, nullptr);
    ASSERT_NE(output, nullptr);
    ASSERT_NE(mixer, nullptr);

    char version[8] = {};
    EXPECT_EQ(input->GetVersion(version), 1);
    EXPECT_STREQ(version, "2.1.0");
    EXPECT_EQ(input->GetState(), kInputStopped);
    EXPECT_EQ(input->SetOutput(output), 1);
    EXPECT_EQ(input->SetDecodeOptions(5, 7, 44100), 1);

    char outputVersion[8];
    std::memset(outputVersion, 'x', sizeof outputVersion);
    EXPECT_EQ(output->OutputGetVersion(outputVersion), 1);
    EXPECT_NE(std::memchr(outputVersion, '\0', sizeof outputVersion), nullptr);
    char mixerVersion[8];
    std::memset(mixerVersion, 'x', sizeof mixerVersion);
    EXPECT_EQ(mixer->MixerGetVersion(mixerVersion), 1);
    EXPECT_NE(std::memchr(mixerVersion, '\0', sizeof mixerVersion), nullptr);
}

} // namespace
