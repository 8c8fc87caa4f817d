#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

struct FileDialogOptions {
    std::string Title;
    // Pairs of caption and patterns, all joined by '|': "Model files (*.mdl)|*.mdl|All files
    // (*.*)|*.*". Several patterns in one entry are separated by ';'.
    std::string Filter;
    std::string DefaultExtension; // ".mdl": added to a typed name without an extension
    std::filesystem::path InitialDirectory;
    std::string InitialName; // the file name the dialog proposes; none when empty
};

// The open and save dialogs, behind an interface so that tests can answer them.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file's full name, or nothing when the user cancels.
    virtual std::optional<std::filesystem::path> OpenFileName(const FileDialogOptions& options) = 0;
    // Asks before overwriting an existing file.
    virtual std::optional<std::filesystem::path> SaveFileName(const FileDialogOptions& options) = 0;
};

// The filter's entries as file dialogs list them: "caption (patterns)", patterns separated by
// blanks; a caption that already shows its patterns in brackets is kept as it is, an entry without
// a pattern matches every file. A caption without its pattern is dropped.
std::vector<std::string> DialogFilterEntries(std::string_view filter);

} // namespace torvex
