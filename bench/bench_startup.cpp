// Start to first frame on screen, one fresh process per run: `xvfb-run -a build/bench/bench_startup
// [course]`. `--write-large DIR` writes DIR/large.course (10,000 control points and 10,000 objects
// showing its map) and DIR/large.bmp (a 4096 x 4096 map) to start with.
#include "app/TrackwrightApp.h"
#include "bench/BenchCourse.h"
#include "file/CourseFile.h"
#include "framework/qt/QtBackend.h"
#include "framework/qt/QtMainWindow.h"
#include "framework/qt/QtViewWidget.h"
#include "view/TrackwrightView.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

// Seconds since boot at this process's start (field 22 of its stat, in clock ticks) and now.
double ProcessStartSinceBoot()
{
    std::ifstream stat("/proc/self/stat");
    std::string line, field;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    for (int i = 3; i <= 22 && fields >> field; ++i)
        if (i == 22)
            return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return 0.0;
}

int WriteLargeCourse(const std::string& dir)
{
    CTrackwrightDoc doc;
    FillCourse(doc, 10000, 10000);
    doc.m_colorMap = dir + "/large.bmp";
    doc.m_visibleMap = 1;
    std::ofstream course(dir + "/large.course", std::ios::binary);
    course << CourseFileText(doc.StoredFields());
    return WriteMapBmp(doc.m_colorMap, 4096) && course ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--write-large")
        return WriteLargeCourse(argv[2]);
    PrepareQtApplication(CTrackwrightView::s_pfd);
    QApplication qapp(argc, argv);
    qapp.setQuitOnLastWindowClosed(false);
    double firstFrame = 0.0;
    {
        QtBackend backend;
        CTrackwrightApp app;
        std::vector<std::string> commandLine{"trackwright"};
        if (argc > 1)
            commandLine.emplace_back(argv[argc - 1]);
        app.SetCommandLine(commandLine);
        if (!app.InitInstance())
            return 1;
        QObject::connect(backend.MainWindow()->ViewWidget(), &QOpenGLWidget::frameSwapped, &qapp, [&] {
            if (firstFrame == 0.0) {
                firstFrame = ClockMs(CLOCK_BOOTTIME) / 1000.0;
                QTimer::singleShot(0, &qapp, &QApplication::quit);
            }
        });
        QTimer::singleShot(10000, &qapp, &QApplication::quit);
        QApplication::exec();
        app.GetDocTemplate()->CloseAll();
    }
    if (firstFrame == 0.0) {
        std::fprintf(stderr, "no frame was shown\n");
        return 1;
    }
    std::printf("start to first frame: %.0f ms\n", (firstFrame - ProcessStartSinceBoot()) * 1000.0);
    return 0;
}
