#include "StartupFixture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace galemend::test {

namespace {
std::filesystem::path Prepared(const ScopedTempDir& dir) {
    dir.MakeFolder("app");
    dir.MakeFolder("program files (x86)");
    dir.MakeFolder("Windows");
    return dir.Host() / "app";
}
}  // namespace

StartupTest::StartupTest() : fs({{'C', dir.Host().string()}}), current(Prepared(dir)) {
    probe.executableFolder = "C:\\app";
}

void StartupTest::Install(const std::string& edition, const std::string& folder) {
    probe.registry["HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Brightforge\\Vantorhub\\" + edition +
                   "\\Path"] = folder;
    MakeFolder(folder);
}

void StartupTest::MakeFolder(const std::string& path) {
    std::string relative = path.substr(3);  // after "C:\"
    std::replace(relative.begin(), relative.end(), '\\', '/');
    dir.MakeFolder(relative);
}

void StartupTest::GameExe(const std::string& folder, const std::string& exe,
                          const std::string& version) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (std::sscanf(version.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d) == 4) {
        probe.versionBlocks[folder + "\\" + exe] =
            FixedFileInfo({static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b),
                           static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(d)});
    }
}

void StartupTest::TargetVersions(const std::string& baseVersion,
                                 const std::string& sunderingVersion, const std::string& marker) {
    fs.WriteFile("targetcorvver.txt", baseVersion + "\r\nx\r\nx\r\nx\r\n" + sunderingVersion +
                                          "\r\nx\r\n" + marker + "\r\n");
}

void StartupTest::UseWindows(unsigned major, unsigned minor, bool is64) {
    probe.version = {true, 2, major, minor};
    if (!is64) {
        std::filesystem::remove(dir.Host() / "program files (x86)");
    }
}

std::optional<unsigned> StartupTest::Ends(const std::function<void()>& step) {
    try {
        step();
    } catch (const ProcessTerminated& end) {
        return end.exitStatus;
    }
    return std::nullopt;
}

std::optional<unsigned> StartupTest::RunFormLoad() {
    return Ends([&] {
        Form_Load(Context(), [&] {
            ++silentRuns;
            return silentResult;
        });
    });
}

}  // namespace galemend::test
