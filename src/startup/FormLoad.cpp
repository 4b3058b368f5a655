#include "startup/FormLoad.h"

namespace galemend {

std::string LineAt(const LineList& lines, size_t n) {
    return n >= 1 && n <= lines.size() ? lines[n - 1] : std::string();
}

void Form_Load(const InstallationContext& context, const SilentWork& silentRun) {
    ReadSystemFacts(context);
    DiscoverInstallation(context);
    CommandLineStage(context, silentRun);
}

}  // namespace galemend
