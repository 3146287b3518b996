#pragma once

// A modeless panel beside the main window: a text over a list of rows.
#include "framework/CListPanel.h"

#include <QWidget>

class QLabel;
class QTreeWidget;

class QtListPanel : public QWidget, public CListPanelHost {
    Q_OBJECT
public:
    QtListPanel(CListPanel* pPanel, QWidget* parent);
    ~QtListPanel() override;

    void SetCaption(const std::string& caption) override;
    void SetColumns(const std::vector<std::string>& headings) override;
    void SetText(const std::string& text) override;
    void SetRows(const std::vector<std::vector<std::string>>& rows) override;
    void Show() override;
    bool IsVisible() const override;

    QTreeWidget* List() const { return m_pList; }

private:
    CListPanel* m_pPanel;
    QLabel* m_pText;
    QTreeWidget* m_pList;
};
