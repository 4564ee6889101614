#pragma once

#include <QFont>
#include <QRect>

#include <cstdint>
#include <string>
#include <vector>

enum class TControlKind {
    Static,
    Button,
    CheckBox,
    RadioButton,
    GroupBox,
    Edit,
    ListBox,
    ComboBox,
    ScrollBar
};

// Style bits of a template's control; each kind reads those that concern it.
enum TControlStyle : uint32_t {
    kStyleNone = 0,
    kStyleHidden = 1u << 0,
    kStyleDisabled = 1u << 1,
    kStyleGroup = 1u << 2, // starts a group of radio buttons
    kStyleDefault = 1u << 3, // the default push button
    kStyleCenter = 1u << 4, // centred text
    kStyleNoPrefix = 1u << 5, // '&' is shown, not a mnemonic
    kStyleNoWordWrap = 1u << 6,
    kStyleSunken = 1u << 7,
    kStyleBorder = 1u << 8,
    kStyleSort = 1u << 9,
    kStyleMultiColumn = 1u << 10,
    kStyleHScroll = 1u << 11,
    kStyleVScroll = 1u << 12,
    kStyleNoIntegralHeight = 1u << 13,
    kStyleMultipleSel = 1u << 14, // each click toggles an item
    kStyleExtendedSel = 1u << 15, // Shift extends, Ctrl toggles
    kStyleOwnerDrawFixed = 1u << 16,
    kStyleHasStrings = 1u << 17,
    kStyleDropDownList = 1u << 18,
    kStyleAutoHScroll = 1u << 19,
    kStyleNoHideSel = 1u << 20,
    kStyleVertical = 1u << 21, // a vertical scroll bar
    kStyleRight = 1u << 22, // right-aligned text
};

// The id of a template's control that nothing addresses (a fixed label).
inline constexpr int kNoControlId = -1;

// One control of a dialog template: position and size in dialog units. A combo box's
// height is that of its dropped-down list; the closed box takes the height of its font.
struct TControlTemplate {
    int id = -1;
    TControlKind kind = TControlKind::Static;
    std::string text;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    uint32_t style = kStyleNone;

    bool Has(TControlStyle bit) const { return (style & bit) != 0; }
};

// A dialog template: its size in dialog units and its controls in tab order. A child
// template becomes a borderless window inside its parent (the browser inside the main
// frame); any other one becomes a captioned dialog window.
struct TDialogTemplate {
    int id = 0;
    std::string caption;
    int cx = 0;
    int cy = 0;
    bool child = false;
    std::vector<TControlTemplate> controls;

    const TControlTemplate* Find(int controlId) const;
};

// Conversion from dialog units to pixels: a horizontal unit is a quarter of the dialog
// font's average character width, a vertical unit an eighth of its height. Results round to
// the nearest pixel, halves away from zero.
struct TDialogUnits {
    int baseX = 6;
    int baseY = 13;

    static TDialogUnits FromFont(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    QRect ToPixels(int x, int y, int cx, int cy) const;
};

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);

// The font every dialog of the program uses.
QFont DialogFont();
