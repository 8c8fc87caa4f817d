#pragma once

#include "platform/message_sink.h"

namespace torvex {

// The program's message box: modal, over the active window, titled with the application's name.
class MessageBoxSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override;
    bool Confirm(const std::string& question) override;
};

} // namespace torvex
