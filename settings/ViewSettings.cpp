#include "settings/ViewSettings.h"

#include "platform/Profile.h"

#include <cmath>

namespace {

bool ReadFlag(const char* key, bool defaultValue)
{
    return ReadSettingInt(key, defaultValue ? 1 : 0) != 0;
}

uint32_t ReadColor(const std::string& key, uint32_t defaultValue)
{
    return uint32_t(ReadSettingInt(key, int32_t(defaultValue))) & 0xFFFFFFu;
}

int32_t InRangeOr(int32_t value, int32_t low, int32_t high, int32_t fallback)
{
    return value < low || value > high ? fallback : value;
}

void WriteFlag(const char* key, bool value) { WriteSetting(key, value ? 1 : 0); }

std::string CustomColorKey(size_t index) { return "CustomColor" + std::to_string(index + 1); }

} // namespace

TViewSettings& Settings()
{
    static TViewSettings settings;
    return settings;
}

void TViewSettings::LoadStartup()
{
    TProfile& profile = TProfile::Instance();
    UseWinINI = profile.ReadPrivateInt("UseWinINI", UseWinINI ? 1 : 0) != 0;
    profile.UseSharedFile(UseWinINI);
    AutoSizeMain = ReadFlag("AutoSizeMain", AutoSizeMain);
    if (!AutoSizeMain) {
        SizeMain = ReadSettingInt("SizeMain", SizeMain);
        if (SizeMain > 3)
            SizeMain = 1;
        else if (SizeMain < 0)
            SizeMain = 0;
    }
    AltFileSel = ReadFlag("AltFileSel", AltFileSel);
}

void TViewSettings::LoadFramePosition()
{
    FileLeft = InRangeOr(ReadSettingInt("FileLeft", FileLeft), 0, 99, 10);
    FileTop = InRangeOr(ReadSettingInt("FileTop", FileTop), 0, 99, 10);
}

void TViewSettings::LoadBrowserGroup()
{
    CopyLayoutToSizeMain();
    ConfirmOn = ReadFlag("ConfirmOn", ConfirmOn);
    ShowHidden = ReadFlag("ShowHidden", ShowHidden);
    PreviewOn = ReadFlag("PreviewOn", PreviewOn);
    Fit = ReadFlag("Fit", Fit);
    CenterImage = ReadFlag("CenterImage", CenterImage);
    FullScreen = ReadFlag("FullScreen", FullScreen);
    ShowWarnings = ReadFlag("ShowWarnings", ShowWarnings);
    IntensityOffset = ReadSettingInt("IntensityOffset", IntensityOffset);
    AutoSizeView = ReadFlag("AutoSizeView", AutoSizeView);
    UseFastDibs = ReadFlag("UseFastDibs", UseFastDibs);
    SlideShowTimer = ReadSettingInt("SlideShowTimer", SlideShowTimer);
    ShiftForSelected = ReadFlag("ShiftForSelected", ShiftForSelected);
    SavePath = ReadFlag("SavePath", SavePath);
    ShowStatus = ReadFlag("ShowStatus", ShowStatus);
    ShowAnimatedGIF = ReadFlag("ShowAnimatedGIF", ShowAnimatedGIF);
    UseSSTimer = ReadFlag("UseSSTimer", UseSSTimer);
    PrevBKColor = ReadColor("PrevBKColor", PrevBKColor);
    UseBKColor = ReadFlag("UseBKColor", UseBKColor);
    for (size_t i = 0; i < CustomColor.size(); ++i)
        CustomColor[i] = ReadColor(CustomColorKey(i), CustomColor[i]);
    ShowColorWarning = ReadFlag("ShowColorWarning", ShowColorWarning);
    SlideShowTimer = InRangeOr(SlideShowTimer, 0, 1800, 0);
    FileType = InRangeOr(ReadSettingInt("FileType", FileType), 0, 6, 1);
}

void TViewSettings::LoadLastPath() { LastPath = ReadSettingString("LastPath", ""); }

void TViewSettings::LoadViewPosition()
{
    ViewLeft = InRangeOr(ReadSettingInt("ViewLeft", ViewLeft), 0, 99, 25);
    ViewTop = InRangeOr(ReadSettingInt("ViewTop", ViewTop), 0, 99, 20);
    ViewWidth = ReadSettingInt("ViewWidth", ViewWidth);
    if (ViewWidth < 0)
        ViewWidth = 65;
    ViewHeight = ReadSettingInt("ViewHeight", ViewHeight);
    if (ViewHeight < 0)
        ViewHeight = 65;
}

void TViewSettings::SaveOptions(const TViewSettings& dialog) const
{
    WriteFlag("ConfirmOn", dialog.ConfirmOn);
    WriteFlag("ShowHidden", dialog.ShowHidden);
    WriteFlag("Fit", dialog.Fit);
    WriteFlag("CenterImage", dialog.CenterImage);
    WriteFlag("FullScreen", dialog.FullScreen);
    WriteFlag("ShowWarnings", dialog.ShowWarnings);
    WriteSetting("SlideShowTimer", dialog.SlideShowTimer);
    WriteSetting("IntensityOffset", dialog.IntensityOffset);
    WriteFlag("AutoSizeMain", dialog.AutoSizeMain);
    WriteFlag("AutoSizeView", dialog.AutoSizeView);
    WriteFlag("UseFastDibs", dialog.UseFastDibs);
    WriteFlag("AltFileSel", dialog.AltFileSel);
    WriteFlag("ShiftForSelected", dialog.ShiftForSelected);
    WriteFlag("SavePath", dialog.SavePath);
    WriteFlag("ShowStatus", dialog.ShowStatus);
    WriteFlag("ShowAnimatedGIF", dialog.ShowAnimatedGIF);
    WriteFlag("UseSSTimer", dialog.UseSSTimer);
    WriteFlag("UseBKColor", dialog.UseBKColor);
    WriteSetting("PrevBKColor", int32_t(dialog.PrevBKColor));
    for (size_t i = 0; i < CustomColor.size(); ++i)
        WriteSetting(CustomColorKey(i), int32_t(CustomColor[i]));
    const int32_t sizeMain = dialog.SizeMain >= 1 && dialog.SizeMain <= 3 ? dialog.SizeMain : 0;
    WriteSetting("SizeMain", sizeMain);
    WriteFlag("PreviewOn", dialog.PreviewOn);
}

void TViewSettings::SaveColorWarningOff()
{
    ShowColorWarning = false;
    WriteSetting("ShowColorWarning", "0");
}

void TViewSettings::SaveViewPosition() const
{
    WriteSetting("ViewLeft", ViewLeft);
    WriteSetting("ViewTop", ViewTop);
    WriteSetting("ViewWidth", ViewWidth);
    WriteSetting("ViewHeight", ViewHeight);
}

void TViewSettings::SaveFramePosition() const
{
    WriteSetting("FileLeft", FileLeft);
    WriteSetting("FileTop", FileTop);
}

void TViewSettings::SaveBrowserState(const std::string& currentFolder) const
{
    WriteSetting("FileType", FileType);
    if (SavePath)
        WriteSetting("LastPath", currentFolder);
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
