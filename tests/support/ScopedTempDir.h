#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace galemend::test {

// A private folder on the real disk, removed with everything in it when the object goes.
// Paths and relative names are UTF-8, as the program's are.
class ScopedTempDir {
  public:
    ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;
    ~ScopedTempDir();

    const std::filesystem::path& Host() const { return host_; }
    // The folder as the program writes paths: Windows-style, no trailing backslash.
    // Natively this is the host path, whose "\" separators the POSIX backend maps.
    std::string Path() const;
    // Path() + "\" + relative, with "/" in relative turned into "\".
    std::string Path(std::string_view relative) const;

    // Creates a file (and its folders) holding exactly these bytes.
    void Write(std::string_view relative, std::string_view bytes) const;
    void MakeFolder(std::string_view relative) const;
    // Marks an entry hidden: on Windows by its attribute; natively its name must start with ".".
    void MakeHidden(std::string_view relative) const;
    // Gives an entry the system attribute (Windows only; natively nothing is a system file).
    void MakeSystem(std::string_view relative) const;
    bool Exists(std::string_view relative) const;
    std::string Read(std::string_view relative) const;

  private:
    std::filesystem::path host_;
};

}  // namespace galemend::test
