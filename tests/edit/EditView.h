#pragma once

// An 800 x 600 view at zoom 1, camera at the origin, no GL: course (x, y) is pixel (400 + 3x, 300 - 3y).
// The course is the square of UseScene with object 0 "rock.x" inside it and object 1 "old oak.x" outside.
#include "support/Handles.h"
#include "support/TestBackend.h"

#include "document/TrackwrightDoc.h"
#include "edit/CourseEditor.h"
#include "framework/Resources.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "res/TrackwrightResources.h"
#include "view/TrackwrightView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

class EditView : public ::testing::Test {
protected:
    static CPoint Px(double x, double y)
    {
        return CPoint(static_cast<int>(std::lround(400.0 + 3.0 * x)), static_cast<int>(std::lround(300.0 - 3.0 * y)));
    }
    void SetUp() override
    {
        AfxSetResources(&TrackwrightResources());
        ASSERT_TRUE(doc.OnNewDocument());
        doc.AddView(&view);
        view.SetHost(&backend.viewHost);
        view.SetEditInput(std::make_unique<CourseEditor>(view));
        editor = static_cast<CourseEditor*>(view.GetEditInput());
        backend.viewHost.view = &view;   // a released capture reaches the view, as on screen
        view.OnSize(0, 800, 600);
        view.m_fZoom = 1.0f;
        view.m_vCamera = Vector3(0.0, 0.0, 100.0);
        view.m_TextOverlay.Size = 16;   // as the view's creation sets it: type list rows 16 pixels high
        view.m_XObjectTypes.RemoveAll();
        view.m_XObjectTypes.Add({"tree_pine.x", 3.0f, 3.0f});
        view.m_XObjectTypes.Add({"grandstand.x", 20.0f, 6.0f});
        UseScene();
    }
    void TearDown() override { doc.RemoveView(&view); }

    // A clockwise square of corners: 0 (0, 0), 1 (60, 0), 2 (60, -60), 3 (0, -60); tangents 60 long;
    // widths (left, right) 5 and 5 but (4, 1) at corner 2 and (8, 2) at corner 3.
    void UseScene()
    {
        RecordList<CourseHandle>& h = doc.m_course.m_handles;
        h.SetSize(0);
        h.Add(MakeHandle(0, 0, 60, 0, 0, -60));
        h.Add(MakeHandle(60, 0, 0, -60, -60, 0));
        h.Add(MakeHandle(60, -60, -60, 0, 0, 60, 4, 1));
        h.Add(MakeHandle(0, -60, 0, 60, 60, 0, 8, 2));
        doc.m_xobjects.SetSize(0);
        AddXObject(doc.m_xobjects, Vector3(30.0, -30.0, 0.0), "rock.x", 2.0f, 2.0f);
        AddXObject(doc.m_xobjects, Vector3(90.0, 0.0, 0.0), "old oak.x", 3.0f, 4.0f);
        doc.m_xobjects[1].Direction = 0.5f;
        doc.m_history.Clear();
        doc.SetModifiedFlag(false);
        editor->m_selection = CourseSelection();
    }

    CourseHandle& H(int i) { return doc.m_course.m_handles[i]; }
    int HandleCount() const { return doc.m_course.m_handles.GetSize(); }

    void Down(CPoint p, UINT flags = 0) { view.OnLButtonDown(flags | MK_LBUTTON, p); }
    void Move(CPoint p, UINT flags = 0) { view.OnMouseMove(flags, p); }
    void Up(CPoint p) { view.OnLButtonUp(0, p); }
    void Click(CPoint p, UINT flags = 0)
    {
        Down(p, flags);
        Up(p);
    }
    void Drag(CPoint from, CPoint to, UINT flags = 0)
    {
        Down(from, flags);
        Move(to, MK_LBUTTON | flags);
        Up(to);
    }
    void Key(UINT key) { view.OnKeyDown(key, 1, 0); }
    void Delete(CPoint cursor)
    {
        backend.viewHost.cursor = cursor;
        Key(VK_DELETE);
    }
    // A menu command as the frame routes it: the view first, then the document.
    bool Route(UINT id, int code, CCmdUI* ui) { return view.OnCmdMsg(id, code, ui) || doc.OnCmdMsg(id, code, ui); }
    void Run(UINT id) { EXPECT_TRUE(Route(id, CN_COMMAND, nullptr)); }
    // The menu item as the user sees it: text and enabled state.
    std::pair<std::string, bool> Item(UINT id)
    {
        CCmdUI ui(id);
        EXPECT_TRUE(Route(id, CN_UPDATE_COMMAND_UI, &ui));
        return {ui.m_strText, ui.m_bEnabled};
    }

    TestBackend backend;
    CTrackwrightDoc doc;
    CTrackwrightView view;
    CourseEditor* editor = nullptr;   // the view's, given in SetUp
};
