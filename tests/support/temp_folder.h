#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

namespace torvex {

// A fresh folder of its own for one test, removed with everything in it afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
        : Path(std::filesystem::temp_directory_path() /
               ("torvex-" + name + "-" + std::to_string(getpid()))) {
        std::filesystem::remove_all(Path);
        std::filesystem::create_directories(Path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Copies the sample tool library (indexes, Knives/ and Tails/) into the folder.
    void CopySampleLibrary(const std::filesystem::path& data) const {
        namespace fs = std::filesystem;
        for (const char* file : {"knives.dat", "tails.dat"})
            fs::copy_file(data / file, Path / file);
        for (const char* folder : {"Knives", "Tails"})
            fs::copy(data / folder, Path / folder, fs::copy_options::recursive);
    }

    std::filesystem::path Path;
};

} // namespace torvex
