#include "view/PreviewView.h"

#include "document/ExportDlg.h"
#include "document/TrackwrightDoc.h"
#include "framework/Resources.h"
#include "res/Resource.h"
#include "view/SceneLook.h"
#include "view/TrackwrightView.h"

#include <cmath>

CTrackwrightDoc* CPreviewView::GetDocument() const
{
    return static_cast<CTrackwrightDoc*>(CView::GetDocument());
}

int CPreviewView::OnCreate()
{
    m_bOpen = true;
    m_bHomePending = true;
    return 0;
}

void CPreviewView::OnDestroy()
{
    // The host made this window's context current: the texture goes with it.
    m_scene.ReleaseGl();
    m_bOpen = false;
    m_nButtons = 0;
    if (CDocument* pDoc = CView::GetDocument())
        pDoc->RemoveView(this);
}

void CPreviewView::OnSize(UINT, int cx, int cy)
{
    m_cx = cx;
    m_cy = cy;
    Invalidate(FALSE);
}

void CPreviewView::ButtonDown(CPoint point)
{
    if (m_nButtons++ == 0)
        SetCapture();
    m_ptLast = point;
}

void CPreviewView::ButtonUp()
{
    if (m_nButtons > 0 && --m_nButtons == 0)
        ReleaseCapture();
}

void CPreviewView::OnLButtonDown(UINT, CPoint point)
{
    ButtonDown(point);
}

void CPreviewView::OnLButtonUp(UINT, CPoint)
{
    ButtonUp();
}

void CPreviewView::OnRButtonDown(UINT, CPoint point)
{
    ButtonDown(point);
}

void CPreviewView::OnRButtonUp(UINT, CPoint)
{
    ButtonUp();
}

void CPreviewView::OnMButtonDown(UINT, CPoint point)
{
    ButtonDown(point);
}

void CPreviewView::OnMButtonUp(UINT, CPoint)
{
    ButtonUp();
}

void CPreviewView::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this)
        m_nButtons = 0;
}

void CPreviewView::OnMouseMove(UINT nFlags, CPoint point)
{
    const int dx = point.x - m_ptLast.x;
    const int dy = point.y - m_ptLast.y;
    m_ptLast = point;
    if (dx == 0 && dy == 0)
        return;
    if (nFlags & MK_LBUTTON)
        m_camera.Orbit(dx, dy);
    else if (nFlags & (MK_RBUTTON | MK_MBUTTON))
        m_camera.Pan(dx, dy, m_cy);
    else
        return;
    m_bHomePending = false;
    Invalidate(FALSE);
}

BOOL CPreviewView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    m_camera.Dolly(zDelta);
    m_bHomePending = false;
    Invalidate(FALSE);
    return TRUE;
}

void CPreviewView::OnViewHome()
{
    m_camera = HomeCamera(m_scene.Bounds(), m_cy > 0 ? double(m_cx) / m_cy : 1.0);
    m_bHomePending = false;
    Invalidate(FALSE);
}

void CPreviewView::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_HOME) {
        OnViewHome();
        return;
    }
    if (nChar != VK_PRIOR && nChar != VK_NEXT)
        return;
    if (const CTrackwrightDoc* pDoc = GetDocument())
        m_scene.Update(*pDoc, RememberedHeightScale());
    m_camera = StepDrive(m_camera, m_scene.Handles(), m_scene.Heights(), nChar == VK_PRIOR ? +1 : -1);
    m_bHomePending = false;
    Invalidate(FALSE);
}

void CPreviewView::ShowTitle()
{
    std::string title(AfxLoadString(IDS_PREVIEW_TITLE));
    if (m_camera.driveIndex >= 0)
        title += " - " + std::string(AfxLoadString(IDS_PREVIEW_DRIVE)) + std::to_string(m_camera.driveIndex);
    if (!m_scene.Problem().empty())
        title += " - " + m_scene.Problem();
    if (title != m_strTitle) {
        m_strTitle = title;
        SetWindowText(title);
    }
}

void CPreviewView::RenderPreview()
{
    const CTrackwrightDoc* pDoc = GetDocument();
    if (!pDoc || !m_pHost || !m_pHost->MakeCurrent())
        return;
    m_scene.Update(*pDoc, RememberedHeightScale());
    // The editor's hover (red) and selection (yellow), as its frame draws them.
    std::vector<int> handleMarks;
    std::vector<int> objectMarks;
    if (m_pEditor) {
        std::vector<char> handles;
        std::vector<char> objects;
        SelectedFlags(*m_pEditor, *pDoc, handles, objects);
        handleMarks.resize(std::size_t(pDoc->m_course.m_handles.GetSize()), kMarkNone);
        objectMarks.resize(std::size_t(pDoc->m_xobjects.GetSize()), kMarkNone);
        for (std::size_t i = 0; i < handleMarks.size(); ++i) {
            if (pDoc->m_course.m_handles[int(i)].HoverPart != HandlePart::None)
                handleMarks[i] = kMarkHovered;
            else if (i < handles.size() && handles[i])
                handleMarks[i] = kMarkSelected;
        }
        for (std::size_t i = 0; i < objectMarks.size(); ++i) {
            if (pDoc->m_xobjects[int(i)].HoverPart != ObjectPart::None)
                objectMarks[i] = kMarkHovered;
            else if (i < objects.size() && objects[i])
                objectMarks[i] = kMarkSelected;
        }
    }
    // A control point left out by the value rule has no mark either.
    if (m_scene.Handles().GetSize() != pDoc->m_course.m_handles.GetSize())
        handleMarks.clear();
    m_scene.SetMarks(handleMarks, objectMarks);
    if (m_bHomePending)
        OnViewHome();
    const double ratio = m_pHost->GetDevicePixelRatio();
    m_scene.Draw(m_camera, static_cast<int>(std::lround(m_cx * ratio)), static_cast<int>(std::lround(m_cy * ratio)));
    m_pHost->SwapBuffers();
    ++m_nFrames;
    ShowTitle();
}
