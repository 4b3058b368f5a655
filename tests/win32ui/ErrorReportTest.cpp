// Errors that escape a handler: one message with number and text, then the program ends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <stdexcept>

#include "platform/RuntimeError.h"
#include "startup/FormLoad.h"
#include "support/FakeSystemProbe.h"
#include "ui/Form1.h"

namespace galemend::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The exit status when the work ended the program.
std::optional<unsigned> EndsWith(FakeHost& probe, const std::function<void()>& work) {
    try {
        RunReportingErrors(probe, work);
    } catch (const ProcessTerminated& ended) {
        return ended.exitStatus;
    }
    return std::nullopt;
}

constexpr auto kRuntimeError = static_cast<unsigned>(ExitStatus::RuntimeError);

TEST(ErrorReport, RuntimeErrorShowsItsNumberAndText) {
    FakeHost host;
    EXPECT_EQ(EndsWith(host, [] { throw RuntimeError(ErrorNumber::PathNotFound, "C:\\x"); }),
              kRuntimeError);
    EXPECT_THAT(host.messages, ElementsAre("Run-time error '76':\r\n\r\nPath not found"));
}

TEST(ErrorReport, OtherFailuresAreReportedTheSameWay) {
    FakeHost host;
    EXPECT_EQ(EndsWith(host, [] { throw std::bad_alloc(); }), kRuntimeError);
    EXPECT_EQ(EndsWith(host, [] { throw std::logic_error("broken"); }), kRuntimeError);
    EXPECT_THAT(host.messages, ElementsAre("Run-time error '7':\r\n\r\nOut of memory",
                                           "Run-time error '51':\r\n\r\nInternal error: broken"));
}

TEST(ErrorReport, WorkThatSucceedsOrEndsByItselfPassesThrough) {
    FakeHost host;
    int runs = 0;
    EXPECT_EQ(EndsWith(host, [&] { ++runs; }), std::nullopt);
    EXPECT_EQ(EndsWith(host, [&] { host.Terminate(0); }), 0u) << "exit is no error";
    EXPECT_EQ(runs, 1);
    EXPECT_THAT(host.messages, IsEmpty());
}

}  // namespace
}  // namespace galemend::test
