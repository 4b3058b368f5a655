#include "platform/Registry.h"

#include <gtest/gtest.h>

namespace galemend {
namespace {

TEST(RegistryKeyPath, SplitsRootKeyAndValueName) {
    const auto path = SplitRegistryKeyPath(
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Brightforge\\Vantorhub\\corv\\Path");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->root, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(path->subKey, "SOFTWARE\\Wow6432Node\\Brightforge\\Vantorhub\\corv");
    EXPECT_EQ(path->valueName, "Path");
    EXPECT_FALSE(path->namesKey);
}

TEST(RegistryKeyPath, TrailingBackslashNamesTheKey) {
    const auto key = SplitRegistryKeyPath("HKCU\\Software\\Galemend\\");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->subKey, "Software\\Galemend");
    EXPECT_EQ(key->valueName, "");
    EXPECT_TRUE(key->namesKey);

    const auto rootValue = SplitRegistryKeyPath("HKCU\\Value");
    ASSERT_TRUE(rootValue);
    EXPECT_EQ(rootValue->subKey, "");
    EXPECT_EQ(rootValue->valueName, "Value");
}

TEST(RegistryKeyPath, NeedsARoot) {
    EXPECT_FALSE(SplitRegistryKeyPath(""));
    EXPECT_FALSE(SplitRegistryKeyPath("Path"));
    EXPECT_FALSE(SplitRegistryKeyPath("\\SOFTWARE\\Path"));
}

}  // namespace
}  // namespace galemend
