// The main of the window tests: one QApplication for all of them, and the toolkit's settings kept
// in a scratch folder so that no test touches the user's own.
#include <QApplication>
#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>

// The session bus and font configuration libraries keep buffers for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\nleak:libfontconfig.so\n";
}
#endif

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS(); // listing the tests needs no display
    namespace fs = std::filesystem;
    fs::path settings =
        fs::temp_directory_path() / ("torvex-gui-tests-" + std::to_string(getpid()));
    fs::create_directories(settings);
    QString settingsPath = QString::fromStdString(settings.string());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsPath);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsPath);
    int result;
    {
        QApplication application(argc, argv);
        QApplication::setApplicationName("Torvex - CAM");
        result = RUN_ALL_TESTS();
#if defined(__SANITIZE_ADDRESS__)
        // Check for leaks while the display's libraries are still loaded: the OpenGL driver is
        // unloaded when the application closes its display, and what it leaves behind then can
        // no longer be told apart from our own.
        __lsan_do_leak_check();
#endif
    }
    fs::remove_all(settings);
    return result;
}
