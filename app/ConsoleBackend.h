#pragma once

#include "app/CommandText.h"
#include "framework/Backend.h"
#include "res/Resource.h"

#include <cstdio>
#include <string>

// Message boxes become lines on stderr; there is no window to ask anything.
class ConsoleBackend : public CBackend {
public:
    bool CreateFrameWindow(CFrameWnd*) override { return false; }
    void ShowFrameWindow(CFrameWnd*, int) override {}
    void DestroyFrameWindow(CFrameWnd*) override {}
    int Run() override { return 0; }
    int MessageBox(const std::string& text, const std::string&, UINT) override
    {
        Say(text);
        return IDOK;
    }
    bool PromptFileName(std::string&, bool, const std::string&) override { return false; }
    int DoModal(CDialog*) override { return IDCANCEL; }
    std::string GetProfileString(const std::string&, const std::string&) override { return {}; }
    void WriteProfileString(const std::string&, const std::string&, const std::string&) override {}
    bool MakeGLCurrent() override { return true; }
    void SetStatusText(const std::string& text) override { Say(text); }

private:
    static void Say(const std::string& text) { PrintCommandText(stderr, IDS_CMD_MESSAGE, text.c_str()); }
};
