#include "ui/ComboBox.h"

#include "ui/DialogTemplate.h"
#include "ui/ListBox.h"
#include "ui/OwnerDrawDelegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QStylePainter>

namespace {

constexpr int kDataRole = Qt::UserRole;

} // namespace

TComboBox::TComboBox(TWindow* parent, int id)
    : QComboBox(parent)
    , TControl(parent, id)
{
    setItemDelegate(new TOwnerDrawDelegate<TComboBox>(this));
    connect(this, &QComboBox::activated, this, [this] { Notify(TNotify::SelChange); });
}

void TComboBox::ApplyTemplate(const TControlTemplate& control)
{
    m_ownerDraw = control.Has(kStyleOwnerDrawFixed);
}

int TComboBox::AddString(const std::string& text)
{
    addItem(QString::fromStdString(text), 0u);
    return count() - 1;
}

std::string TComboBox::GetString(int index) const
{
    return index >= 0 && index < count() ? itemText(index).toStdString() : std::string();
}

uint32_t TComboBox::GetItemData(int index) const { return itemData(index, kDataRole).toUInt(); }

void TComboBox::SetItemData(int index, uint32_t data) { setItemData(index, data, kDataRole); }

void TComboBox::ShowDropDown(bool show)
{
    if (show)
        showPopup();
    else
        hidePopup();
}

void TComboBox::ChooseDroppedEntry()
{
    const QModelIndex entry = view()->currentIndex();
    if (entry.isValid())
        SetSelIndex(entry.row());
    ShowDropDown(false);
}

void TComboBox::showPopup()
{
    m_dropped = true;
    QComboBox::showPopup();
}

void TComboBox::hidePopup()
{
    const bool wasDropped = m_dropped;
    m_dropped = false;
    QComboBox::hidePopup();
    if (wasDropped)
        Notify(TNotify::CloseUp);
}

void TComboBox::PaintItem(
    QPainter& painter, const QRect& rect, int index, bool selected, bool focused)
{
    TDrawItem item { painter, rect, index, GetItemData(index),
        QString::fromStdString(GetString(index)), selected, focused, palette() };
    painter.save();
    DrawItem(item);
    painter.restore();
}

int TComboBox::MeasureItemHeight() const { return fontMetrics().height(); }

void TComboBox::DrawItem(TDrawItem& item) { DrawItemDefault(item); }

void TComboBox::keyPressEvent(QKeyEvent* event)
{
    if (m_extendedUI && event->key() == Qt::Key_Down && !m_dropped
        && !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
        showPopup();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void TComboBox::paintEvent(QPaintEvent* event)
{
    if (!m_ownerDraw) {
        QComboBox::paintEvent(event);
        return;
    }
    // The frame and the button as usual, the face as the owner draws the selected item.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect face
        = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    PaintItem(painter, face, currentIndex(), hasFocus(), false);
}
