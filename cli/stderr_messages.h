#pragma once

#include "platform/message_sink.h"

#include <iostream>

namespace torvex {

// The batch tool's message box: the text on standard error.
class StderrMessageSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { std::cerr << text << '\n'; }
};

} // namespace torvex
