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
};

class RecordingMessageSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    std::vector<std::string> Messages;
};

} // namespace torvex
