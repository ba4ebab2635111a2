#pragma once

#include <QStyledItemDelegate>

class MacroEditor;

// Draws one row of LB_macro from the open macro's event lines: the icon of
// the event's kind (delay, press, release) stretched into a square at the
// row's left, the event's text beside it, and a red row where the last event
// reached the key limit.
class MacroEventDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 26;
    static constexpr int kTextLeft = 45;

    explicit MacroEventDelegate(const MacroEditor &editor, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const MacroEditor &m_editor;
};
