#include "support/TestBackend.h"
#include "framework/CFrameWnd.h"

bool TestBackend::CreateFrameWindow(CFrameWnd* pFrame)
{
    pFrame->SetHost(&frameHost);
    CView* pView = pFrame->GetActiveView();
    if (pView)
        pView->SetHost(&viewHost);
    if (pFrame->OnCreate() == -1 || (pView && pView->OnCreate() == -1))
        return false;
    if (pView)
        pView->OnSize(0, viewHost.client.right, viewHost.client.bottom);
    return true;
}

void TestBackend::DestroyFrameWindow(CFrameWnd* pFrame)
{
    if (CView* pView = pFrame->GetActiveView(); pView && !destroyed)
        pView->OnDestroy();
    destroyed = true;
}

int TestBackend::MessageBox(const std::string& text, const std::string& caption, UINT nType)
{
    messages.push_back({text, caption, nType});
    const int answer = messageAnswers.empty() ? IDOK : messageAnswers.front();
    if (!messageAnswers.empty())
        messageAnswers.pop_front();
    return answer;
}

bool TestBackend::PromptFileName(std::string& path, bool, const std::string&)
{
    if (fileAnswers.empty())
        return false;
    path = fileAnswers.front();
    fileAnswers.pop_front();
    return true;
}

int TestBackend::DoModal(CDialog* pDlg)
{
    lastDialog = TestDialogHost();
    pDlg->SetDialogHost(&lastDialog);
    pDlg->OnInitDialog();
    dialogScript ? dialogScript(*pDlg, lastDialog) : pDlg->OnOK();
    pDlg->SetDialogHost(nullptr);
    return lastDialog.result == 0 ? IDCANCEL : lastDialog.result;
}
