#pragma once

#include "platform/message_sink.h"

#include <ostream>

namespace torvex {

// The batch tool's message box: the text on its error stream.
class StreamMessageSink : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& stream) : Stream(stream) {}
    void ShowMessage(const std::string& text) override { Stream << text << '\n'; }
    // Nobody is there to answer: the batch tool never goes on on its own.
    bool Confirm(const std::string& question) override {
        Stream << question << " (no)\n";
        return false;
    }

private:
    std::ostream& Stream;
};

} // namespace torvex
