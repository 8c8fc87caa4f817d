#pragma once

#include <string>
#include <vector>

namespace torvex {

// Where the core's message boxes go: a modal box in the program, stderr in the batch tool, a list
// in the tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // Asks a question that is answered yes or no; true for yes.
    virtual bool Confirm(const std::string& question) = 0;
};

class RecordingMessageSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    bool Confirm(const std::string& question) override {
        Questions.push_back(question);
        return Answer;
    }
    std::vector<std::string> Messages;
    std::vector<std::string> Questions;
    bool Answer = true; // the answer to every question
};

} // namespace torvex
