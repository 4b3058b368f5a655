#pragma once

#include <functional>

#include "startup/ExitStatus.h"
#include "startup/InstallationContext.h"

namespace galemend {

// The silent run's search and conversion, done by the caller; returns how the process ends.
using SilentWork = std::function<ExitStatus()>;

// The whole start-up, before the window is first shown: system facts and diagnostic mode,
// installation discovery and the version check, then the command line. It may end the
// process through the probe (version mismatch, invalid argument, end of a silent run).
void Form_Load(const InstallationContext& context, const SilentWork& silentRun);

// Steps of start-up, in the order Form_Load runs them.
void ReadSystemFacts(const InstallationContext& context);
void DiscoverInstallation(const InstallationContext& context);
void CommandLineStage(const InstallationContext& context, const SilentWork& silentRun);

}  // namespace galemend
