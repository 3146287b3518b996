// The Qt tests need their QApplication before any test runs, and a settings folder of
// their own so a user's profile is never touched.
#include "framework/qt/QtBackend.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    std::string dir = (std::filesystem::temp_directory_path() / "tw_qt_test_XXXXXX").string();
    if (!mkdtemp(dir.data()))
        return 2;
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    PrepareQtApplication();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return result;
}
