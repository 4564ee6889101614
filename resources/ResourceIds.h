#pragma once

// Dialog templates of the file browser: four sizes, each with a multiple-selection and an
// extended-selection file list.
inline constexpr int kBrowserMultiple640 = 130;
inline constexpr int kBrowserMultiple800 = 131;
inline constexpr int kBrowserMultiple1024 = 146;
inline constexpr int kBrowserMultiple1280 = 147;
inline constexpr int kBrowserExtended640 = 173;
inline constexpr int kBrowserExtended800 = 174;
inline constexpr int kBrowserExtended1024 = 175;
inline constexpr int kBrowserExtended1280 = 176;

inline constexpr int kOptionsTemplate = 101;
inline constexpr int kAboutTemplate = 155;
inline constexpr int kImageInfoTemplate = 190;
inline constexpr int kColorWarnTemplate = 197;
// Deleting and copying files: the destination folder, the question with Yes to All, the
// progress window.
inline constexpr int kGetDirTemplate = 137;
inline constexpr int kYesNoAllTemplate = 139;
inline constexpr int kCancelTemplate = 159;
// The save command's progress and confirmation windows.
inline constexpr int kSaveCancelTemplate = 164;
inline constexpr int kSaveOKTemplate = 166;

inline constexpr int kViewAccelerators = 128;
inline constexpr int kBrowserAccelerators = 144;
