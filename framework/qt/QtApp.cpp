#include "framework/qt/QtApp.h"

#include "framework/CWinApp.h"
#include "framework/qt/QtBackend.h"

#include <QApplication>

#include <string>
#include <vector>

int RunQtApplication(CWinApp& app, const PIXELFORMATDESCRIPTOR& viewRequest, int argc, char** argv)
{
    PrepareQtApplication(viewRequest);
    QApplication qapp(argc, argv);
    // The program ends when its frame is closed or destroyed, not when some window goes.
    qapp.setQuitOnLastWindowClosed(false);

    int code = 0;
    {
        QtBackend backend;
        // Qt took its own options out of argv; the rest belongs to the program.
        std::vector<std::string> args;
        for (int i = 0; i < argc; ++i)
            args.emplace_back(argv[i] ? argv[i] : "");
        app.SetCommandLine(std::move(args));
        code = app.InitInstance() ? app.Run() : 1;
        // The view, frame and document go while their windows and GL context still exist.
        if (CSingleDocTemplate* pTemplate = app.GetDocTemplate())
            pTemplate->CloseAll();
    }
    return code;
}
