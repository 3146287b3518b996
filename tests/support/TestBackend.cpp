#include "support/TestBackend.h"
#include "framework/CFrameWnd.h"
namespace {
template <class Queue>
bool Pop(Queue& q, typename Queue::value_type& out)
{
    const bool any = !q.empty();
    if (any)
        out = q.front(), q.pop_front();
    return any;
}
}  // namespace
void TestWndHost::ReleaseCapture()
{
    const bool had = capture;
    capture = false;
    if (had && view)
        view->OnCaptureChanged(nullptr);
}
std::string TestDialogHost::GetItemText(UINT nID) const
{
    const auto it = items.find(nID);
    return it == items.end() ? std::string() : it->second;
}
TestBackend::TestBackend() { AfxSetBackend(this); }
TestBackend::~TestBackend()
{
    if (AfxGetBackend() == this)
        AfxSetBackend(nullptr);
}
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
    int answer = IDOK;
    Pop(messageAnswers, answer);
    return answer;
}
bool TestBackend::PromptFileName(std::string& path, bool, const std::string&) { return Pop(fileAnswers, path); }
int TestBackend::DoModal(CDialog* pDlg)
{
    lastDialog = TestDialogHost();
    pDlg->SetDialogHost(&lastDialog);
    pDlg->OnInitDialog();
    dialogScript ? dialogScript(*pDlg, lastDialog) : pDlg->OnOK();
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
