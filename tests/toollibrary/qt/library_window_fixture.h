#pragma once

#include "platform/message_sink.h"
#include "platform/qt/tool_window.h"
#include "tests/support/temp_folder.h"
#include "toollibrary/qt/tool_library_window.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace torvex {

// The library window over a copy of the sample library and its slot pictures, shown at a size.
class LibraryWindowFixture : public ::testing::Test {
protected:
    LibraryWindowFixture(const char* folder, QSize size)
        : Folder(folder), KnifePopupWindow("", ToolWindow::Frame::SmallTool, nullptr),
          SupportPopupWindow("", ToolWindow::Frame::SmallTool, nullptr) {
        namespace fs = std::filesystem;
        Folder.CopySampleLibrary(TORVEX_DATA);
        for (const char* picture : {"s1.bmp", "s2.bmp", "s3.bmp", "s4.bmp"})
            fs::copy_file(fs::path(TORVEX_DATA) / picture, Folder.Path / picture);
        Window = std::make_unique<ToolLibraryWindow>(Folder.Path, KnifePopupWindow,
                                                     SupportPopupWindow, Messages, nullptr);
        Window->resize(size);
        Window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    }

    TempFolder Folder;
    RecordingMessageSink Messages;
    ToolWindow KnifePopupWindow;
    ToolWindow SupportPopupWindow;
    std::unique_ptr<ToolLibraryWindow> Window;
};

} // namespace torvex
