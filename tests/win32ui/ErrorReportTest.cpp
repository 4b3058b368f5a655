// Errors that escape a handler: one message with number and text, then the program ends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <stdexcept>

#include "platform/RuntimeError.h"
#include "startup/ExitStatus.h"
#include "support/FakeSystemProbe.h"
#include "ui/win32/ErrorReport.h"

namespace galemend::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The exit status when the work ended the program.
std::optional<unsigned> EndsWith(FakeSystemProbe& probe, const std::function<void()>& work) {
    try {
        RunReportingErrors(probe, work);
    } catch (const ProcessTerminated& ended) {
        return ended.exitStatus;
    }
    return std::nullopt;
}

constexpr auto kRuntimeError = static_cast<unsigned>(ExitStatus::RuntimeError);

TEST(ErrorReport, RuntimeErrorShowsItsNumberAndText) {
    FakeSystemProbe probe;
    EXPECT_EQ(EndsWith(probe, [] { throw RuntimeError(ErrorNumber::PathNotFound, "C:\\x"); }),
              kRuntimeError);
    EXPECT_THAT(probe.messages, ElementsAre("Run-time error '76':\r\n\r\nPath not found"));
}

TEST(ErrorReport, OtherFailuresAreReportedTheSameWay) {
    FakeSystemProbe probe;
    EXPECT_EQ(EndsWith(probe, [] { throw std::bad_alloc(); }), kRuntimeError);
    EXPECT_EQ(EndsWith(probe, [] { throw std::logic_error("broken"); }), kRuntimeError);
    EXPECT_THAT(probe.messages, ElementsAre("Run-time error '7':\r\n\r\nOut of memory",
                                            "Run-time error '51':\r\n\r\nInternal error: broken"));
}

TEST(ErrorReport, WorkThatSucceedsOrEndsByItselfPassesThrough) {
    FakeSystemProbe probe;
    int runs = 0;
    EXPECT_EQ(EndsWith(probe, [&] { ++runs; }), std::nullopt);
    EXPECT_EQ(EndsWith(probe, [&] { probe.Terminate(0); }), 0u) << "exit is no error";
    EXPECT_EQ(runs, 1);
    EXPECT_THAT(probe.messages, IsEmpty());
}

}  // namespace
}  // namespace galemend::test
