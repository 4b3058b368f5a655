// The native run's checks of the prefix it is given: each bad prefix ends the run with one
// line naming the folder or file and its problem, and a status of its own, before anything is
// read or written.
#include "linux/PrefixRun.h"

#include <gmock/gmock.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FakePrefix.h"

namespace galemend::test {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
namespace fs = std::filesystem;

struct Outcome {
    unsigned status;
    std::string out, err;
};

Outcome RunIn(const std::string& prefix) {
    NativeOptions options;
    options.prefix = prefix;
    options.silent = true;
    std::ostringstream out, err;
    const unsigned status = RunInPrefix(options, prefix, out, err);
    return {status, out.str(), err.str()};
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(PrefixRun, AFolderThatIsNoPrefixOrWhoseRegistryCannotBeReadIsNamedInOneLine) {
    const FakePrefix prefix;
    const fs::path root = prefix.Path();
    const auto expectOneLine = [](const Outcome& run, const std::string& text) {
        EXPECT_EQ(run.status, static_cast<unsigned>(NativeStatus::BadPrefix));
        EXPECT_THAT(run.err, MatchesRegex("galemend: [^\n]*\n"));
        EXPECT_THAT(run.err, HasSubstr(text));
        EXPECT_EQ(run.out, "");
    };
    expectOneLine(RunIn((root / "nowhere").string()),
                  (root / "nowhere").string() + ": no such folder");
    expectOneLine(RunIn(root.string()), "no Wine prefix: it has no system.reg");

    WriteFile(root / "system.reg",
              "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n");
    WriteFile(root / "user.reg", "not a registry\n");
    expectOneLine(RunIn(root.string()), "user.reg");
    WriteFile(root / "user.reg", "");
    expectOneLine(RunIn(root.string()), "user.reg");
}

// A Wine server listening for the prefix, where upstream Wine keeps its socket.
class WineServerStandIn {
  public:
    explicit WineServerStandIn(const std::string& prefix) {
        struct stat info {};
        ::stat(prefix.c_str(), &info);
        char name[64];
        std::snprintf(name, sizeof name, "server-%llx-%llx",
                      static_cast<unsigned long long>(info.st_dev),
                      static_cast<unsigned long long>(info.st_ino));
        folder_ = fs::path("/tmp") / (".wine-" + std::to_string(::getuid())) / name;
        fs::create_directories(folder_);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string socket = (folder_ / "socket").string();
        std::memcpy(address.sun_path, socket.c_str(), socket.size() + 1);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        ::listen(fd_, 1);
    }
    ~WineServerStandIn() {
        ::close(fd_);
        fs::remove_all(folder_);
    }

  private:
    fs::path folder_;
    int fd_ = -1;
};

TEST(PrefixRun, APrefixWhereWineRunsIsLeftAlone) {
    const FakePrefix prefix;
    const fs::path root = prefix.Path();
    WriteFile(root / "system.reg", "");
    WriteFile(root / "user.reg", "");
    EXPECT_FALSE(PrefixInUse(root.string()));
    const WineServerStandIn server(root.string());
    EXPECT_TRUE(PrefixInUse(root.string()));
    const Outcome run = RunIn(root.string());
    EXPECT_EQ(run.status, static_cast<unsigned>(NativeStatus::InUse));
    EXPECT_THAT(run.err, HasSubstr(root.string() + ": Wine is running in this prefix"));
}

}  // namespace
}  // namespace galemend::test
