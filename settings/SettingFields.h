#pragma once

#include "settings/ViewSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The table of every stored preference: its INI key, the member of TViewSettings that holds
// it, its default, its validation, the load point that reads it and the save point that writes
// it. Loading, every save point, the command-line tool and the options dialog all go by it.

enum class TSettingKind { Flag, Number, Color, Text };

// The moments a group of keys is read, each in table order.
enum class TLoadPoint {
    StoreChoice, // program start, first of all and always from the private file
    Startup, // program start, before any window
    FramePosition, // each creation of the main frame window
    BrowserGroup, // the first creation of the file browser in the process
    LastPath, // each set-up of the file browser
    ViewPosition, // each creation of a viewing window that is not full screen
};

// The moments keys are written, each in its own order.
enum class TSavePoint {
    None, // the program never writes the key
    Options, // the options dialog's Save button
    ColorWarningOff, // the colour warning closed with "do not show again"
    ViewPosition, // closing a viewing window that is neither full screen nor auto-sized
    FramePosition, // closing the main frame window
    BrowserState, // destroying the file browser
};

// A value read outside low..high is replaced: by belowLow under the range, by aboveHigh above.
struct TSettingRange {
    int32_t low = 0;
    int32_t high = 0;
    int32_t belowLow = 0;
    int32_t aboveHigh = 0;
};

// One of the sixteen CustomColor entries.
struct TCustomColorSlot {
    size_t index = 0;
};

using TSettingMember = std::variant<bool TViewSettings::*, int32_t TViewSettings::*,
    uint32_t TViewSettings::*, TCustomColorSlot, std::string TViewSettings::*>;

// A condition on the record, such as a flag read earlier in the same load point.
using TSettingCondition = bool (*)(const TViewSettings&);

struct TSettingField {
    const char* key;
    TSettingMember member;
    int32_t defaultValue; // flags 0 or 1, colours 0x00BBGGRR; a text key starts empty
    std::optional<TSettingRange> range;
    TLoadPoint loadPoint;
    TSavePoint savePoint = TSavePoint::None;
    int saveOrder = 0; // position among the keys of its save point, from 1
    TSettingCondition readWhen = nullptr; // when set, the key is read only while it holds
    TSettingCondition writeWhen = nullptr; // likewise for writing

    // Flags are bool members, numbers int32_t, colours uint32_t (kept to 24 bits on reading)
    // and the custom colours, text the one string.
    constexpr TSettingKind Kind() const
    {
        constexpr TSettingKind kinds[] = { TSettingKind::Flag, TSettingKind::Number,
            TSettingKind::Color, TSettingKind::Color, TSettingKind::Text };
        return kinds[member.index()];
    }
};

namespace SettingConditions {
constexpr bool ManualLayout(const TViewSettings& settings) { return !settings.AutoSizeMain; }
constexpr bool PathSaved(const TViewSettings& settings) { return settings.SavePath; }
} // namespace SettingConditions

// In the order the keys are first read. Columns: key, member, default, validation, load point,
// save point, position in the save point's order, the condition of reading and of writing.
inline constexpr TSettingField kSettingFields[] = {
    { "UseWinINI", &TViewSettings::UseWinINI, 0, {}, TLoadPoint::StoreChoice },
    { "AutoSizeMain", &TViewSettings::AutoSizeMain, 1, {}, TLoadPoint::Startup, TSavePoint::Options,
        9 },
    { "SizeMain", &TViewSettings::SizeMain, 0, TSettingRange { 0, 3, 0, 1 }, TLoadPoint::Startup,
        TSavePoint::Options, 36, SettingConditions::ManualLayout },
    { "AltFileSel", &TViewSettings::AltFileSel, 0, {}, TLoadPoint::Startup, TSavePoint::Options,
        12 },
    { "FileLeft", &TViewSettings::FileLeft, 10, TSettingRange { 0, 99, 10, 10 },
        TLoadPoint::FramePosition, TSavePoint::FramePosition, 1 },
    { "FileTop", &TViewSettings::FileTop, 10, TSettingRange { 0, 99, 10, 10 },
        TLoadPoint::FramePosition, TSavePoint::FramePosition, 2 },
    { "ConfirmOn", &TViewSettings::ConfirmOn, 1, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        1 },
    { "ShowHidden", &TViewSettings::ShowHidden, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 2 },
    { "PreviewOn", &TViewSettings::PreviewOn, 1, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        37 },
    { "Fit", &TViewSettings::Fit, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options, 3 },
    { "CenterImage", &TViewSettings::CenterImage, 1, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 4 },
    { "FullScreen", &TViewSettings::FullScreen, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 5 },
    { "ShowWarnings", &TViewSettings::ShowWarnings, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 6 },
    { "IntensityOffset", &TViewSettings::IntensityOffset, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 8 },
    { "AutoSizeView", &TViewSettings::AutoSizeView, 1, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 10 },
    { "UseFastDibs", &TViewSettings::UseFastDibs, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 11 },
    { "SlideShowTimer", &TViewSettings::SlideShowTimer, 0, TSettingRange { 0, 1800, 0, 0 },
        TLoadPoint::BrowserGroup, TSavePoint::Options, 7 },
    { "ShiftForSelected", &TViewSettings::ShiftForSelected, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 13 },
    { "SavePath", &TViewSettings::SavePath, 1, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        14 },
    { "ShowStatus", &TViewSettings::ShowStatus, 1, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 15 },
    { "ShowAnimatedGIF", &TViewSettings::ShowAnimatedGIF, 1, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 16 },
    { "UseSSTimer", &TViewSettings::UseSSTimer, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 17 },
    { "PrevBKColor", &TViewSettings::PrevBKColor, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 19 },
    { "UseBKColor", &TViewSettings::UseBKColor, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 18 },
    { "CustomColor1", TCustomColorSlot { 0 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        20 },
    { "CustomColor2", TCustomColorSlot { 1 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        21 },
    { "CustomColor3", TCustomColorSlot { 2 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        22 },
    { "CustomColor4", TCustomColorSlot { 3 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        23 },
    { "CustomColor5", TCustomColorSlot { 4 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        24 },
    { "CustomColor6", TCustomColorSlot { 5 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        25 },
    { "CustomColor7", TCustomColorSlot { 6 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        26 },
    { "CustomColor8", TCustomColorSlot { 7 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        27 },
    { "CustomColor9", TCustomColorSlot { 8 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        28 },
    { "CustomColor10", TCustomColorSlot { 9 }, 0, {}, TLoadPoint::BrowserGroup, TSavePoint::Options,
        29 },
    { "CustomColor11", TCustomColorSlot { 10 }, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 30 },
    { "CustomColor12", TCustomColorSlot { 11 }, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 31 },
    { "CustomColor13", TCustomColorSlot { 12 }, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 32 },
    { "CustomColor14", TCustomColorSlot { 13 }, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 33 },
    { "CustomColor15", TCustomColorSlot { 14 }, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 34 },
    { "CustomColor16", TCustomColorSlot { 15 }, 0, {}, TLoadPoint::BrowserGroup,
        TSavePoint::Options, 35 },
    { "ShowColorWarning", &TViewSettings::ShowColorWarning, 1, {}, TLoadPoint::BrowserGroup,
        TSavePoint::ColorWarningOff, 1 },
    { "FileType", &TViewSettings::FileType, 1, TSettingRange { 0, 6, 1, 1 },
        TLoadPoint::BrowserGroup, TSavePoint::BrowserState, 1 },
    { "LastPath", &TViewSettings::LastPath, 0, {}, TLoadPoint::LastPath, TSavePoint::BrowserState,
        2, SettingConditions::PathSaved, SettingConditions::PathSaved },
    { "ViewLeft", &TViewSettings::ViewLeft, 25, TSettingRange { 0, 99, 25, 25 },
        TLoadPoint::ViewPosition, TSavePoint::ViewPosition, 1 },
    { "ViewTop", &TViewSettings::ViewTop, 20, TSettingRange { 0, 99, 20, 20 },
        TLoadPoint::ViewPosition, TSavePoint::ViewPosition, 2 },
    { "ViewWidth", &TViewSettings::ViewWidth, 65, TSettingRange { 0, INT32_MAX, 65, 65 },
        TLoadPoint::ViewPosition, TSavePoint::ViewPosition, 3 },
    { "ViewHeight", &TViewSettings::ViewHeight, 65, TSettingRange { 0, INT32_MAX, 65, 65 },
        TLoadPoint::ViewPosition, TSavePoint::ViewPosition, 4 },
};

// Each save point numbers its keys from 1 without a gap or a repeat; a key nothing writes has 0.
constexpr bool SaveOrdersAreWhole()
{
    for (const TSettingField& field : kSettingFields) {
        int keys = 0;
        int sameOrder = 0;
        for (const TSettingField& other : kSettingFields) {
            keys += other.savePoint == field.savePoint;
            sameOrder += other.savePoint == field.savePoint && other.saveOrder == field.saveOrder;
        }
        const bool numbered = field.saveOrder >= 1 && field.saveOrder <= keys && sameOrder == 1;
        if (field.savePoint == TSavePoint::None ? field.saveOrder != 0 : !numbered)
            return false;
    }
    return true;
}
static_assert(SaveOrdersAreWhole(), "the save orders of the settings table have a gap or a repeat");

// The fields a save point writes, in the order it writes them.
std::vector<const TSettingField*> SettingsSavedAt(TSavePoint point);

// A flag, number or colour field's value in a record (flags 0 or 1), and its text for text.
int64_t SettingNumber(const TSettingField& field, const TViewSettings& settings);
std::string SettingText(const TSettingField& field, const TViewSettings& settings);
