#include "platform/Registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FakeSystemProbe.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kPath = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Brightforge\\Vantorhub\\corv\\Path";

class RegistryAccessTest : public ::testing::Test {
  protected:
    test::FakeSystemProbe probe;
};

TEST_F(RegistryAccessTest, ReadInAnyCaseReadsTheValueAndIgnoresValueAndType) {
    probe.registry[kPath] = "C:\\Games\\Corvane";
    for (const char* word : {"read", "READ", "Read", "rEaD"}) {
        EXPECT_EQ(RegistryAccess(probe, word, kPath, "Path", "string"), "C:\\Games\\Corvane")
            << word;
    }
    EXPECT_EQ(probe.registry.size(), 1u) << "a read writes nothing";
}

TEST_F(RegistryAccessTest, FailedReadIsEmptyAndSilent) {
    EXPECT_EQ(RegistryAccess(probe, "read", kPath, "Path", "string"), std::nullopt);
    probe.registry[kPath] = "x";
    probe.registryRefuses = true;
    EXPECT_EQ(RegistryAccess(probe, "read", kPath, "Path", "string"), std::nullopt);
}

TEST_F(RegistryAccessTest, AnEmptyStoredValueIsStillAValue) {
    probe.registry[kPath] = "";
    EXPECT_EQ(RegistryAccess(probe, "read", kPath, "", ""), std::optional<std::string>(""));
}

TEST_F(RegistryAccessTest, WriteHandsValueAndTypeOverUnchangedAndReturnsNothing) {
    EXPECT_EQ(RegistryAccess(probe, "Write", kPath, "D:\\Corvane", "REG_SZ"), std::nullopt);
    EXPECT_EQ(probe.registry[kPath], "D:\\Corvane");
    EXPECT_THAT(probe.registryCalls,
                ElementsAre(std::string("write ") + kPath + "=D:\\Corvane (REG_SZ)"));
}

TEST_F(RegistryAccessTest, RejectedWriteIsAbsorbedAndStoresNothing) {
    EXPECT_EQ(RegistryAccess(probe, "write", kPath, "D:\\Corvane", "string"), std::nullopt);
    EXPECT_TRUE(probe.registry.empty());
    EXPECT_THAT(probe.registryCalls,
                ElementsAre(std::string("write ") + kPath + "=D:\\Corvane (string)"));
}

TEST_F(RegistryAccessTest, DeleteRemovesTheValueAndAbsorbsAMissingOne) {
    probe.registry[kPath] = "x";
    EXPECT_EQ(RegistryAccess(probe, "DELETE", kPath, "", ""), std::nullopt);
    EXPECT_TRUE(probe.registry.empty());
    EXPECT_EQ(RegistryAccess(probe, "delete", kPath, "", ""), std::nullopt);
    EXPECT_EQ(probe.registryCalls.size(), 2u);
}

TEST_F(RegistryAccessTest, OtherWordsTouchNothing) {
    probe.registry[kPath] = "x";
    for (const char* word : {"query", "", " read", "read ", "reads", "del"}) {
        EXPECT_EQ(RegistryAccess(probe, word, kPath, "y", "REG_SZ"), std::nullopt) << word;
    }
    EXPECT_THAT(probe.registryCalls, IsEmpty());
    EXPECT_EQ(probe.registry[kPath], "x");
}

}  // namespace
}  // namespace galemend
