#include "view/TrackwrightView.h"

#include "view/DataFile.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

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

CTrackwrightView::~CTrackwrightView()
{
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
        MessageBox("ChoosePixelFormat failed");
        return false;
    }
    if (!SetPixelFormat(m_pDC->GetSafeHdc(), pixelformat, &s_pfd)) {
        MessageBox("SetPixelFormat failed");
        return false;
    }
    return true;
}

void CTrackwrightView::OnDestroy()
{
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

    const double h = kViewHalfHeight * std::tan(90.0 / 2.0 * 3.14159265358979323846 / 180.0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-h * cx / cy, h * cx / cy, -h, h, static_cast<double>(0.1f), 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Invalidate(TRUE);
}

void CTrackwrightView::OnInitialUpdate()
{
    m_selection = CourseSelection();   // a new or opened course starts with nothing selected
    CView::OnInitialUpdate();
    Invalidate(TRUE);
    RenderScene();
}

void CTrackwrightView::RenderScene()
{
    if (s_bRendering)
        return;
    s_bRendering = true;

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glPushMatrix();
    glScalef(m_fZoom, m_fZoom, 1.0f);
    glTranslatef(-m_vCamera.x, -m_vCamera.y, -m_vCamera.z);
    if (CTrackwrightDoc* pDoc = GetDocument()) {
        // Every piece of the course and of the objects has one colour, so flat shading lights
        // the same pixels and spares the rasterizer a colour interpolation per line.
        glShadeModel(GL_FLAT);
        pDoc->m_course.DrawCourse();
        // The label is drawn by the overlay in device pixels; it keeps its logical size.
        const std::int32_t logicalSize = m_TextOverlay.Size;
        m_TextOverlay.Size = ToDevicePixels(logicalSize);
        pDoc->DrawXObjects(m_TextOverlay);
        m_TextOverlay.Size = logicalSize;
        DrawSelection();
        glShadeModel(GL_SMOOTH);
    }
    glPopMatrix();

    DrawRubberBand();
    DrawTypeList();

    glFinish();
    SwapBuffers(wglGetCurrentDC());
    s_bRendering = false;
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

void CTrackwrightView::ZoomBy(float factor)
{
    m_fZoom = std::clamp(m_fZoom * factor, kMinZoom, kMaxZoom);
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
