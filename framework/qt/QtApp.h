#pragma once

class CWinApp;

// Runs the program on Qt: the application's start-up with the command line, then the
// message loop. Returns the process exit code; 1 when the start-up failed.
int RunQtApplication(CWinApp& app, int argc, char** argv);
