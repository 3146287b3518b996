#pragma once

#include <string>
#include <vector>

class CListPanel;

// What a real modeless panel gives to the code behind it: a caption, a few lines of text above a
// list of rows with columns, and showing it beside the main window.
class CListPanelHost {
public:
    virtual ~CListPanelHost() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetColumns(const std::vector<std::string>& headings) = 0;
    virtual void SetText(const std::string& text) = 0;
    // Replaces every row; each row holds one text per column.
    virtual void SetRows(const std::vector<std::vector<std::string>>& rows) = 0;
    virtual void Show() = 0;   // shows it, or raises it when shown already
    virtual bool IsVisible() const = 0;
};

// A modeless panel: stays open beside the main window while the user works there. The back end
// makes its window on the first Show and tells it when a row is chosen or the user closes it.
class CListPanel {
public:
    virtual ~CListPanel();

    // Makes the window through the back end when there is none yet, then shows it. False when
    // the back end has no panels.
    bool Show();
    bool IsVisible() const { return m_pHost && m_pHost->IsVisible(); }
    CListPanelHost* GetHost() const { return m_pHost; }
    void SetHost(CListPanelHost* pHost) { m_pHost = pHost; }

    // The user chose row `row` (clicked or pressed Enter on it).
    virtual void OnRowChosen(int row) {}
    // The window was made; the panel fills it.
    virtual void OnCreatePanel() {}

private:
    CListPanelHost* m_pHost = nullptr;
};
