#include "support/TestBackend.h"

#include "framework/CFrameWnd.h"
#include "framework/CView.h"

std::string TestDialogHost::GetItemText(UINT nID) const
{
    const auto it = items.find(nID);
    return it == items.end() ? std::string() : it->second;
}

TestBackend::TestBackend()
{
    AfxSetBackend(this);
}

TestBackend::~TestBackend()
{
    if (AfxGetBackend() == this)
        AfxSetBackend(nullptr);
}

bool TestBackend::CreateFrameWindow(CFrameWnd* pFrame)
{
    if (failCreate)
        return false;
    pFrame->SetHost(&frameHost);
    CView* pView = pFrame->GetActiveView();
    if (pView)
        pView->SetHost(&viewHost);
    if (pFrame->OnCreate() == -1)
        return false;
    if (pView) {
        if (pView->OnCreate() == -1)
            return false;
        pView->OnSize(0, viewHost.client.right, viewHost.client.bottom);
    }
    return true;
}

void TestBackend::DestroyFrameWindow(CFrameWnd* pFrame)
{
    if (destroyed)
        return;
    destroyed = true;
    if (CView* pView = pFrame->GetActiveView())
        pView->OnDestroy();
}

int TestBackend::MessageBox(const std::string& text, const std::string& caption, UINT nType)
{
    messages.push_back({text, caption, nType});
    if (messageAnswers.empty())
        return IDOK;
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

bool TestBackend::PromptFileName(std::string& path, bool bOpen, const std::string& title)
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
    if (dialogScript)
        dialogScript(*pDlg, lastDialog);
    else
        pDlg->OnOK();
    pDlg->SetDialogHost(nullptr);
    return lastDialog.result == 0 ? IDCANCEL : lastDialog.result;
}

std::string TestBackend::GetProfileString(const std::string& section, const std::string& entry)
{
    const auto it = profile.find(section + "/" + entry);
    return it == profile.end() ? std::string() : it->second;
}

void TestBackend::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value)
{
    profile[section + "/" + entry] = value;
}

std::vector<std::string> TestBackend::MessageTexts() const
{
    std::vector<std::string> texts;
    for (const RecordedMessage& m : messages)
        texts.push_back(m.text);
    return texts;
}
