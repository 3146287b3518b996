#include "framework/qt/QtViewWindow.h"

#include "framework/qt/QtStrings.h"

#include <QCloseEvent>

QtViewWindow::QtViewWindow(CView* pView, std::function<void(QtViewWindow&)> onClose)
    : QtViewWidget(pView, nullptr), m_onClose(std::move(onClose))
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void QtViewWindow::SetWindowText(const std::string& text)
{
    setWindowTitle(ToQString(text));
}

void QtViewWindow::closeEvent(QCloseEvent* e)
{
    if (m_onClose)
        std::exchange(m_onClose, nullptr)(*this);
    DestroyView();
    QtViewWidget::closeEvent(e);
}
