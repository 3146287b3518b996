#pragma once

class CWinApp;
struct PIXELFORMATDESCRIPTOR;

// Runs the program on Qt: the application's start-up with the command line, then the
// message loop. Returns the process exit code; 1 when the start-up failed.
int RunQtApplication(CWinApp& app, const PIXELFORMATDESCRIPTOR& viewRequest, int argc, char** argv);
