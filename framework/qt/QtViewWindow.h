#pragma once

// A second view of a document in a top-level window of its own: the GL surface of the frame's
// view, standing alone, that keeps its size and place when it closes.
#include "framework/qt/QtViewWidget.h"

#include <functional>

class QtViewWindow : public QtViewWidget {
public:
    // onClose runs when the window closes, by the user or by Close(), before the view goes.
    QtViewWindow(CView* pView, std::function<void(QtViewWindow&)> onClose);

    void SetWindowText(const std::string& text) override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    std::function<void(QtViewWindow&)> m_onClose;
};
