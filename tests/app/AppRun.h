#pragma once

// The whole application on the test back end, driven through the frame's command routing.
#include "support/TestBackend.h"

#include "app/TrackwrightApp.h"
#include "document/TrackwrightDoc.h"
#include "framework/AfxRes.h"
#include "framework/CFrameWnd.h"
#include "view/TrackwrightView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class AppRun : public ::testing::Test {
protected:
    // Every orphaned recovery copy is offered at start: each test gets an empty recovery folder
    // of its own, so no test is offered what another left.
    AppRun()
    {
        const std::filesystem::path state = std::filesystem::path(TempPath("course.crs")).parent_path() / "state";
        std::filesystem::remove_all(state);
        setenv("XDG_STATE_HOME", state.c_str(), 1);
    }

    void Start(std::vector<std::string> args = {"trackwright"})
    {
        app.SetCommandLine(std::move(args));
        ASSERT_TRUE(app.InitInstance());
    }

    CTrackwrightDoc& Doc() { return *static_cast<CTrackwrightDoc*>(app.GetDocTemplate()->GetDocument()); }
    CFrameWnd& Frame() { return *app.GetDocTemplate()->GetFrame(); }
    CTrackwrightView& View() { return *static_cast<CTrackwrightView*>(Frame().GetActiveView()); }
    int HandleCount() { return Doc().m_course.m_handles.GetSize(); }
    const std::string& Title() const { return backend.frameHost.title; }

    // A menu command as the frame routes it; false when nothing handled it.
    bool Command(UINT id) { return Frame().OnCmdMsg(id, CN_COMMAND, nullptr); }
    CCmdUI Update(UINT id)
    {
        CCmdUI ui(id);
        Frame().UpdateCmdUI(ui);
        return ui;
    }

    // DEL over the first control point of the default course: one real edit.
    void DeleteFirstHandle()
    {
        backend.viewHost.cursor = CPoint(400 + static_cast<int>(300.0f * View().m_fZoom + 0.5f), 300);
        View().OnKeyDown(VK_DELETE, 1, 0);
        ASSERT_EQ(HandleCount(), 3);
    }

    // A fresh file name in a folder of this test's own.
    std::string TempPath(const std::string& name)
    {
        const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "tw_app" /
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(dir);
        std::filesystem::remove(dir / name);
        return (dir / name).string();
    }

    TestBackend backend;
    CTrackwrightApp app;
};
