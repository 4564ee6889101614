#include "settings/ViewSettings.h"

#include "platform/Profile.h"
#include "settings/SettingFields.h"

#include <algorithm>
#include <cmath>

namespace {

template <typename... Ts> struct TOverloaded : Ts... {
    using Ts::operator()...;
};
// Spelled out for compilers that do not deduce an aggregate's arguments by themselves.
template <typename... Ts> TOverloaded(Ts...) -> TOverloaded<Ts...>;

void SetNumber(const TSettingField& field, TViewSettings& settings, int64_t value)
{
    std::visit(
        TOverloaded {
            [&](bool TViewSettings::*member) { settings.*member = value != 0; },
            [&](int32_t TViewSettings::*member) { settings.*member = int32_t(value); },
            [&](uint32_t TViewSettings::*member) { settings.*member = uint32_t(value); },
            [&](TCustomColorSlot slot) { settings.CustomColor[slot.index] = uint32_t(value); },
            [](std::string TViewSettings::*) {},
        },
        field.member);
}

int32_t Validated(const TSettingField& field, int32_t value)
{
    if (!field.range)
        return value;
    if (value < field.range->low)
        return field.range->belowLow;
    if (value > field.range->high)
        return field.range->aboveHigh;
    return value;
}

// Reads one key into the record. A missing key leaves the value in memory, except the text,
// which then becomes empty; colours keep 24 bits; a range replaces what falls outside it.
void ReadField(const TSettingField& field, TViewSettings& settings)
{
    if (field.Kind() == TSettingKind::Text) {
        settings.*std::get<std::string TViewSettings::*>(field.member)
            = ReadSettingString(field.key, "");
        return;
    }
    const int32_t current = int32_t(SettingNumber(field, settings));
    const int32_t stored = field.loadPoint == TLoadPoint::StoreChoice
        ? TProfile::Instance().ReadPrivateInt(field.key, current)
        : ReadSettingInt(field.key, current);
    if (field.Kind() == TSettingKind::Color)
        SetNumber(field, settings, uint32_t(stored) & 0xFFFFFFu);
    else
        SetNumber(field, settings, Validated(field, stored));
}

void LoadGroup(TLoadPoint point, TViewSettings& settings)
{
    for (const TSettingField& field : kSettingFields)
        if (field.loadPoint == point && (!field.readWhen || field.readWhen(settings)))
            ReadField(field, settings);
}

// Numbers are written with "%i", flags as 0 or 1.
void SaveGroup(TSavePoint point, const TViewSettings& settings)
{
    for (const TSettingField* field : SettingsSavedAt(point)) {
        if (field->writeWhen && !field->writeWhen(settings))
            continue;
        if (field->Kind() == TSettingKind::Text)
            WriteSetting(field->key, SettingText(*field, settings));
        else
            WriteSetting(field->key, int32_t(SettingNumber(*field, settings)));
    }
}

} // namespace

std::vector<const TSettingField*> SettingsSavedAt(TSavePoint point)
{
    std::vector<const TSettingField*> fields;
    for (const TSettingField& field : kSettingFields)
        if (field.savePoint == point)
            fields.push_back(&field);
    std::ranges::sort(fields, {}, &TSettingField::saveOrder);
    return fields;
}

int64_t SettingNumber(const TSettingField& field, const TViewSettings& settings)
{
    return std::visit(
        TOverloaded {
            [&](bool TViewSettings::*member) { return int64_t(settings.*member); },
            [&](int32_t TViewSettings::*member) { return int64_t(settings.*member); },
            [&](uint32_t TViewSettings::*member) { return int64_t(settings.*member); },
            [&](TCustomColorSlot slot) { return int64_t(settings.CustomColor[slot.index]); },
            [](std::string TViewSettings::*) { return int64_t(0); },
        },
        field.member);
}

std::string SettingText(const TSettingField& field, const TViewSettings& settings)
{
    if (field.Kind() != TSettingKind::Text)
        return std::to_string(SettingNumber(field, settings));
    return settings.*std::get<std::string TViewSettings::*>(field.member);
}

TViewSettings::TViewSettings()
{
    for (const TSettingField& field : kSettingFields)
        SetNumber(field, *this, field.defaultValue);
}

TViewSettings& Settings()
{
    static TViewSettings settings;
    return settings;
}

void TViewSettings::LoadStartup()
{
    LoadGroup(TLoadPoint::StoreChoice, *this);
    TProfile::Instance().UseSharedFile(UseWinINI);
    LoadGroup(TLoadPoint::Startup, *this);
}

void TViewSettings::LoadFramePosition() { LoadGroup(TLoadPoint::FramePosition, *this); }

void TViewSettings::LoadBrowserGroup()
{
    CopyLayoutToSizeMain();
    LoadGroup(TLoadPoint::BrowserGroup, *this);
}

void TViewSettings::LoadLastPath() { LoadGroup(TLoadPoint::LastPath, *this); }

void TViewSettings::LoadViewPosition() { LoadGroup(TLoadPoint::ViewPosition, *this); }

void TViewSettings::SaveOptions(const TViewSettings& dialog) const
{
    // The custom colours come from memory; the layout is one digit, 0 unless 1, 2 or 3.
    TViewSettings written = dialog;
    written.CustomColor = CustomColor;
    if (written.SizeMain < 1 || written.SizeMain > 3)
        written.SizeMain = 0;
    SaveGroup(TSavePoint::Options, written);
}

void TViewSettings::SaveColorWarningOff()
{
    ShowColorWarning = false;
    SaveGroup(TSavePoint::ColorWarningOff, *this);
}

void TViewSettings::SaveViewPosition() const { SaveGroup(TSavePoint::ViewPosition, *this); }

void TViewSettings::SaveFramePosition() const { SaveGroup(TSavePoint::FramePosition, *this); }

void TViewSettings::SaveBrowserState(const std::string& currentFolder) const
{
    TViewSettings written = *this;
    written.LastPath = currentFolder;
    SaveGroup(TSavePoint::BrowserState, written);
}

int32_t RoundPos(float value)
{
    const float whole = std::trunc(value);
    if (double(value - whole) > 0.49)
        return int32_t(std::trunc(double(value) + 1.0));
    return int32_t(whole);
}

int32_t PercentToPixels(int32_t screenExtent, int32_t percent)
{
    const float pixels = float((long double)screenExtent * ((long double)percent * 0.01L));
    return RoundPos(pixels);
}

int32_t PixelsToPercent(int32_t pixels, int32_t screenExtent)
{
    if (screenExtent <= 0)
        return 0;
    const float percent = float((long double)pixels / (long double)screenExtent * 100.0L);
    return RoundPos(percent);
}

int32_t ScreenLayoutClass(int32_t screenWidth)
{
    if (screenWidth >= 1025)
        return 3;
    if (screenWidth >= 801)
        return 2;
    if (screenWidth >= 641)
        return 1;
    return 0;
}
