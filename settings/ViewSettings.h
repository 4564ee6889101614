#pragma once

#include <array>
#include <cstdint>
#include <string>

// Every preference of the program under the name of its INI key; the table of SettingFields.h
// gives each its default, its validation and the points that read and write it. One instance
// lives for the whole process (Settings()); it survives restarts of the main window, which
// read only the groups that belong to a window's creation.
struct TViewSettings {
    // Every stored preference at its default.
    TViewSettings();

    bool UseWinINI {};
    bool AutoSizeMain {};
    int32_t SizeMain {};
    bool AltFileSel {};
    int32_t FileLeft {};
    int32_t FileTop {};
    bool ConfirmOn {};
    bool ShowHidden {};
    bool PreviewOn {};
    bool Fit {};
    bool CenterImage {};
    bool FullScreen {};
    bool ShowWarnings {};
    int32_t IntensityOffset {};
    bool AutoSizeView {};
    bool UseFastDibs {};
    int32_t SlideShowTimer {};
    bool ShiftForSelected {};
    bool SavePath {};
    bool ShowStatus {};
    bool ShowAnimatedGIF {};
    bool UseSSTimer {};
    uint32_t PrevBKColor {};
    bool UseBKColor {};
    std::array<uint32_t, 16> CustomColor {};
    bool ShowColorWarning {};
    int32_t FileType {};
    std::string LastPath;
    int32_t ViewLeft {};
    int32_t ViewTop {};
    int32_t ViewWidth {};
    int32_t ViewHeight {};

    // Derived, never stored under a key of their own: the layout (0..3) the main window was
    // built with, and the layout that suits the present screen width.
    int32_t CurrentLayout = 0;
    int32_t ScreenLayout = 0;

    bool operator==(const TViewSettings&) const = default;

    // Load points: each reads its group through the profile service and validates it.
    // Program start, before any window: UseWinINI (private file) chooses the store, then
    // AutoSizeMain, SizeMain when AutoSizeMain is 0, AltFileSel.
    void LoadStartup();
    // Each creation of the main frame window.
    void LoadFramePosition();
    // The first creation of the file browser in the process; the current layout is copied
    // into SizeMain first (CopyLayoutToSizeMain, which restarts call alone).
    void LoadBrowserGroup();
    void CopyLayoutToSizeMain() { SizeMain = CurrentLayout; }
    // Each set-up of the file browser; LastPath is read only when SavePath is set.
    void LoadLastPath();
    // Each creation of a viewing window that is not full screen.
    void LoadViewPosition();

    // Save points.
    // The options dialog's Save button: the dialog's controls (held in a record of this
    // type, SizeMain from its layout buttons), the custom colours from this record.
    void SaveOptions(const TViewSettings& dialog) const;
    // The colour warning closed with "do not show again".
    void SaveColorWarningOff();
    // Closing a viewing window that is neither full screen nor auto-sized.
    void SaveViewPosition() const;
    // Closing the main frame window.
    void SaveFramePosition() const;
    // Destroying the file browser: FileType, then LastPath (the browser's current folder)
    // when SavePath is set.
    void SaveBrowserState(const std::string& currentFolder) const;
};

TViewSettings& Settings();

// Window percentages: positions and sizes are stored as whole percentages of the screen.
// Rounds half-way-ish up: a fraction above 0.49 goes to the next whole number.
int32_t RoundPos(float value);
int32_t PercentToPixels(int32_t screenExtent, int32_t percent);
int32_t PixelsToPercent(int32_t pixels, int32_t screenExtent);

// The main window layout (0..3) that suits a screen of this width.
int32_t ScreenLayoutClass(int32_t screenWidth);
