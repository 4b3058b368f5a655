#pragma once

#include <windows.h>

#include <string>

namespace galemend::test {

// The Windows path under Wine of a file given by its Unix path: drive Z: is the Unix root.
std::string WinePathOf(const std::string& unixPath);

struct ChildResult {
    DWORD exitCode = 0;
    std::string output;  // what the child wrote to its standard output
};

// Starts a program with exactly this command line (first its own name, then the arguments)
// and waits for it to end.
ChildResult RunChild(const std::string& commandLine);

// Deletes a registry key with all its subkeys and values; a missing key is fine.
void DeleteRegistryTree(HKEY root, const std::string& subKey);

}  // namespace galemend::test
