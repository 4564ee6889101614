#pragma once

#include "ui/DialogTemplate.h"

#include <string>
#include <utility>

// The pieces the dialog templates are written with.

// A control's place in dialog units.
inline TControlTemplate At(int x, int y, int cx, int cy)
{
    TControlTemplate control;
    control.x = x;
    control.y = y;
    control.cx = cx;
    control.cy = cy;
    return control;
}

inline TControlTemplate Control(int id, TControlKind kind, std::string text, TControlTemplate place,
    uint32_t style = kStyleNone)
{
    place.id = id;
    place.kind = kind;
    place.text = std::move(text);
    place.style = style;
    return place;
}
