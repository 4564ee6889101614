#pragma once

#include "ui/Control.h"

#include <QListWidget>

#include <functional>
#include <string>
#include <vector>

// A list box with the model the program's lists are written against: items of text and 32
// bits of data, a caret (the item with the focus) apart from the selection, single,
// multiple (each click or Space toggles an item) or extended (Shift extends a range, Ctrl
// toggles) selection, optional sorting, several columns of a set width scrolled
// sideways, and owner-drawn items. The parent hears of selection changes only when the user
// makes them; changes made through these functions stay silent.
class TListBox : public QListWidget, public TControl {
public:
    enum class TSelStyle { Single, Multiple, Extended };

    TListBox(TWindow* parent, int id);
    ~TListBox() override;

    QWidget* Widget() override { return this; }
    void ApplyTemplate(const TControlTemplate& control) override;

    void SetSelStyle(TSelStyle style);
    TSelStyle SelStyle() const { return m_selStyle; }
    void SetSorted(bool sorted) { m_sorted = sorted; }
    bool IsSorted() const { return m_sorted; }
    // The order of a sorted list: by default the locale's, letter case aside. A list may take
    // its own, with a sorter for whole batches (which may be faster than the comparison).
    using TLess = std::function<bool(const std::string&, const std::string&)>;
    using TSorter = std::function<void(std::vector<std::string>&)>;
    void SetSortOrder(TLess less, TSorter sorter = {});
    void SetMultiColumn(bool multiColumn);
    bool IsMultiColumn() const { return m_multiColumn; }
    void SetOwnerDraw(bool ownerDraw) { m_ownerDraw = ownerDraw; }
    bool IsOwnerDraw() const { return m_ownerDraw; }

    // Returns the new item's index; a sorted list puts it in order (letter case aside).
    int AddString(const std::string& text);
    // An index of -1 appends.
    int InsertString(const std::string& text, int index);
    // Adds a batch of items: in order in a sorted list, else at the end. An empty list takes
    // the whole batch in one insertion, so filling it costs no more than sorting the batch.
    void AddStrings(std::vector<std::string> texts);
    // Returns the number of items left, or -1 for an index outside the list.
    int DeleteString(int index);
    void ClearList();
    int GetCount() const { return count(); }
    std::string GetString(int index) const;
    uint32_t GetItemData(int index) const;
    void SetItemData(int index, uint32_t data);

    // -1 when the list is empty.
    int GetCaretIndex() const;
    // Moves the caret without touching the selection and scrolls the item into view.
    void SetCaretIndex(int index);
    // Single selection: the selected item (-1 for none); setting it moves the caret too.
    int GetSelIndex() const;
    void SetSelIndex(int index);
    // Multiple and extended selection; an index of -1 selects or deselects every item.
    bool GetSel(int index) const;
    void SetSel(int index, bool select);
    int GetSelCount() const;
    std::vector<int> GetSelIndices() const;

    int GetTopIndex() const;
    void SetTopIndex(int index);
    void SetColumnWidth(int pixels);
    int ColumnWidth() const { return m_columnWidth; }
    void SetRedraw(bool redraw) { setUpdatesEnabled(redraw); }
    int ItemHeight() const { return MeasureItemHeight(); }

    // Called by the item delegate.
    void PaintItem(QPainter& painter, const QRect& rect, int index, bool selected, bool focused);

protected:
    // The height of every item: the height of the list's font.
    virtual int MeasureItemHeight() const;
    // Draws an owner-drawn item: by default its text, in the highlight colours when selected.
    virtual void DrawItem(TDrawItem& item);
    // Runs after the list's own handling of a key, as part of the same user action: the
    // parent hears of the change once, after both.
    virtual void KeyHandled(const QKeyEvent&) { }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    template <class F> void UserAction(F&& action);
    void UpdateGrid();
    void CaretToFirst();

    TSelStyle m_selStyle = TSelStyle::Single;
    bool m_sorted = false;
    TLess m_less;
    TSorter m_sorter;
    bool m_multiColumn = false;
    bool m_ownerDraw = false;
    int m_columnWidth = 0;
    int m_userDepth = 0;
    bool m_userChanged = false;
};

void DrawItemDefault(TDrawItem& item);
