#pragma once

#include "platform/file_dialogs.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <vector>

namespace torvex::testing {

// Answers the open and save dialogs from queues: an empty queue is a cancelled dialog. The
// options of every dialog asked for are kept.
class ScriptedDialogs : public FileDialogs {
public:
    std::optional<std::filesystem::path> OpenFileName(const FileDialogOptions& options) override {
        return Answer(Answers, options);
    }
    std::optional<std::filesystem::path> SaveFileName(const FileDialogOptions& options) override {
        return Answer(SaveAnswers, options);
    }

    std::deque<std::filesystem::path> Answers;
    std::deque<std::filesystem::path> SaveAnswers;
    std::vector<FileDialogOptions> Asked;

private:
    std::optional<std::filesystem::path> Answer(std::deque<std::filesystem::path>& answers,
                                                const FileDialogOptions& options) {
        Asked.push_back(options);
        if (answers.empty())
            return std::nullopt;
        std::filesystem::path answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace torvex::testing
