#pragma once

#include "platform/file_dialogs.h"

namespace torvex {

// The toolkit's own file dialogs, over the active window.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<std::filesystem::path> OpenFileName(const FileDialogOptions& options) override;
    std::optional<std::filesystem::path> SaveFileName(const FileDialogOptions& options) override;
};

} // namespace torvex
