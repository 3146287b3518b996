#include "framework/qt/QtToolIcons.h"

#include "framework/AfxRes.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace {

enum class Drawn { Cut, Copy, Paste, Print, Blank };

QIcon DrawnIcon(Drawn kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    switch (kind) {
    case Drawn::Cut:
        p.drawLine(QPointF(4, 1), QPointF(10, 10));
        p.drawLine(QPointF(12, 1), QPointF(6, 10));
        p.drawEllipse(QRectF(2, 10, 4, 4));
        p.drawEllipse(QRectF(10, 10, 4, 4));
        break;
    case Drawn::Copy:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 8, 10));
        p.drawRect(QRectF(6.5, 4.5, 8, 10));
        break;
    case Drawn::Paste:
        p.setBrush(QColor(180, 140, 80));
        p.drawRect(QRectF(2.5, 2.5, 10, 12));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 6.5, 8, 8));
        p.setBrush(Qt::gray);
        p.drawRect(QRectF(5.5, 1.5, 4, 2));
        break;
    case Drawn::Print:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(Qt::lightGray);
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case Drawn::Blank:
        break;
    }
    return QIcon(pm);
}

QIcon ThemeOr(const char* name, const QIcon& fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), fallback);
}

}  // namespace

QIcon ToolBarIcon(UINT nID, const QStyle* pStyle)
{
    switch (nID) {
    case ID_FILE_NEW:
        return ThemeOr("document-new", pStyle->standardIcon(QStyle::SP_FileIcon));
    case ID_FILE_OPEN:
        return ThemeOr("document-open", pStyle->standardIcon(QStyle::SP_DialogOpenButton));
    case ID_FILE_SAVE:
        return ThemeOr("document-save", pStyle->standardIcon(QStyle::SP_DialogSaveButton));
    case ID_EDIT_CUT:
        return ThemeOr("edit-cut", DrawnIcon(Drawn::Cut));
    case ID_EDIT_COPY:
        return ThemeOr("edit-copy", DrawnIcon(Drawn::Copy));
    case ID_EDIT_PASTE:
        return ThemeOr("edit-paste", DrawnIcon(Drawn::Paste));
    case ID_FILE_PRINT:
        return ThemeOr("document-print", DrawnIcon(Drawn::Print));
    case ID_APP_ABOUT:
        return ThemeOr("help-about", pStyle->standardIcon(QStyle::SP_MessageBoxQuestion));
    default:
        return DrawnIcon(Drawn::Blank);
    }
}
