#include "framework/qt/QtBackend.h"
#include "framework/qt/QtViewWindow.h"

#include "framework/AfxRes.h"
#include "framework/CDialog.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/Resources.h"
#include "framework/qt/QtDialog.h"
#include "framework/qt/QtKeyRepeat.h"
#include "framework/qt/QtListPanel.h"
#include "framework/qt/QtStrings.h"
#include "framework/qt/QtMainWindow.h"
#include "framework/qt/QtViewWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QTranslator>

#include <algorithm>
#include <utility>

namespace {


// Message box styles beyond the framework's two.
constexpr UINT MB_TYPEMASK = 0x000F;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ICONMASK = 0x00F0;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONASTERISK = 0x0040;

// The picture fitted into the page, centred, keeping its proportions.
void PrintImage(QPrinter& printer, const QImage& image)
{
    QPainter painter;
    if (image.isNull() || !painter.begin(&printer))
        return;
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2, page.y() + (page.height() - size.height()) / 2,
                       size.width(), size.height());
    painter.drawImage(target, image);
    painter.end();
}

}  // namespace

QSurfaceFormat SurfaceFormatFor(const PIXELFORMATDESCRIPTOR& pfd)
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    int r = pfd.cRedBits, g = pfd.cGreenBits, b = pfd.cBlueBits;
    if (r == 0 && g == 0 && b == 0) {
        const int each = std::min(8, pfd.cColorBits / 3);
        r = g = b = each;
    }
    f.setRedBufferSize(r);
    f.setGreenBufferSize(g);
    f.setBlueBufferSize(b);
    f.setAlphaBufferSize(pfd.cAlphaBits);
    f.setDepthBufferSize(std::min<int>(pfd.cDepthBits, 24));
    f.setStencilBufferSize(pfd.cStencilBits);
    f.setSwapBehavior((pfd.dwFlags & PFD_DOUBLEBUFFER) ? QSurfaceFormat::DoubleBuffer : QSurfaceFormat::SingleBuffer);
    return f;
}

void PrepareQtApplication(const PIXELFORMATDESCRIPTOR& viewRequest)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QSurfaceFormat::setDefaultFormat(SurfaceFormatFor(viewRequest));
}

QtBackend::QtBackend()
{
    AfxSetBackend(this);
    RequestDetectableAutoRepeat();
    // The program speaks Japanese whatever the user's locale; without the translations
    // (qt6-translations-l10n) Qt's dialogs stay in English.
    m_pQtTranslator = std::make_unique<QTranslator>();
    if (m_pQtTranslator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_pQtTranslator.get());
    m_clipboardChanged = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged,
                                          [this] { m_clipboardHasText = -1; });
}

QtBackend::~QtBackend()
{
    QCoreApplication::removeTranslator(m_pQtTranslator.get());
    QObject::disconnect(m_clipboardChanged);
    m_pWindow.reset();
    if (m_pOffscreen) {
        if (QOpenGLContext* pCurrent = QOpenGLContext::currentContext(); pCurrent && pCurrent->surface() == m_pOffscreen.get())
            pCurrent->doneCurrent();
        m_pOffscreen.reset();
    }
    if (AfxGetBackend() == this)
        AfxSetBackend(nullptr);
}

bool QtBackend::CreateFrameWindow(CFrameWnd* pFrame)
{
    const ResourceSet* pRes = AfxGetResources();
    static const ResourceSet s_none{};
    const ResourceSet& res = pRes ? *pRes : s_none;

    auto pWindow = std::make_unique<QtMainWindow>(pFrame, [this] { Quit(); });
    if (pFrame->OnCreate() == -1) {
        pWindow->Detach();
        return false;
    }
    pWindow->BuildMenus(res);
    pWindow->BuildAccelerators(res);
    pWindow->BuildBars(res);

    QSize size(800, 600);
    if (const QScreen* pScreen = QGuiApplication::primaryScreen())
        size = size.boundedTo(pScreen->availableGeometry().size() * 9 / 10);
    pWindow->resize(size);
    m_pWindow = std::move(pWindow);
    return true;
}

QtViewWindow* QtBackend::ViewWindow(CView* pView) const
{
    for (const QPointer<QtViewWindow>& p : m_viewWindows) {
        if (p && p->View() == pView)
            return p.data();
    }
    return nullptr;
}

bool QtBackend::CreateViewWindow(CView* pView, const std::string& title, const std::string& placeKey)
{
    const auto slash = placeKey.find('/');
    const std::string section = placeKey.substr(0, slash);
    const std::string entry = slash == std::string::npos ? std::string() : placeKey.substr(slash + 1);
    auto* pWindow = new QtViewWindow(pView, [this, section, entry](QtViewWindow& w) {
        WriteProfileString(section, entry, w.saveGeometry().toBase64().toStdString());
        FlushProfile();
    });
    pWindow->setWindowTitle(ToQString(title));
    const std::string place = GetProfileString(section, entry);
    // A place that is not one (an edited profile) leaves the window where the system puts it.
    if (place.empty() || !pWindow->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(place)))) {
        // The first time: beside the main window where the screen has room, so the editor stays in view.
        pWindow->resize(800, 600);
        if (m_pWindow) {
            QPoint at = m_pWindow->frameGeometry().topRight() + QPoint(8, 0);
            if (const QScreen* pScreen = m_pWindow->screen()) {
                const QRect room = pScreen->availableGeometry();
                at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - 800)));
                at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - 600)));
            }
            pWindow->move(at);
        }
    }
    m_viewWindows.erase(std::remove(m_viewWindows.begin(), m_viewWindows.end(), nullptr), m_viewWindows.end());
    m_viewWindows.emplace_back(pWindow);
    pWindow->show();
    pWindow->raise();
    pWindow->activateWindow();
    return true;
}

void QtBackend::DestroyViewWindow(CView* pView)
{
    if (QtViewWindow* pWindow = ViewWindow(pView))
        pWindow->close();
}

void QtBackend::ActivateViewWindow(CView* pView)
{
    if (QtViewWindow* pWindow = ViewWindow(pView)) {
        pWindow->show();
        pWindow->raise();
        pWindow->activateWindow();
    }
}

void QtBackend::ShowFrameWindow(CFrameWnd* pFrame, int nCmdShow)
{
    if (!m_pWindow || m_pWindow->Frame() != pFrame)
        return;
    if (nCmdShow == SW_HIDE) {
        m_pWindow->hide();
        return;
    }
    m_pWindow->show();
    if (!m_pendingStatus.empty())
        m_pWindow->statusBar()->showMessage(ToQString(std::exchange(m_pendingStatus, std::string())));
    m_pWindow->raise();
    m_pWindow->activateWindow();
    m_pWindow->ViewWidget()->setFocus(Qt::ActiveWindowFocusReason);
}

void QtBackend::SetStatusText(const std::string& text)
{
    if (m_pWindow && m_pWindow->isVisible())
        m_pWindow->statusBar()->showMessage(ToQString(text));
    else
        m_pendingStatus = text;
}

void QtBackend::DestroyFrameWindow(CFrameWnd* pFrame)
{
    if (!m_pWindow || !pFrame || m_pWindow->Frame() != pFrame)
        return;
    // The window object stays until the back end goes: this may run inside one of its own
    // commands (Exit), whose caller still uses it.
    m_pWindow->Detach();
    m_pWindow->hide();
    Quit();
}

void QtBackend::Quit()
{
    // Qt remembers an exit asked for outside the loop and would end the next modal
    // dialog's loop at once instead.
    if (m_bRunning)
        QCoreApplication::exit(0);
}

int QtBackend::Run()
{
    if (!m_pWindow || !m_pWindow->Frame() || m_pWindow->Closed())
        return 0;
    m_bRunning = true;
    const int code = QApplication::exec();
    m_bRunning = false;
    return code;
}

QWidget* QtBackend::DialogParent() const
{
    return m_pWindow && m_pWindow->isVisible() ? m_pWindow.get() : nullptr;
}

int QtBackend::MessageBox(const std::string& text, const std::string& caption, UINT nType)
{
    QMessageBox box(DialogParent());
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    switch (nType & MB_ICONMASK) {
    case MB_ICONHAND:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONASTERISK:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Answer {
        QAbstractButton* button;
        int id;
    };
    std::vector<Answer> answers;
    const auto add = [&](UINT label, QMessageBox::ButtonRole role, int id) {
        answers.push_back({box.addButton(ToQString(AfxLoadString(label)), role), id});
    };
    switch (nType & MB_TYPEMASK) {
    case MB_YESNOCANCEL:
        add(AFX_IDS_BUTTON_YES, QMessageBox::YesRole, IDYES);
        add(AFX_IDS_BUTTON_NO, QMessageBox::NoRole, IDNO);
        add(AFX_IDS_BUTTON_CANCEL, QMessageBox::RejectRole, IDCANCEL);
        break;
    case MB_YESNO:
        add(AFX_IDS_BUTTON_YES, QMessageBox::YesRole, IDYES);
        add(AFX_IDS_BUTTON_NO, QMessageBox::NoRole, IDNO);
        break;
    case MB_OKCANCEL:
        add(AFX_IDS_BUTTON_OK, QMessageBox::AcceptRole, IDOK);
        add(AFX_IDS_BUTTON_CANCEL, QMessageBox::RejectRole, IDCANCEL);
        break;
    default:
        add(AFX_IDS_BUTTON_OK, QMessageBox::AcceptRole, IDOK);
        break;
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(answers.front().button));
    // Escape gives Cancel where there is one, otherwise the only answer.
    box.setEscapeButton(answers.back().id == IDCANCEL || answers.size() == 1 ? answers.back().button : nullptr);
    box.exec();
    for (const Answer& a : answers) {
        if (box.clickedButton() == a.button)
            return a.id;
    }
    return answers.size() == 1 ? answers.front().id : IDCANCEL;
}

bool QtBackend::PromptFileName(std::string& path, bool bOpen, const std::string& title)
{
    const QString filter = ToQString(AfxLoadString(AFX_IDS_ALLFILTER));
    const QString start = FileNameToQString(path);
    const QString chosen = bOpen ? QFileDialog::getOpenFileName(DialogParent(), ToQString(title), start, filter)
                                 : QFileDialog::getSaveFileName(DialogParent(), ToQString(title), start, filter);
    if (chosen.isEmpty())
        return false;
    path = FileNameFromQString(chosen, path);
    return true;
}

bool QtBackend::PromptSaveFileName(std::string& path, const std::string& title, const std::string& filter)
{
    const QString chosen = QFileDialog::getSaveFileName(DialogParent(), ToQString(title), FileNameToQString(path),
                                                        ToQString(filter));
    if (chosen.isEmpty())
        return false;
    path = FileNameFromQString(chosen, path);
    return true;
}

int QtBackend::DoModal(CDialog* pDlg)
{
    const DialogDef* pDef = pDlg ? AfxFindDialog(pDlg->m_nIDTemplate) : nullptr;
    if (!pDef)
        return IDCANCEL;
    QtDialog dialog(pDlg, *pDef, DialogParent());
    pDlg->SetDialogHost(&dialog);
    const int result = dialog.Run();
    pDlg->SetDialogHost(nullptr);
    return result;
}

bool QtBackend::CreateListPanel(CListPanel* pPanel)
{
    DestroyListPanel(pPanel);
    m_panels[pPanel] = new QtListPanel(pPanel, m_pWindow.get());
    return true;
}

void QtBackend::DestroyListPanel(CListPanel* pPanel)
{
    const auto it = m_panels.find(pPanel);
    if (it == m_panels.end())
        return;
    delete it->second.data();
    m_panels.erase(it);
}

QSettings& QtBackend::Settings()
{
    if (!m_pSettings) {
        // The profile is filed under the application's registry key and name, as its
        // InitInstance set them before the first profile access.
        const CWinApp* pApp = AfxGetApp();
        m_pSettings = std::make_unique<QSettings>(ToQString(pApp ? pApp->m_pszRegistryKey : std::string()),
                                                  ToQString(pApp ? pApp->m_pszAppName : std::string()));
    }
    return *m_pSettings;
}

std::string QtBackend::GetProfileString(const std::string& section, const std::string& entry)
{
    // Names that are not UTF-8 (file names in the recent-file list) are kept as bytes.
    const QVariant value = Settings().value(ToQString(section + "/" + entry));
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString();
    return value.toString().toStdString();
}

void QtBackend::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value)
{
    const QString key = ToQString(section + "/" + entry);
    if (IsUtf8(value))
        Settings().setValue(key, ToQString(value));
    else
        Settings().setValue(key, QByteArray::fromStdString(value));
}

void QtBackend::FlushProfile()
{
    Settings().sync();
}

bool QtBackend::MakeGLCurrent()
{
    if (m_pWindow && m_pWindow->ViewWidget()->MakeCurrent())
        return true;
    // No view context yet (the window has never been shown): the global share context
    // stands in; what is made there is shared with the view's context later.
    QOpenGLContext* pShare = QOpenGLContext::globalShareContext();
    if (!pShare)
        return false;
    if (!m_pOffscreen) {
        m_pOffscreen = std::make_unique<QOffscreenSurface>();
        m_pOffscreen->setFormat(pShare->format());
        m_pOffscreen->create();
    }
    return m_pOffscreen->isValid() && pShare->makeCurrent(m_pOffscreen.get());
}

void QtBackend::PrintView(CView* pView, bool bSetupOnly)
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (bSetupOnly) {
        QPageSetupDialog dialog(m_pPrinter.get(), DialogParent());
        dialog.exec();
        return;
    }
    auto* pWidget = pView ? dynamic_cast<QtViewWidget*>(pView->GetHost()) : nullptr;
    if (!pWidget)
        return;
    QPrintDialog dialog(m_pPrinter.get(), DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintImage(*m_pPrinter, pWidget->grabFramebuffer());
}

void QtBackend::ToggleToolBar(CFrameWnd* pFrame)
{
    if (m_pWindow && m_pWindow->Frame() == pFrame && m_pWindow->ToolBar())
        m_pWindow->ToolBar()->setHidden(!m_pWindow->ToolBar()->isHidden());
}

bool QtBackend::IsToolBarVisible(CFrameWnd* pFrame)
{
    return m_pWindow && m_pWindow->Frame() == pFrame && m_pWindow->ToolBar() && !m_pWindow->ToolBar()->isHidden();
}

bool QtBackend::ClipboardHasText()
{
    if (m_clipboardHasText < 0) {
        const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
        m_clipboardHasText = pData && pData->hasText() ? 1 : 0;
    }
    return m_clipboardHasText == 1;
}

std::string QtBackend::GetClipboardText()
{
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtBackend::SetClipboardText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    m_clipboardHasText = 1;
}
