#include "support/TestBackend.h"

#include "framework/AfxRes.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CRecentFileList.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Commands 200 to 203 are handled by several targets; each handler names its target.
constexpr UINT kAll = 200;        // view, document, application
constexpr UINT kDocApp = 201;     // document, application
constexpr UINT kApp = 202;        // application only
constexpr UINT kCheckOnly = 203;  // the document's update handler only checks the item
constexpr UINT kNobody = 204;

std::vector<std::string> s_calls;

class RouteView : public CView {
public:
    void OnAll() { s_calls.push_back("view"); }
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override
    {
        static const CmdMapEntry<RouteView> map[] = {{kAll, kAll, &RouteView::OnAll, nullptr}};
        return DispatchCmdMsg(this, map, nID, nCode, pCmdUI) || CView::OnCmdMsg(nID, nCode, pCmdUI);
    }
};

class RouteDoc : public CDocument {
public:
    void OnAny() { s_calls.push_back("document"); }
    void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override
    {
        static const CmdMapEntry<RouteDoc> map[] = {
            {kAll, kDocApp, &RouteDoc::OnAny, nullptr},
            {kCheckOnly, kCheckOnly, nullptr, &RouteDoc::OnUpdateCheck},
        };
        return DispatchCmdMsg(this, map, nID, nCode, pCmdUI) || CDocument::OnCmdMsg(nID, nCode, pCmdUI);
    }
};

class RouteApp : public CWinApp {
public:
    RouteApp() : CWinApp("Route") {}
    void OnAny() { s_calls.push_back("application"); }
    void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override
    {
        static const CmdMapEntry<RouteApp> map[] = {
            {kAll, kApp, &RouteApp::OnAny, nullptr},
            {ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR, &RouteApp::OnAny, &RouteApp::OnUpdateDisable},
        };
        return DispatchCmdMsg(this, map, nID, nCode, pCmdUI) || CWinApp::OnCmdMsg(nID, nCode, pCmdUI);
    }
};

class CommandRouting : public ::testing::Test {
protected:
    void SetUp() override
    {
        s_calls.clear();
        doc.AddView(&view);
        frame.SetActiveView(&view);
        frame.SetHost(&backend.frameHost);
    }
    void TearDown() override { doc.RemoveView(&view); }

    std::string Run(UINT id)
    {
        s_calls.clear();
        const bool handled = frame.OnCmdMsg(id, CN_COMMAND, nullptr);
        return handled ? (s_calls.empty() ? std::string("frame") : s_calls.front()) : std::string();
    }
    CCmdUI Update(UINT id)
    {
        CCmdUI ui(id);
        frame.UpdateCmdUI(ui);
        return ui;
    }

    TestBackend backend;
    RouteApp app;
    RouteDoc doc;
    RouteView view;
    CFrameWnd frame;
};

TEST_F(CommandRouting, ViewThenDocumentThenFrameThenApplication)
{
    EXPECT_EQ(Run(kAll), "view");
    EXPECT_EQ(Run(kDocApp), "document");
    EXPECT_EQ(Run(ID_VIEW_TOOLBAR), "frame");
    EXPECT_EQ(Run(kApp), "application");
    EXPECT_EQ(Run(kNobody), "");
    EXPECT_EQ(s_calls.size(), 0u);

    // Without a view the document is out of the route too.
    frame.SetActiveView(nullptr);
    EXPECT_EQ(Run(kAll), "application");
}

TEST_F(CommandRouting, ItemsWithoutAnUpdateHandlerAreEnabledByHavingACommandHandler)
{
    EXPECT_FALSE(Update(kNobody).m_bEnabled);
    EXPECT_TRUE(Update(kApp).m_bEnabled);
    EXPECT_TRUE(s_calls.empty());   // asking does not run the command
    const CCmdUI checked = Update(kCheckOnly);
    EXPECT_FALSE(checked.m_bEnabled);
    EXPECT_EQ(checked.m_nCheck, 1);
    // The frame's own update handler comes before the application's.
    EXPECT_TRUE(Update(ID_VIEW_TOOLBAR).m_bEnabled);
    EXPECT_TRUE(Update(ID_FILE_SAVE).m_bEnabled);
    EXPECT_TRUE(Update(ID_FILE_PRINT).m_bEnabled);
    EXPECT_FALSE(Update(ID_EDIT_COPY).m_bEnabled);
}

}  // namespace
