#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace galemend {

// A private folder for one benchmark run (in the temporary folder unless told), removed
// afterwards.
class BenchFolder {
  public:
    BenchFolder() : BenchFolder(std::filesystem::temp_directory_path()) {}
    explicit BenchFolder(const std::filesystem::path& parent) {
        std::random_device random;
        path_ = parent / ("galemend-bench-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string Path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace galemend
