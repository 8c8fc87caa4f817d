#pragma once

#include <filesystem>
#include <string>

namespace torvex {

// A folder is a workspace when it holds a Models/ folder or a knives.dat.
bool IsWorkspace(const std::filesystem::path& folder);

// The folder the program works in, and what the status bar says about it (nothing when the
// program was started inside a workspace).
struct StartupChoice {
    std::filesystem::path Directory;
    std::string Message;
};

// Started inside a workspace (`current`), the program works there. Started anywhere else (from
// the menu, a file manager), it works in `home`/Torvex, which takes the installed `samples` while
// it is not a workspace yet; a file already there is never overwritten. Without a home folder,
// or when the folder cannot be made, it stays in `current` and says why.
StartupChoice ChooseStartupDirectory(const std::filesystem::path& current,
                                     const std::filesystem::path& home,
                                     const std::filesystem::path& samples);

} // namespace torvex
