#pragma once

#include <QStyledItemDelegate>

// The item delegate of a list control that may draw its own items: an owner-drawn control
// paints each item itself (PaintItem) at its fixed item height; any other is drawn as usual.
template <class TOwner> class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit TOwnerDrawDelegate(TOwner* owner)
        : QStyledItemDelegate(owner)
        , m_owner(owner)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        if (!m_owner->IsOwnerDraw()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        m_owner->PaintItem(*painter, option.rect, index.row(),
            option.state.testFlag(QStyle::State_Selected),
            option.state.testFlag(QStyle::State_HasFocus));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize natural = QStyledItemDelegate::sizeHint(option, index);
        return QSize(natural.width(), m_owner->ItemHeight());
    }

private:
    TOwner* m_owner;
};
