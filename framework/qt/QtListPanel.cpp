#include "framework/qt/QtListPanel.h"

#include "framework/qt/QtStrings.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

QtListPanel::QtListPanel(CListPanel* pPanel, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_pPanel(pPanel), m_pText(new QLabel(this)), m_pList(new QTreeWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    m_pText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_pText);
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_pList);
    resize(640, 360);
    // A click or Enter on a row chooses it; the row's index is its place in the list.
    const auto choose = [this](QTreeWidgetItem* item) {
        if (item)
            m_pPanel->OnRowChosen(m_pList->indexOfTopLevelItem(item));
    };
    connect(m_pList, &QTreeWidget::itemClicked, this, choose);
    connect(m_pList, &QTreeWidget::itemActivated, this, choose);
    m_pPanel->SetHost(this);
}

QtListPanel::~QtListPanel()
{
    // Qt may take the window down with the main window before the panel goes.
    if (m_pPanel->GetHost() == this)
        m_pPanel->SetHost(nullptr);
}

void QtListPanel::SetCaption(const std::string& caption)
{
    setWindowTitle(ToQString(caption));
}

void QtListPanel::SetColumns(const std::vector<std::string>& headings)
{
    QStringList labels;
    for (const std::string& h : headings)
        labels << ToQString(h);
    m_pList->setColumnCount(static_cast<int>(labels.size()));
    m_pList->setHeaderLabels(labels);
    // Short columns fit their contents; the last one takes the rest of the width.
    for (int c = 0; c + 1 < m_pList->columnCount(); ++c)
        m_pList->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
}

void QtListPanel::SetText(const std::string& text)
{
    m_pText->setText(ToQString(text));
}

void QtListPanel::SetRows(const std::vector<std::vector<std::string>>& rows)
{
    // The row under the keyboard stays where it was, so a list that follows edits does not jump.
    const int current = m_pList->indexOfTopLevelItem(m_pList->currentItem());
    m_pList->setUpdatesEnabled(false);
    m_pList->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const auto& row : rows) {
        QStringList cells;
        for (const std::string& cell : row)
            cells << ToQString(cell);
        items << new QTreeWidgetItem(cells);
    }
    m_pList->addTopLevelItems(items);
    if (current >= 0 && current < m_pList->topLevelItemCount()) {
        const QSignalBlocker quiet(m_pList);
        m_pList->setCurrentItem(m_pList->topLevelItem(current));
    }
    m_pList->setUpdatesEnabled(true);
}

void QtListPanel::Show()
{
    show();
    raise();
}

bool QtListPanel::IsVisible() const
{
    return isVisible();
}
