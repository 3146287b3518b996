#pragma once

#include "document/TrackwrightDoc.h"
#include "framework/CDC.h"
#include "framework/CView.h"
#include "framework/Wgl.h"
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "overlay/TextOverlay.h"
#include "view/EditInput.h"
#include "view/PartRuns.h"
#include "view/SceneLook.h"

#include <memory>
#include <string>

class CPreviewView;

// The top-down OpenGL view of the course: camera, frame routine, type list and catalogue.
class CTrackwrightView : public CView {
public:
    // Rows of the type list besides the catalogue's types (0, 1, ...): the "CtrlPnt" row on
    // top, and none at all.
    static constexpr int kControlPointRow = -1;
    static constexpr int kNoTypeRow = -2;
    // At zoom 1 the view shows this many course units above and below its centre.
    static constexpr double kViewHalfHeight = 100.0;

    static constexpr const char* RuntimeClassName = "CTrackwrightView";

    // dataDir: the folder of the program's data files (catalogue, font), with the trailing
    // separator; "" finds none.
    explicit CTrackwrightView(std::string dataDir = std::string());
    ~CTrackwrightView() override;

    CTrackwrightDoc* GetDocument() const;

    // Window life cycle (TrackwrightView.cpp).
    int OnCreate() override;
    void OnDestroy() override;
    BOOL OnEraseBkgnd() override { return TRUE; }
    void OnSize(UINT nType, int cx, int cy) override;
    void OnDraw() override { RenderScene(); }
    void OnInitialUpdate() override;

    void InitOpenGL();
    bool SetupPixelFormat();
    void CreateRGBPalette();

    // One frame; nothing at all when the picture the window keeps already shows the scene.
    void RenderScene();
    // Asks for a frame only when one drawn now would differ from the last.
    void InvalidateIfChanged();
    Vector3 ScreenToWorld(int px, int py) const;
    // Multiplies the zoom `steps` times, kept within ZoomLimits: beyond them the course would
    // shrink to a point or grow past what float positions can place.
    void ZoomBy(float factor, long long steps = 1);
    struct ZoomRange {
        float min;
        float max;
    };
    // From the whole course at about a hundredth of the view to 0.01 course units per pixel.
    ZoomRange ZoomLimits() const;
    // The part of the client area the type list leaves free, beside or below it: where Home
    // frames the course and a paste from outside the view lands.
    CRect FreeClientRect() const;

    // Commands (ViewCommands.cpp); the edit commands go to the editor.
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    // Centres the camera on the course and its objects and zooms so that all of them show.
    void OnViewShowAll();
    // "3D プレビュー": opens the preview window of this document, or brings it forward.
    void OnViewPreview();
    void OnUpdateViewPreview(CCmdUI* pCmdUI);
    // Closes the preview window if it is open; true when it was.
    bool ClosePreview();

    // The type-list row under a client point: kControlPointRow, a catalogue index, or kNoTypeRow.
    int HitTestTypeList(int x, int y) const;
    // Logical pixels (the handlers' and the window's) to the device pixels GL and the overlay
    // work in; the same on a screen of ratio 1.
    int ToDevicePixels(int logical) const;

    void ReadXObjectCatalogue();

    // Mouse and keyboard (ViewCommands.cpp): the view keeps the type list, the camera and the
    // button flags; the rest goes to the editor.
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKillFocus() override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    void OnMButtonDown(UINT nFlags, CPoint point) override;
    void OnMButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
    // The panning or zooming step of a mouse move with the right or middle button down.
    void NavigateStep(UINT nFlags, CPoint point);
    void OnUpdate(CView* pSender, long lHint, void* pHint) override;

    // The editor the mouse, keys and edit commands go to (the program gives one).
    void SetEditInput(std::unique_ptr<EditInput> input) { m_pEdit = std::move(input); }
    EditInput* GetEditInput() const { return m_pEdit.get(); }
    // Centres the view on `where` (same zoom) and selects the handle or the object alone; an
    // index past its list selects nothing.
    void ShowAndSelectPart(const Vector3& where, int handle, int object);
    // Course units one client pixel covers.
    float WorldPerPixel() const;
    // Shows text in the status bar.
    void SetStatusText(std::string text);

    // Drawn over the course (OverlayDrawing.cpp).
    void DrawSelection();
    void DrawRubberBand();
    void DrawTypeList();
    // The device pixels the type list of that look covers.
    PixelRect TypeListRect(const ViewLook& look) const;

    CRect m_rectClient;
    std::unique_ptr<CClientDC> m_pDC;
    CPalette* m_pOldPalette = nullptr;
    CPalette m_cPalette;
    float m_fZoom = 100.0f * 0.00765625f;
    CPoint m_ptLast;
    bool m_bLButtonDown = false;
    bool m_bRButtonDown = false;
    bool m_bMButtonDown = false;
    Vector3 m_vCamera;
    RecordList<XObjectType> m_XObjectTypes;
    std::string m_dataDir;
    TextOverlay m_TextOverlay;
    int m_nSelectedType = kControlPointRow;
    int m_nHoverType = kNoTypeRow;
    bool m_bShowTypeList = true;   // a thumbnail of the course draws none
    std::unique_ptr<EditInput> m_pEdit;
    std::string m_strStatus;   // the status bar text last shown
    // Frames drawn so far, what the last one showed, and the course kept in display lists.
    int m_nFrameCount = 0;
    int m_nWholeFrameCount = 0;   // of those, drawn whole
    SceneLook m_lastFrame;
    SceneLook m_nextFrame;
    PartRuns m_parts;
    // The 3-D preview; kept after its window closed until the next one opens.
    std::unique_ptr<CPreviewView> m_pPreview;
    // A frame redraws the regions that changed when their area is at most this share of the view.
    static constexpr double kPartialShare = 0.5;

private:
    WorldToPixels FrameMapping() const;
    // Clears and draws the whole frame, or only the pixels inside clip.
    void DrawFrame(const PixelRect* clip, const WorldToPixels& map, const PixelRect& typeList, bool* whole);

public:
    // Set while a frame is drawn: a frame asked for meanwhile is dropped.
    static bool s_bRendering;

    // The pixel format the view asks of its window.
    static const PIXELFORMATDESCRIPTOR s_pfd;
};
