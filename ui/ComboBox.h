#pragma once

#include "ui/Control.h"

#include <QComboBox>

// A drop-down list combo box: items of text and 32 bits of data, an optional extended
// keyboard interface (Down opens the list instead of changing the selection) and optional
// owner drawing of the items and of the closed box. The parent hears of the user's
// selection changes and of the list closing.
class TComboBox : public QComboBox, public TControl {
public:
    TComboBox(TWindow* parent, int id);

    QWidget* Widget() override { return this; }
    void ApplyTemplate(const TControlTemplate& control) override;

    int AddString(const std::string& text);
    void ClearList() { clear(); }
    int GetCount() const { return count(); }
    std::string GetString(int index) const;
    uint32_t GetItemData(int index) const;
    void SetItemData(int index, uint32_t data);
    int GetSelIndex() const { return currentIndex(); }
    void SetSelIndex(int index) { setCurrentIndex(index); }
    void ShowDropDown(bool show);
    bool GetDroppedState() const { return m_dropped; }
    // Enter on the open list: the entry under the cursor is chosen, as a click on it would
    // choose it, and the list closes.
    void ChooseDroppedEntry();
    void SetExtendedUI(bool extended) { m_extendedUI = extended; }
    bool IsOwnerDraw() const { return m_ownerDraw; }
    int ItemHeight() const { return MeasureItemHeight(); }

    void showPopup() override;
    void hidePopup() override;

    // Called by the item delegate and the painting of the closed box.
    void PaintItem(QPainter& painter, const QRect& rect, int index, bool selected, bool focused);

protected:
    virtual int MeasureItemHeight() const;
    virtual void DrawItem(TDrawItem& item);

    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_extendedUI = false;
    bool m_ownerDraw = false;
    bool m_dropped = false;
};
