// A command goes to the view, the document, the frame, then the application; the first handler
// wins. An item without an update handler is enabled by having a command handler.
#include "support/TestBackend.h"

#include "framework/AfxRes.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Commands 200 (view, document, application), 201 (document, application), 202 (application),
// 203 (the document's update handler only checks it); 204 has no handler.
std::string s_handler;

struct RouteView : CView {
    void On() { s_handler = "view"; }
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override
    {
        static const CmdMapEntry<RouteView> map[] = {{200, 200, &RouteView::On, nullptr}};
        return DispatchCmdMsg(this, map, nID, nCode, pCmdUI) || CView::OnCmdMsg(nID, nCode, pCmdUI);
    }
};

struct RouteDoc : CDocument {
    void On() { s_handler = "document"; }
    void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override
    {
        static const CmdMapEntry<RouteDoc> map[] = {{200, 201, &RouteDoc::On, nullptr},
                                                    {203, 203, nullptr, &RouteDoc::OnUpdateCheck}};
        return DispatchCmdMsg(this, map, nID, nCode, pCmdUI) || CDocument::OnCmdMsg(nID, nCode, pCmdUI);
    }
};

struct RouteApp : CWinApp {
    RouteApp() : CWinApp("Route") {}
    void On() { s_handler = "application"; }
    void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override
    {
        static const CmdMapEntry<RouteApp> map[] = {{200, 202, &RouteApp::On, nullptr},
                                                    {ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR, &RouteApp::On, &RouteApp::OnUpdateDisable}};
        return DispatchCmdMsg(this, map, nID, nCode, pCmdUI) || CWinApp::OnCmdMsg(nID, nCode, pCmdUI);
    }
};

TEST(CommandRouting, ViewThenDocumentThenFrameThenApplication)
{
    TestBackend backend;
    RouteApp app;
    RouteDoc doc;
    RouteView view;
    CFrameWnd frame;
    doc.AddView(&view);
    frame.SetActiveView(&view);
    frame.SetHost(&backend.frameHost);
    auto run = [&](UINT id) {
        s_handler.clear();
        return frame.OnCmdMsg(id, CN_COMMAND, nullptr) ? (s_handler.empty() ? "frame" : s_handler) : "";
    };
    auto update = [&](UINT id) {
        CCmdUI ui(id);
        frame.UpdateCmdUI(ui);
        return std::pair{ui.m_bEnabled != FALSE, ui.m_nCheck};
    };
    EXPECT_EQ(run(200), "view");
    EXPECT_EQ(run(201), "document");
    EXPECT_EQ(run(ID_VIEW_TOOLBAR), "frame");
    EXPECT_EQ(run(202), "application");
    EXPECT_EQ(run(204), "");
    s_handler.clear();
    EXPECT_EQ(update(204), std::pair(false, 0));
    EXPECT_EQ(update(202), std::pair(true, 0));
    EXPECT_EQ(update(203), std::pair(false, 1));
    EXPECT_EQ(update(ID_VIEW_TOOLBAR), std::pair(true, 1));   // the frame's update comes first: shown
    EXPECT_EQ(update(ID_FILE_SAVE), std::pair(true, 0));
    EXPECT_EQ(update(ID_EDIT_COPY), std::pair(false, 0));
    EXPECT_TRUE(s_handler.empty());   // asking does not run the command
    frame.SetActiveView(nullptr);     // without a view the document is out of the route too
    EXPECT_EQ(run(200), "application");
    doc.RemoveView(&view);
}

}  // namespace
