#include "framework/qt/QtDialog.h"

#include "framework/qt/QtStrings.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kIconPixels = 32;

struct Cell {
    const DialogControlDef* def;
    int x0, y0, x1, y1;   // dialog units, inside the dialog
};

int IndexOf(const std::vector<int>& edges, int v)
{
    return static_cast<int>(std::lower_bound(edges.begin(), edges.end(), v) - edges.begin());
}

QIcon ApplicationIcon(const QStyle* pStyle)
{
    const QIcon icon = QApplication::windowIcon();
    return icon.isNull() ? pStyle->standardIcon(QStyle::SP_MessageBoxInformation) : icon;
}

}  // namespace

QString StripMnemonic(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;   // "&&" keeps one '&', "&x" keeps the x
        else if (text[i] == u'&')
            continue;
        out += text[i];
    }
    return out;
}

QtDialog::QtDialog(CDialog* pDlg, const DialogDef& def, QWidget* pParent) : QDialog(pParent), m_pDlg(pDlg)
{
    setWindowTitle(QString::fromUtf8(def.caption ? def.caption : ""));
    QFont f = font();
    if (def.fontName)
        f.setFamilies({QString::fromUtf8(def.fontName), f.family()});
    if (def.fontPoints > 0)
        f.setPointSize(def.fontPoints);
    setFont(f);

    // Dialog units: a quarter of the average character width, an eighth of the line height.
    const QFontMetrics fm(f);
    const double baseX = std::max(1.0, fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0);
    const double baseY = std::max(1, fm.height());
    const auto pxX = [&](int du) { return static_cast<int>(std::lround(du * baseX / 4.0)); };
    const auto pxY = [&](int du) { return static_cast<int>(std::lround(du * baseY / 8.0)); };
    const int cx = std::max(1, def.cx);
    const int cy = std::max(1, def.cy);

    std::vector<Cell> cells;
    for (const DialogControlDef& c : def.controls) {
        int w = c.cx;
        int h = c.cy;
        if (c.kind == DialogControlDef::Icon) {
            w = std::max(w, static_cast<int>(std::ceil(kIconPixels * 4.0 / baseX)));
            h = std::max(h, static_cast<int>(std::ceil(kIconPixels * 8.0 / baseY)));
        }
        Cell cell{&c, std::clamp(c.x, 0, cx), std::clamp(c.y, 0, cy), std::clamp(c.x + w, 0, cx), std::clamp(c.y + h, 0, cy)};
        if (cell.x1 <= cell.x0 || cell.y1 <= cell.y0)
            cell.x1 = cell.x0, cell.y1 = cell.y0;   // outside the dialog: kept for the ids only
        cells.push_back(cell);
    }
    // A label may run on to the next control on its line (or the dialog's edge), so a text
    // wider than its template rectangle is not cut.
    for (Cell& a : cells) {
        if (a.def->kind != DialogControlDef::Static || a.x1 == a.x0)
            continue;
        int limit = cx;
        for (const Cell& b : cells) {
            if (&b != &a && b.x1 > b.x0 && b.y0 < a.y1 && b.y1 > a.y0 && b.x0 >= a.x1)
                limit = std::min(limit, b.x0);
        }
        a.x1 = std::max(a.x1, limit);
    }

    std::vector<int> xs{0, cx};
    std::vector<int> ys{0, cy};
    for (const Cell& c : cells) {
        xs.insert(xs.end(), {c.x0, c.x1});
        ys.insert(ys.end(), {c.y0, c.y1});
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    auto* pGrid = new QGridLayout(this);
    pGrid->setContentsMargins(0, 0, 0, 0);
    pGrid->setSpacing(0);
    pGrid->setSizeConstraint(QLayout::SetFixedSize);
    for (std::size_t i = 0; i + 1 < xs.size(); ++i)
        pGrid->setColumnMinimumWidth(static_cast<int>(i), pxX(xs[i + 1]) - pxX(xs[i]));
    for (std::size_t i = 0; i + 1 < ys.size(); ++i)
        pGrid->setRowMinimumHeight(static_cast<int>(i), pxY(ys[i + 1]) - pxY(ys[i]));

    QWidget* pPrevFocusable = nullptr;
    QLabel* mnemonicLabel = nullptr;   // a label whose mnemonic leads to the next control
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const Cell& cell = cells[k];
        const DialogControlDef& c = *cell.def;
        const QString text = QString::fromUtf8(c.text ? c.text : "");
        QLabel* pMnemonicLabel = mnemonicLabel;
        mnemonicLabel = nullptr;
        QWidget* pWidget = nullptr;
        switch (c.kind) {
        case DialogControlDef::Static: {
            auto* pLabel = new QLabel(this);
            pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            const DialogControlDef* pNext = k + 1 < cells.size() ? cells[k + 1].def : nullptr;
            const bool takesText = pNext && (pNext->kind == DialogControlDef::Edit || pNext->kind == DialogControlDef::ComboBox);
            if (takesText && text.contains(u'&')) {
                pLabel->setText(text);   // the buddy is set when the edit exists
                mnemonicLabel = pLabel;
            } else {
                pLabel->setText(StripMnemonic(text));
            }
            pWidget = pLabel;
            break;
        }
        case DialogControlDef::Icon: {
            auto* pLabel = new QLabel(this);
            pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            pLabel->setPixmap(ApplicationIcon(style()).pixmap(kIconPixels, kIconPixels));
            pWidget = pLabel;
            break;
        }
        case DialogControlDef::Edit: {
            auto* pEdit = new QLineEdit(this);
            if (pMnemonicLabel)
                pMnemonicLabel->setBuddy(pEdit);
            pWidget = pEdit;
            break;
        }
        case DialogControlDef::ComboBox: {
            auto* pCombo = new QComboBox(this);
            pCombo->setEditable(true);
            pCombo->setInsertPolicy(QComboBox::NoInsert);
            if (pMnemonicLabel)
                pMnemonicLabel->setBuddy(pCombo);
            pWidget = pCombo;
            break;
        }
        case DialogControlDef::DefPushButton:
        case DialogControlDef::PushButton: {
            auto* pButton = new QPushButton(text, this);
            pButton->setDefault(c.kind == DialogControlDef::DefPushButton);
            const UINT nID = c.nID;
            connect(pButton, &QPushButton::clicked, this, [this, nID] { OnButton(nID); });
            pWidget = pButton;
            break;
        }
        }
        if (c.nID != 0 && !m_items.count(c.nID))
            m_items[c.nID] = pWidget;
        if (cell.x1 == cell.x0) {
            pWidget->hide();
            continue;
        }
        // The grid decides the size; a label still asks for the room its text needs.
        pWidget->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        if (c.kind == DialogControlDef::Static)
            pWidget->setMinimumSize(pWidget->sizeHint().width(), 0);
        const int col = IndexOf(xs, cell.x0);
        const int row = IndexOf(ys, cell.y0);
        pGrid->addWidget(pWidget, row, col, IndexOf(ys, cell.y1) - row, IndexOf(xs, cell.x1) - col);
        if (pWidget->focusPolicy() != Qt::NoFocus) {
            if (pPrevFocusable)
                setTabOrder(pPrevFocusable, pWidget);
            pPrevFocusable = pWidget;
        }
    }
}

QWidget* QtDialog::Item(UINT nID) const
{
    const auto it = m_items.find(nID);
    return it == m_items.end() ? nullptr : it->second;
}

int QtDialog::Run()
{
    m_pDlg->OnInitDialog();
    if (m_bEnded)
        return m_nResult;
    exec();
    return m_bEnded ? m_nResult : IDCANCEL;
}

std::string QtDialog::GetItemText(UINT nID) const
{
    QWidget* pWidget = Item(nID);
    QString text;
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
        // Fields hold file names: bytes as they were set unless the user changed the text.
        const auto set = m_setTexts.find(nID);
        return FileNameFromQString(pEdit->text(), set == m_setTexts.end() ? std::string() : set->second);
    }
    else if (auto* pCombo = qobject_cast<QComboBox*>(pWidget)) {
        const auto set = m_setTexts.find(nID);
        return FileNameFromQString(pCombo->currentText(), set == m_setTexts.end() ? std::string() : set->second);
    }
    else if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
        text = pLabel->text();
    else if (auto* pButton = qobject_cast<QPushButton*>(pWidget))
        text = pButton->text();
    return text.toStdString();
}

void QtDialog::SetItemText(UINT nID, const std::string& text)
{
    QWidget* pWidget = Item(nID);
    const QString s = ToQString(text);
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
        m_setTexts[nID] = text;
        pEdit->setText(FileNameToQString(text));
    }
    else if (auto* pCombo = qobject_cast<QComboBox*>(pWidget)) {
        m_setTexts[nID] = text;
        pCombo->setEditText(FileNameToQString(text));
    }
    else if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
        pLabel->setText(s);
    else if (auto* pButton = qobject_cast<QPushButton*>(pWidget))
        pButton->setText(s);
}

void QtDialog::FocusItem(UINT nID)
{
    QWidget* pWidget = Item(nID);
    if (!pWidget)
        return;
    pWidget->setFocus(Qt::OtherFocusReason);
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget))
        pEdit->selectAll();
    else if (auto* pCombo = qobject_cast<QComboBox*>(pWidget); pCombo && pCombo->lineEdit())
        pCombo->lineEdit()->selectAll();
}

void QtDialog::SetItemChoices(UINT nID, const std::vector<std::string>& choices)
{
    auto* pCombo = qobject_cast<QComboBox*>(Item(nID));
    if (!pCombo)
        return;
    const QString text = pCombo->currentText();
    pCombo->clear();
    for (const std::string& c : choices)
        pCombo->addItem(FileNameToQString(c));
    pCombo->setEditText(text);
}

void QtDialog::EndDialog(int nResult)
{
    m_bEnded = true;
    m_nResult = nResult;
    done(nResult);
}

void QtDialog::reject()
{
    m_pDlg->OnCancel();
}

void QtDialog::accept()
{
    m_pDlg->OnOK();
}

void QtDialog::OnButton(UINT nID)
{
    if (nID == static_cast<UINT>(IDOK))
        m_pDlg->OnOK();
    else if (nID == static_cast<UINT>(IDCANCEL))
        m_pDlg->OnCancel();
    else
        m_pDlg->OnCmdMsg(nID, CN_COMMAND, nullptr);
}
