#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/prefix/WineRegistry.h"

// The processor variables of a Wine process. wineboot writes them to the machine's
// Session Manager\Environment key at the start of every Wine session, from the processor it
// runs on, and each program started after it copies them from there: a program under Wine sees
// the live machine, not the one the prefix was made on.
namespace galemend {

// What the processor's identification instruction reports.
struct ProcessorSignature {
    std::string vendor;          // "GenuineIntel", "AuthenticAMD", ...
    std::uint32_t leaf1Eax = 0;  // family, model and stepping, packed
};

// The variables as wineboot writes them, text as the environment holds it.
struct ProcessorFacts {
    std::string architecture;  // PROCESSOR_ARCHITECTURE
    std::string identifier;    // PROCESSOR_IDENTIFIER
    std::string level;         // PROCESSOR_LEVEL
    std::string revision;      // PROCESSOR_REVISION, four hex digits
    std::string count;         // NUMBER_OF_PROCESSORS
};

// The values wineboot of that architecture (a 32-bit prefix runs a 32-bit wineboot) writes
// for this processor and this many processors online.
ProcessorFacts WinebootProcessorFacts(const ProcessorSignature& signature, unsigned processors,
                                      PrefixArch arch);

// The processor this program runs on; nothing on a machine without the x86 instruction.
std::optional<ProcessorSignature> LiveProcessorSignature();

// The number of processors online, as Wine counts them (at least one).
unsigned LiveProcessorCount();

}  // namespace galemend
