#include "ui/ListBox.h"

#include "ui/DialogTemplate.h"
#include "ui/OwnerDrawDelegate.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kDataRole = Qt::UserRole;

} // namespace

void DrawItemDefault(TDrawItem& item)
{
    if (item.index < 0)
        return;
    const QPalette::ColorRole background = item.selected ? QPalette::Highlight : QPalette::Base;
    const QPalette::ColorRole text = item.selected ? QPalette::HighlightedText : QPalette::Text;
    item.painter.fillRect(item.rect, item.palette.color(background));
    item.painter.setPen(item.palette.color(text));
    item.painter.drawText(
        item.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, item.text);
}

TListBox::TListBox(TWindow* parent, int id)
    : QListWidget(parent)
    , TControl(parent, id)
{
    setItemDelegate(new TOwnerDrawDelegate<TListBox>(this));
    setUniformItemSizes(true);
    setFlow(QListView::TopToBottom);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto changed = [this] {
        if (m_userDepth > 0)
            m_userChanged = true;
    };
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, changed);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, changed);
    SetSortOrder([](const std::string& left, const std::string& right) {
        return QString::localeAwareCompare(
                   QString::fromStdString(left).toLower(), QString::fromStdString(right).toLower())
            < 0;
    });
}

TListBox::~TListBox() = default;

void TListBox::ApplyTemplate(const TControlTemplate& control)
{
    if (control.Has(kStyleMultipleSel))
        SetSelStyle(TSelStyle::Multiple);
    else if (control.Has(kStyleExtendedSel))
        SetSelStyle(TSelStyle::Extended);
    else
        SetSelStyle(TSelStyle::Single);
    SetSorted(control.Has(kStyleSort));
    SetOwnerDraw(control.Has(kStyleOwnerDrawFixed));
    SetMultiColumn(control.Has(kStyleMultiColumn));
    if (!m_multiColumn) {
        setHorizontalScrollBarPolicy(
            control.Has(kStyleHScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(
            control.Has(kStyleVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }
}

void TListBox::SetSelStyle(TSelStyle style)
{
    m_selStyle = style;
    switch (style) {
    case TSelStyle::Single:
        setSelectionMode(QAbstractItemView::SingleSelection);
        break;
    case TSelStyle::Multiple:
        setSelectionMode(QAbstractItemView::MultiSelection);
        break;
    case TSelStyle::Extended:
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        break;
    }
}

void TListBox::SetMultiColumn(bool multiColumn)
{
    m_multiColumn = multiColumn;
    // Columns fill from top to bottom and the list scrolls sideways, never up and down.
    setWrapping(multiColumn);
    setResizeMode(multiColumn ? QListView::Adjust : QListView::Fixed);
    setHorizontalScrollBarPolicy(multiColumn ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(multiColumn ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    UpdateGrid();
}

void TListBox::SetColumnWidth(int pixels)
{
    m_columnWidth = pixels;
    UpdateGrid();
}

void TListBox::UpdateGrid()
{
    setGridSize(m_multiColumn && m_columnWidth > 0 ? QSize(m_columnWidth, ItemHeight()) : QSize());
}

void TListBox::SetSortOrder(TLess less, TSorter sorter)
{
    m_less = std::move(less);
    m_sorter = std::move(sorter);
}

int TListBox::AddString(const std::string& text)
{
    int index = count();
    if (m_sorted) {
        // After the items that sort equal, so that equal names keep their arrival order.
        int low = 0;
        int high = count();
        while (low < high) {
            const int middle = (low + high) / 2;
            if (!m_less(text, GetString(middle)))
                low = middle + 1;
            else
                high = middle;
        }
        index = low;
    }
    return InsertString(text, index);
}

void TListBox::AddStrings(std::vector<std::string> texts)
{
    // A sorted list that holds items already takes each in its place, after those that sort
    // equal, which keeps the batch's order among equals as sorting it first would.
    if (count() > 0 && m_sorted) {
        for (const std::string& text : texts)
            AddString(text);
        return;
    }
    if (m_sorted) {
        if (m_sorter)
            m_sorter(texts);
        else
            std::stable_sort(texts.begin(), texts.end(), m_less);
    }
    QStringList labels;
    labels.reserve(qsizetype(texts.size()));
    for (const std::string& text : texts)
        labels.push_back(QString::fromStdString(text));
    const bool wasEmpty = count() == 0;
    insertItems(count(), labels);
    if (wasEmpty)
        CaretToFirst();
}

void TListBox::CaretToFirst()
{
    // A list that gets its first items has its caret on the first, so that the first Down
    // moves on to the second.
    if (count() > 0 && currentRow() < 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

int TListBox::InsertString(const std::string& text, int index)
{
    if (index < 0 || index > count())
        index = count();
    auto* entry = new QListWidgetItem(QString::fromStdString(text));
    entry->setData(kDataRole, 0u);
    insertItem(index, entry);
    CaretToFirst();
    return index;
}

int TListBox::DeleteString(int index)
{
    if (index < 0 || index >= count())
        return -1;
    delete takeItem(index);
    return count();
}

void TListBox::ClearList() { clear(); }

std::string TListBox::GetString(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text().toStdString() : std::string();
}

uint32_t TListBox::GetItemData(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->data(kDataRole).toUInt() : 0;
}

void TListBox::SetItemData(int index, uint32_t data)
{
    if (QListWidgetItem* entry = item(index))
        entry->setData(kDataRole, data);
}

int TListBox::GetCaretIndex() const { return count() == 0 ? -1 : std::max(currentRow(), 0); }

void TListBox::SetCaretIndex(int index)
{
    if (index < 0 || index >= count())
        return;
    const QModelIndex modelIndex = model()->index(index, 0);
    selectionModel()->setCurrentIndex(modelIndex, QItemSelectionModel::NoUpdate);
    scrollTo(modelIndex);
}

int TListBox::GetSelIndex() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

void TListBox::SetSelIndex(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        return;
    }
    const QModelIndex modelIndex = model()->index(index, 0);
    selectionModel()->setCurrentIndex(modelIndex, QItemSelectionModel::ClearAndSelect);
    scrollTo(modelIndex);
}

bool TListBox::GetSel(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry && entry->isSelected();
}

void TListBox::SetSel(int index, bool select)
{
    if (index == -1) {
        if (select)
            selectAll();
        else
            clearSelection();
        return;
    }
    if (QListWidgetItem* entry = item(index))
        entry->setSelected(select);
}

int TListBox::GetSelCount() const { return int(selectedItems().size()); }

std::vector<int> TListBox::GetSelIndices() const
{
    std::vector<int> indices;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            indices.push_back(i);
    }
    return indices;
}

int TListBox::GetTopIndex() const
{
    const QModelIndex top = indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void TListBox::SetTopIndex(int index)
{
    if (index >= 0 && index < count())
        scrollTo(model()->index(index, 0), QAbstractItemView::PositionAtTop);
}

void TListBox::PaintItem(
    QPainter& painter, const QRect& rect, int index, bool selected, bool focused)
{
    TDrawItem item { painter, rect, index, GetItemData(index),
        QString::fromStdString(GetString(index)), selected, focused, palette() };
    painter.save();
    DrawItem(item);
    painter.restore();
}

int TListBox::MeasureItemHeight() const { return fontMetrics().height(); }

void TListBox::DrawItem(TDrawItem& item) { DrawItemDefault(item); }

template <class F> void TListBox::UserAction(F&& action)
{
    if (m_userDepth == 0)
        m_userChanged = false;
    ++m_userDepth;
    action();
    --m_userDepth;
    if (m_userDepth == 0 && m_userChanged) {
        m_userChanged = false;
        Notify(TNotify::SelChange);
    }
}

void TListBox::mousePressEvent(QMouseEvent* event)
{
    UserAction([&] { QListWidget::mousePressEvent(event); });
}

void TListBox::mouseMoveEvent(QMouseEvent* event)
{
    UserAction([&] { QListWidget::mouseMoveEvent(event); });
}

void TListBox::mouseReleaseEvent(QMouseEvent* event)
{
    UserAction([&] { QListWidget::mouseReleaseEvent(event); });
}

void TListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    UserAction([&] { QListWidget::mouseDoubleClickEvent(event); });
    Notify(TNotify::DblClk);
}

void TListBox::keyPressEvent(QKeyEvent* event)
{
    UserAction([&] {
        QListWidget::keyPressEvent(event);
        KeyHandled(*event);
    });
}

void TListBox::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    Notify(TNotify::SetFocus);
}

void TListBox::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    Notify(TNotify::KillFocus);
}
