#pragma once

#include "framework/CView.h"
#include "view/PreviewCamera.h"
#include "view/PreviewScene.h"

#include <string>

class CTrackwrightDoc;
class CTrackwrightView;

// "3D プレビュー": a second view of the editor's document in a window of its own, drawing the
// export's meshes in perspective. Left drag orbits, right or middle drag moves the target, the
// wheel dollies, Home frames the course, Page Up / Page Down step the drive view ("走行視点")
// to the next and previous control point. It follows every edit and every frame of the editor
// (hover and selection included).
class CPreviewView : public CView {
public:
    static constexpr const char* RuntimeClassName = "CPreviewView";
    // The profile entry its window's size and place are kept under.
    static constexpr const char* kPlaceKey = "Preview/Placement";

    explicit CPreviewView(CTrackwrightView* pEditor) : m_pEditor(pEditor) {}

    CTrackwrightDoc* GetDocument() const;
    bool IsOpen() const { return m_bOpen; }

    int OnCreate() override;
    void OnDestroy() override;
    BOOL OnEraseBkgnd() override { return TRUE; }
    void OnSize(UINT nType, int cx, int cy) override;
    void OnDraw() override { RenderPreview(); }
    void OnUpdate(CView* pSender, long lHint, void* pHint) override { Invalidate(FALSE); }

    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    void OnMButtonDown(UINT nFlags, CPoint point) override;
    void OnMButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnCaptureChanged(CWnd* pWnd) override;

    // Brings the scene up to date with the document and the editor's marks and draws a frame.
    void RenderPreview();
    // Home: the whole course in view.
    void OnViewHome();

    PreviewCamera m_camera;
    PreviewScene m_scene;
    int m_nFrames = 0;

private:
    void ButtonDown(CPoint point);
    void ButtonUp();
    void ShowTitle();

    CTrackwrightView* m_pEditor;
    bool m_bOpen = false;
    bool m_bHomePending = true;   // Home once the course is known
    int m_nButtons = 0;           // buttons held inside the window
    CPoint m_ptLast;
    int m_cx = 0;
    int m_cy = 0;
    std::string m_strTitle;
};
