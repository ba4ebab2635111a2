#include "macros/macro_event_delegate.h"

#include "macros/macro_editor.h"
#include "ui/skin_images.h"

#include <QAbstractItemView>
#include <QPainter>

namespace {
// The three event icons, by the first character of an event line.
const QPixmap &eventIcon(int kind)
{
    static const QPixmap icons[3] = {skinPixmap(QStringLiteral("MacroEvent_0")),
                                     skinPixmap(QStringLiteral("MacroEvent_1")),
                                     skinPixmap(QStringLiteral("MacroEvent_2"))};
    return icons[kind >= 0 && kind < 3 ? kind : 0];
}
} // namespace

MacroEventDelegate::MacroEventDelegate(const MacroEditor &editor, QObject *parent)
    : QStyledItemDelegate(parent), m_editor(editor)
{}

void MacroEventDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const int row = index.row();
    const MacroEventLines &lines = m_editor.eventLines();
    const QRect rect = option.rect;

    QColor ground = option.palette.color(QPalette::Base);
    QColor ink = option.palette.color(QPalette::Text);
    if (m_editor.recorder().isRowAtKeyLimit(row)) {
        ground = QColor(255, 0, 0);
        ink = Qt::white;
    } else if (option.state & QStyle::State_Selected) {
        ground = option.palette.color(QPalette::Highlight);
        ink = option.palette.color(QPalette::HighlightedText);
    }
    painter->save();
    // A row half out of sight stays inside the list, also where the list is
    // drawn into a picture rather than onto the screen.
    if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
        painter->setClipRect(view->viewport()->rect(), Qt::IntersectClip);
    painter->fillRect(rect, ground);

    const int side = rect.height() - 2;
    const QPixmap &icon = eventIcon(lines.rowIcon(row));
    if (!icon.isNull())
        painter->drawPixmap(QRect(rect.left() + 2, rect.top() + 2, side, side), icon);

    painter->setPen(ink);
    painter->setFont(option.font);
    const QRect textRect(rect.left() + kTextLeft, rect.top(), rect.width() - kTextLeft,
                         rect.height());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, lines.rowText(row));
    painter->restore();
}

QSize MacroEventDelegate::sizeHint(const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    Q_UNUSED(index);
    return {option.rect.width(), kRowHeight};
}
