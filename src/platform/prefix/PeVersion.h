#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace galemend {

// A file that carries the PE signature but whose structure cannot be followed to its version
// resource: a header, directory or data that lies outside the file, or an address no section
// holds. Under Wine such a file mostly has no version resource (the loader's reading fails
// and the plain reading finds nothing); data outside every section makes the program fail.
class PeFormatError : public std::runtime_error {
  public:
    PeFormatError(std::string path, std::string reason);

    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

  private:
    std::string path_;
    std::string reason_;
};

// The languages Wine tries when a file holds its version resource in several languages:
// neutral, then the user's language (of LC_MESSAGES) and its primary language, then the
// system's (of LC_CTYPE) and its primary language, then US English, then the first entry.
struct ResourceLanguages {
    std::uint16_t user = 0x0409;
    std::uint16_t system = 0x0409;
};

// The bytes of the version resource (type 16, id 1) of a PE32 or PE32+ image, as Wine's
// loader finds them in the file; nothing when it carries none, or is no PE image at all
// (not "MZ", no "PE\0\0" where the DOS header points, a 16-bit NE program). The result views
// image. Throws PeFormatError, naming path, when the structure cannot be followed. Never reads
// outside image.
std::optional<std::string_view> FindVersionResource(std::string_view image, std::string_view path,
                                                    const ResourceLanguages& languages = {});

// What VerQueryValueW(buffer, "\\") gives once GetFileVersionInfoW has copied resource into
// the buffer GetFileVersionInfoSizeW asked for: the value of the root block (normally the
// 52 bytes of VS_FIXEDFILEINFO), from the layout of the block as Wine reads it. The buffer is
// twice the resource and 5 bytes more, zeroed, with "FE2X" after the block's own length; a
// value that runs past that buffer is cut at its end (Windows would read beyond it).
std::string RootBlockOf(std::string_view resource);

// SystemProbe::VersionRootBlock for a file's bytes: nothing without a version resource.
std::optional<std::string> VersionRootBlockOfImage(std::string_view image, std::string_view path,
                                                   const ResourceLanguages& languages = {});

// The same for a host file; nothing when it cannot be read (missing, a folder, no access).
std::optional<std::string> VersionRootBlockOfFile(const std::string& hostPath,
                                                  const ResourceLanguages& languages = {});

}  // namespace galemend
