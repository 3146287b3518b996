#include "view/TrackwrightView.h"

#include "file/DataFile.h"
#include "file/Tokenizer.h"
#include "file/XObjectCatalogue.h"
#include "framework/Resources.h"
#include "res/Resource.h"
#include "view/Palette.h"
#include "view/ViewFraming.h"
#include "view/PartBoxes.h"
#include "view/PreviewView.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

// Half the height of the orthographic view volume, in eye units: a 90 degree field at 100.
double OrthoHalfHeight()
{
    return CTrackwrightView::kViewHalfHeight * std::tan(90.0 / 2.0 * 3.14159265358979323846 / 180.0);
}

}  // namespace

bool CTrackwrightView::s_bRendering = false;

const PIXELFORMATDESCRIPTOR CTrackwrightView::s_pfd = [] {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = 40;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 32;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}();

CTrackwrightView::CTrackwrightView(std::string dataDir) : m_dataDir(std::move(dataDir))
{
    ReadXObjectCatalogue();
}

// The catalogue of object types is read once while the view is made; a missing or unreadable
// file leaves it empty, without a message.
void CTrackwrightView::ReadXObjectCatalogue()
{
    std::string text;
    if (!ReadTextFile(DataFilePath(m_dataDir, "xfiles.txt"), kMaxCatalogueFileBytes, text))
        return;
    ParseXObjectCatalogue(text, m_XObjectTypes);
}

CTrackwrightView::~CTrackwrightView()
{
    // A preview whose window never closed must not stay among the document's views.
    if (m_pPreview && m_pPreview->GetDocument())
        m_pPreview->GetDocument()->RemoveView(m_pPreview.get());
    m_XObjectTypes.RemoveAll();
    m_cPalette.DeleteObject();
}

CTrackwrightDoc* CTrackwrightView::GetDocument() const
{
    return static_cast<CTrackwrightDoc*>(CView::GetDocument());
}

int CTrackwrightView::OnCreate()
{
    if (CView::OnCreate() == -1)
        return -1;
    InitOpenGL();
    return 0;
}

void CTrackwrightView::InitOpenGL()
{
    m_pDC = std::make_unique<CClientDC>(this);
    if (!SetupPixelFormat())
        return;
    CreateRGBPalette();
    // The context is not kept in a member: it stays current until the window goes.
    HGLRC hrc = wglCreateContext(m_pDC->GetSafeHdc());
    wglMakeCurrent(m_pDC->GetSafeHdc(), hrc);
    m_rectClient = GetClientRect();
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    m_vCamera.z = 100.0f;
    m_TextOverlay.Create(DataFilePath(m_dataDir, "fontGray.tga").c_str());
    m_TextOverlay.Size = 16;
}

bool CTrackwrightView::SetupPixelFormat()
{
    const int pixelformat = ChoosePixelFormat(m_pDC->GetSafeHdc(), &s_pfd);
    if (pixelformat == 0) {
        MessageBox(std::string(AfxLoadString(IDS_CHOOSE_PIXEL_FORMAT_FAILED)));
        return false;
    }
    if (!SetPixelFormat(m_pDC->GetSafeHdc(), pixelformat, &s_pfd)) {
        MessageBox(std::string(AfxLoadString(IDS_SET_PIXEL_FORMAT_FAILED)));
        return false;
    }
    return true;
}

void CTrackwrightView::OnDestroy()
{
    // The preview's window makes its own context current while it closes.
    if (ClosePreview() && m_pHost)
        m_pHost->MakeCurrent();
    m_parts.Release();
    HGLRC hrc = wglGetCurrentContext();
    wglMakeCurrent(nullptr, nullptr);
    if (hrc)
        wglDeleteContext(hrc);
    if (m_pOldPalette && m_pDC)
        m_pDC->SelectPalette(m_pOldPalette, FALSE);
    m_pDC.reset();
    CView::OnDestroy();
}

void CTrackwrightView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (cy <= 0)
        return;

    // The handlers work in logical pixels; GL wants device pixels.
    glViewport(0, 0, ToDevicePixels(cx), ToDevicePixels(cy));

    if (m_rectClient.right > cx || m_rectClient.bottom > cy)
        RedrawWindow();
    m_rectClient.right = cx;
    m_rectClient.bottom = cy;
    m_lastFrame.drawn = false;

    const double h = OrthoHalfHeight();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-h * cx / cy, h * cx / cy, -h, h, static_cast<double>(0.1f), 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Invalidate(TRUE);
}

void CTrackwrightView::OnInitialUpdate()
{
    if (m_pEdit)
        m_pEdit->CourseReplaced();   // a new or opened course starts with nothing selected
    CView::OnInitialUpdate();
    Invalidate(TRUE);
    RenderScene();
}

void CTrackwrightView::InvalidateIfChanged()
{
    if (!m_lastFrame.Shows(*this, GetDocument()))
        Invalidate(TRUE);
}

void CTrackwrightView::RenderScene()
{
    if (s_bRendering)
        return;
    CTrackwrightDoc* pDoc = GetDocument();
    const bool kept = m_pHost && m_pHost->KeepsFrame();
    if (kept && m_lastFrame.Shows(*this, pDoc))
        return;
    // Whatever changed here (an edit, a drag's move, the hover) the preview shows on its next
    // frame; its window draws at most once per frame however many moves come.
    if (m_pPreview && m_pPreview->IsOpen())
        m_pPreview->Invalidate(FALSE);
    s_bRendering = true;

    // What changed since the last frame, and where it was and is on screen. A window that
    // keeps its picture gets only those regions redrawn, unless the whole picture moved or the
    // regions cover much of it.
    SceneLook& now = m_nextFrame;   // kept, so its storage is reused frame after frame
    now.Take(*this, pDoc);
    const WorldToPixels map = FrameMapping();
    std::vector<PixelRect> dirty;
    if (pDoc) {
        const std::int32_t logicalSize = m_TextOverlay.Size;
        m_TextOverlay.Size = now.view.textSize;
        m_parts.Update(*pDoc, m_lastFrame, now, map, m_TextOverlay, dirty);
        m_TextOverlay.Size = logicalSize;
    }
    const PixelRect typeList = TypeListRect(now.view);
    if (!SameTypeList(m_lastFrame.view, now.view)) {
        dirty.push_back(TypeListRect(m_lastFrame.view));
        dirty.push_back(typeList);
    }
    if (!SameBand(m_lastFrame.view, now.view)) {
        AddBandEdges(m_lastFrame.view, dirty);
        AddBandEdges(now.view, dirty);
    }
    bool whole = !kept || !m_lastFrame.drawn || !SameFrame(m_lastFrame.view, now.view) ||
                 !MergeRegions(dirty, map.viewport, kPartialShare);
    if (!whole) {
        glEnable(GL_SCISSOR_TEST);
        for (const PixelRect& r : dirty) {
            glScissor(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
            DrawFrame(&r, map, typeList, &whole);
        }
        glDisable(GL_SCISSOR_TEST);
    }
    if (whole) {
        DrawFrame(nullptr, map, typeList, &whole);
        ++m_nWholeFrameCount;
    }

    glFinish();
    SwapBuffers(wglGetCurrentDC());
    ++m_nFrameCount;
    std::swap(m_lastFrame, m_nextFrame);
    s_bRendering = false;
}

void CTrackwrightView::DrawFrame(const PixelRect* clip, const WorldToPixels& map, const PixelRect& typeList, bool* whole)
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glPushMatrix();
    glScalef(m_fZoom, m_fZoom, 1.0f);
    glTranslatef(-m_vCamera.x, -m_vCamera.y, -m_vCamera.z);
    if (CTrackwrightDoc* pDoc = GetDocument()) {
        // Every piece of the course and of the objects has one colour, so flat shading lights
        // the same pixels and spares the rasterizer a colour interpolation per line.
        glShadeModel(GL_FLAT);
        // The label is drawn by the overlay in device pixels; it keeps its logical size.
        const std::int32_t logicalSize = m_TextOverlay.Size;
        m_TextOverlay.Size = ToDevicePixels(logicalSize);
        if (!m_parts.Draw(*pDoc, m_TextOverlay, clip, map))
            *whole = true;
        m_TextOverlay.Size = logicalSize;
        DrawSelection();
        glShadeModel(GL_SMOOTH);
    }
    glPopMatrix();

    DrawRubberBand();   // four lines: cheaper drawn than tested against clip
    if (m_bShowTypeList && (!clip || typeList.Meets(*clip)))
        DrawTypeList();
}

WorldToPixels CTrackwrightView::FrameMapping() const
{
    // The projection of OnSize and the camera transform of DrawFrame, in double.
    GLint vp[4] = {};
    glGetIntegerv(GL_VIEWPORT, vp);
    WorldToPixels map;
    map.viewport = {vp[0], vp[1], vp[0] + vp[2], vp[1] + vp[3]};
    const double h = OrthoHalfHeight();
    const double cx = m_rectClient.right > 0 ? m_rectClient.right : 1;
    const double cy = m_rectClient.bottom > 0 ? m_rectClient.bottom : 1;
    map.originX = vp[0] + vp[2] * 0.5;
    map.originY = vp[1] + vp[3] * 0.5;
    map.scaleX = double(m_fZoom) * vp[2] * cy / (2.0 * h * cx);
    map.scaleY = double(m_fZoom) * vp[3] / (2.0 * h);
    map.cameraX = m_vCamera.x;
    map.cameraY = m_vCamera.y;
    return map;
}

int CTrackwrightView::ToDevicePixels(int logical) const
{
    const double ratio = m_pHost ? m_pHost->GetDevicePixelRatio() : 1.0;
    return static_cast<int>(std::lround(logical * ratio));
}

Vector3 CTrackwrightView::ScreenToWorld(int px, int py) const
{
    const float halfW = static_cast<float>(m_rectClient.right) * 0.5f;
    const float halfH = static_cast<float>(m_rectClient.bottom) * 0.5f;
    const float nx = (static_cast<float>(px) - halfW) / halfH;
    const float ny = (halfH - static_cast<float>(py)) / halfH;
    const float half = static_cast<float>(kViewHalfHeight);
    const float x = m_vCamera.x + nx * half / m_fZoom;
    const float y = m_vCamera.y + ny * half / m_fZoom;
    return Vector3(x, y, 0.0);
}

void CTrackwrightView::ZoomBy(float factor, long long steps)
{
    // A step past a limit changes nothing more: a move of millions of pixels costs at most the
    // steps from one limit to the other.
    const ZoomRange range = ZoomLimits();
    for (long long i = 0; i < steps; ++i) {
        const float zoom = std::clamp(m_fZoom * factor, range.min, range.max);
        if (zoom == m_fZoom)
            break;
        m_fZoom = zoom;
    }
    m_fZoom = std::clamp(m_fZoom, range.min, range.max);
    Invalidate(TRUE);
}

int CTrackwrightView::HitTestTypeList(int x, int y) const
{
    const int g = m_TextOverlay.Size;
    const int rows = 1 + m_XObjectTypes.GetSize();
    for (int r = 0; r < rows; ++r) {
        const long long n = r == 0 ? 7 : static_cast<long long>(m_XObjectTypes[r - 1].FileName.size());
        if (x > 0 && x < (n + 1) * g && y >= r * g && y < (r + 1) * g)
            return r - 1;   // the first row is kControlPointRow
    }
    return kNoTypeRow;
}

void CTrackwrightView::CreateRGBPalette()
{
    if (!m_pDC)
        return;
    const HDC hdc = m_pDC->GetSafeHdc();
    PIXELFORMATDESCRIPTOR pfd{};
    if (!DescribePixelFormat(hdc, GetPixelFormat(hdc), sizeof(PIXELFORMATDESCRIPTOR), &pfd) ||
        !(pfd.dwFlags & PFD_NEED_PALETTE))
        return;

    // The palette record is a header followed by its entries, in one building buffer.
    const std::vector<PALETTEENTRY> entries = BuildRGBPalette(pfd);
    std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + (entries.size() - 1) * sizeof(PALETTEENTRY));
    auto* pPal = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pPal->palVersion = 0x300;
    pPal->palNumEntries = static_cast<WORD>(entries.size());
    std::copy(entries.begin(), entries.end(), pPal->palPalEntry);
    m_cPalette.CreatePalette(pPal);
    buffer.clear();
    m_pOldPalette = m_pDC->SelectPalette(&m_cPalette, FALSE);
    m_pDC->RealizePalette();
}

CRect CTrackwrightView::FreeClientRect() const
{
    // The type list's rows, as HitTestTypeList finds them: the widest row and all rows' height.
    const long long g = m_TextOverlay.Size;
    long long listRight = 8 * g;
    for (const XObjectType& t : m_XObjectTypes)
        listRight = std::max(listRight, (static_cast<long long>(t.FileName.size()) + 1) * g);
    const long long listBottom = (1LL + m_XObjectTypes.GetSize()) * g;
    const long long W = m_rectClient.right;
    const long long H = m_rectClient.bottom;
    // Beside the list or below it, whichever shows the course larger; the whole view when the
    // list leaves neither.
    const CRect beside(static_cast<int>(std::min(listRight, W)), 0, static_cast<int>(W), static_cast<int>(H));
    const CRect below(0, static_cast<int>(std::min(listBottom, H)), static_cast<int>(W), static_cast<int>(H));
    const CTrackwrightDoc* pDoc = GetDocument();
    const CourseExtent b = pDoc ? ExtentOfCourse(pDoc->m_course.m_handles, pDoc->m_xobjects, pDoc->m_xobjectScale)
                                : CourseExtent();
    const bool besideFits = beside.Width() > 0 && beside.Height() > 0;
    const bool belowFits = below.Width() > 0 && below.Height() > 0;
    if (!besideFits && !belowFits)
        return m_rectClient;
    if (!belowFits || b.Empty())
        return besideFits ? beside : below;
    if (!besideFits)
        return below;
    return FitScale(b, beside.Width(), beside.Height()) >= FitScale(b, below.Width(), below.Height()) ? beside : below;
}

CTrackwrightView::ZoomRange CTrackwrightView::ZoomLimits() const
{
    // From the whole course at about a hundredth of the view (a course of 200 units when there
    // is none) to 0.01 course units per pixel.
    const double H = std::max<double>(m_rectClient.bottom, 1.0);
    const double W = std::max<double>(m_rectClient.right, 1.0);
    const CTrackwrightDoc* pDoc = GetDocument();
    CourseExtent b = pDoc ? RoughExtentOfCourse(pDoc->m_course.m_handles, pDoc->m_xobjects) : CourseExtent();
    if (b.Empty())
        b.Add(0.0, 0.0, kViewHalfHeight);
    const double toZoom = 2.0 * kViewHalfHeight / H;   // pixels per unit to zoom
    const double max = 100.0 * toZoom;
    const double min = std::min(FitScale(b, W, H) / 100.0 * toZoom, max);
    return {static_cast<float>(std::max(min, 1e-30)), static_cast<float>(std::min(max, 1e30))};
}
