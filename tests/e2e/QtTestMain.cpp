// A QApplication before any test, and a settings folder of the tests' own.
#include "framework/qt/QtBackend.h"
#include "view/TrackwrightView.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    std::string dir = (std::filesystem::temp_directory_path() / "tw_qt_test_XXXXXX").string();
    if (!mkdtemp(dir.data()))
        return 2;
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    setenv("XDG_STATE_HOME", (dir + "/state").c_str(), 1);   // recovery copies
    PrepareQtApplication(CTrackwrightView::s_pfd);
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // Mesa's DRI driver, unloaded at exit, would leave its allocations looking leaked to LSan.
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "/dri/"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return result;
}
