#pragma once

#include "ui/Window.h"

#include <QPalette>
#include <QRect>

#include <cstdint>

class QPainter;
class QWidget;
struct TControlTemplate;

// An item of an owner-drawn list box or combo box, as the control asks its owner to draw it.
struct TDrawItem {
    QPainter& painter;
    QRect rect;
    int index = -1; // below 0 for an empty list
    uint32_t data = 0;
    QString text;
    bool selected = false;
    bool focused = false;
    const QPalette& palette;
};

// A control of a dialog, addressed by its numeric id. Each control class derives from the
// toolkit widget that looks like it and from this class, which knows the id and the window
// to notify.
class TControl {
public:
    TControl(TWindow* parent, int id);
    virtual ~TControl() = default;

    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    int Id() const { return m_id; }
    TWindow* ParentWindow() const { return m_parent; }
    virtual QWidget* Widget() = 0;
    // Takes the styles of a dialog template's control; the dialog sets the geometry.
    virtual void ApplyTemplate(const TControlTemplate& control);
    // The window is going away: the control tells it nothing more (losing the focus while
    // the window is torn down must not reach a half-destroyed window).
    void DetachFromParent() { m_parent = nullptr; }

protected:
    void Notify(TNotify code);

private:
    TWindow* m_parent;
    int m_id;
};
