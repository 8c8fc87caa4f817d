#include "app/startup_directory.h"

namespace torvex {

namespace fs = std::filesystem;

bool IsWorkspace(const fs::path& folder) {
    std::error_code unreadable;
    return fs::is_directory(folder / "Models", unreadable) ||
           fs::exists(folder / "knives.dat", unreadable);
}

StartupChoice ChooseStartupDirectory(const fs::path& current, const fs::path& home,
                                     const fs::path& samples) {
    if (IsWorkspace(current))
        return {current, ""};
    if (home.empty())
        return {current, "Working in " + current.string() + ": there is no home folder"};
    fs::path own = home / "Torvex";
    if (IsWorkspace(own))
        return {own, "Working in " + own.string()};
    std::error_code failed;
    fs::create_directories(own, failed);
    if (failed)
        return {current, "Working in " + current.string() + ": " + own.string() +
                             " cannot be made (" + failed.message() + ")"};
    if (!fs::is_directory(samples, failed))
        return {own, "Working in " + own.string() + ": no samples in " + samples.string()};
    fs::copy(samples, own, fs::copy_options::recursive | fs::copy_options::skip_existing, failed);
    if (failed)
        return {own, "Working in " + own.string() + ": the samples could not all be copied (" +
                         failed.message() + ")"};
    return {own, "Working in " + own.string() + ", made from the samples"};
}

} // namespace torvex
