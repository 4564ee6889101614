#pragma once

// Controls of the file browser's templates.
inline constexpr int IdPreviewBox = 114;
inline constexpr int IdFoldersLabel = 115;
inline constexpr int IdFileNameLabel = 116;
inline constexpr int IdFileTypeLabel = 117;
inline constexpr int IdDrivesLabel = 118;
inline constexpr int IdFolderList = 119;
inline constexpr int IdFolderText = 120;
inline constexpr int IdDriveCombo = 121;
inline constexpr int IdTypeCombo = 122;
inline constexpr int IdFileList = 123;
inline constexpr int IdFileName = 124;
inline constexpr int IdInfoText = 162;
inline constexpr int IdShowButton = 126;
inline constexpr int IdDeleteButton = 161;
inline constexpr int IdCopyButton = 160;
inline constexpr int IdOptionsButton = 112;
inline constexpr int IdHelpButton = 113;
inline constexpr int IdExitButton = 2;

// Commands the browser answers: its buttons, its accelerator keys and its own requests.
inline constexpr int CmExit = 2;
inline constexpr int CmDeleteSelected = 111;
inline constexpr int CmOptions = 112;
inline constexpr int CmHelp = 113;
inline constexpr int CmCopySelected = 125;
inline constexpr int CmShow = 126;
inline constexpr int CmRefreshPreview = 134;
inline constexpr int CmShowSelected = 143;
inline constexpr int CmCopy = 160;
inline constexpr int CmDelete = 161;
inline constexpr int CmColorWarning = 167;
inline constexpr int CmSelectFieldText = 170;
inline constexpr int CmNextPreviewFrame = 184;
inline constexpr int CmProgressivePass = 195;
inline constexpr int CmNoDrives = 196;
inline constexpr int CmCopySelectedKey = 219;
inline constexpr int CmEnter = 301;
inline constexpr int CmEscape = 303;
inline constexpr int CmDeleteKey = 314;
inline constexpr int CmHelpKey = 316;
inline constexpr int CmDeselectAll = 317;
inline constexpr int CmSelectAll = 318;
inline constexpr int CmCopyKey = 320;
inline constexpr int CmDeleteSelectedKey = 321;
inline constexpr int CmAnimationStep = 323;
inline constexpr int CmImageInfo = 324;
inline constexpr int CmToggleTransparency = 325;

// The browser's timer that advances the preview animation.
inline constexpr int kPreviewAnimationTimer = 3;

// The help context of the browser.
inline constexpr int kBrowserHelpContext = 2;
