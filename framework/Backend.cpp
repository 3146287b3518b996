#include "framework/Backend.h"

#include "framework/CWinApp.h"

namespace {
CBackend* s_pBackend = nullptr;
}

void AfxSetBackend(CBackend* pBackend)
{
    s_pBackend = pBackend;
}

CBackend* AfxGetBackend()
{
    return s_pBackend;
}

int AfxMessageBox(const std::string& text, UINT nType, const std::string& caption)
{
    if (!s_pBackend)
        return IDOK;
    std::string title = caption;
    if (title.empty()) {
        CWinApp* pApp = AfxGetApp();
        title = pApp ? pApp->m_pszAppName : std::string();
    }
    return s_pBackend->MessageBox(text, title, nType);
}

void AfxSetStatusText(const std::string& text)
{
    if (s_pBackend)
        s_pBackend->SetStatusText(text);
}

bool AfxMakeGLCurrent()
{
    return s_pBackend && s_pBackend->MakeGLCurrent();
}

bool AfxClipboardHasText()
{
    return s_pBackend && s_pBackend->ClipboardHasText();
}

std::string AfxGetClipboardText()
{
    return s_pBackend ? s_pBackend->GetClipboardText() : std::string();
}

void AfxSetClipboardText(const std::string& text)
{
    if (s_pBackend)
        s_pBackend->SetClipboardText(text);
}
