#include "platform/prefix/ProcessorFacts.h"

#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

#include <array>
#include <cstdio>
#include <cstring>

namespace galemend {

namespace {

struct Fields {
    std::uint32_t family;  // the base family
    std::uint32_t model;   // the base model
    std::uint32_t stepping;
    std::uint32_t extendedFamily;  // added to family 15
    std::uint32_t extendedModel;   // above the base model
};

Fields Unpacked(std::uint32_t eax) {
    return {(eax >> 8) & 0xF, (eax >> 4) & 0xF, eax & 0xF, (eax >> 20) & 0xFF, (eax >> 16) & 0xF};
}

std::string Hex4(std::uint32_t value) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%04x", value);
    return text.data();
}

}  // namespace

ProcessorFacts WinebootProcessorFacts(const ProcessorSignature& signature, unsigned processors,
                                      PrefixArch arch) {
    const Fields f = Unpacked(signature.leaf1Eax);
    const bool amd = signature.vendor == "AuthenticAMD";
    const bool intel = signature.vendor == "GenuineIntel";

    // The identifier's own reading: the extended model counts for families 6 and 15 only,
    // the extended family for family 15 only, whatever the vendor.
    const std::uint32_t idFamily = f.family == 15 ? f.family + f.extendedFamily : f.family;
    const std::uint32_t idModel =
        f.family == 6 || f.family == 15 ? f.model | f.extendedModel << 4 : f.model;

    // Level and revision come from the system's processor record, which reads them per
    // vendor: Intel adds the extended family always and calls family 15 level 6; AMD adds it
    // to family 15 only; both pack the extended model into the revision, others do not.
    std::uint32_t level = f.family;
    std::uint32_t revision = f.model << 8 | f.stepping;
    if (amd || intel) {
        revision |= f.extendedModel << 12;
        if (intel) {
            level = f.family + f.extendedFamily;
            if (level == 15) {
                level = 6;
            }
        } else if (f.family == 15) {
            level += f.extendedFamily;
        }
    }

    ProcessorFacts facts;
    const bool win64 = arch == PrefixArch::Win64;
    facts.architecture = win64 ? "AMD64" : "x86";
    const std::string family = !win64 ? "x86" : amd ? "AMD64" : "Intel64";
    facts.identifier = family + " Family " + std::to_string(idFamily) + " Model " +
                       std::to_string(idModel) + " Stepping " + std::to_string(f.stepping) + ", " +
                       signature.vendor;
    facts.level = std::to_string(level);
    facts.revision = Hex4(revision);
    facts.count = std::to_string(processors);
    return facts;
}

std::optional<ProcessorSignature> LiveProcessorSignature() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(0, &eax, &ebx, &ecx, &edx)) {
        return std::nullopt;
    }
    ProcessorSignature signature;
    std::array<char, 12> vendor{};
    std::memcpy(vendor.data(), &ebx, 4);
    std::memcpy(vendor.data() + 4, &edx, 4);
    std::memcpy(vendor.data() + 8, &ecx, 4);
    signature.vendor.assign(vendor.data(), vendor.size());
    // The vendor text is twelve bytes with no terminator; it ends at a zero byte if any.
    signature.vendor.resize(std::strlen(signature.vendor.c_str()));
    if (eax >= 1 && __get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        signature.leaf1Eax = eax;
    }
    return signature;
#else
    return std::nullopt;
#endif
}

unsigned LiveProcessorCount() {
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online < 1 ? 1u : static_cast<unsigned>(online);
}

}  // namespace galemend
