#pragma once

// Controls of the options dialog (template 101).
inline constexpr int IdPreviewOn = 132;
inline constexpr int IdPreviewColor = 186; // the hidden placeholder the swatch is painted over
inline constexpr int IdChangeColor = 185;
inline constexpr int IdConfirmOn = 110;
inline constexpr int IdShowHidden = 109;
inline constexpr int IdAutoSizeMain = 148;
inline constexpr int IdAltFileSel = 178;
inline constexpr int IdShiftForSelected = 180;
inline constexpr int IdSavePath = 181;
inline constexpr int IdMainSizes = 153;
inline constexpr int IdSize640 = 152;
inline constexpr int IdSize800 = 151;
inline constexpr int IdSize1024 = 150;
inline constexpr int IdSize1280 = 149;
inline constexpr int IdFullScreen = 103;
inline constexpr int IdShowStatus = 182;
inline constexpr int IdAutoSizeView = 154;
inline constexpr int IdFit = 102;
inline constexpr int IdCenterImage = 104;
inline constexpr int IdShowWarnings = 106;
inline constexpr int IdUseFastDibs = 157;
inline constexpr int IdTimerLabel = 179;
inline constexpr int IdTimerBar = 177;
inline constexpr int IdIntensityLabel = 108;
inline constexpr int IdIntensityBar = 107;
inline constexpr int IdShowAnimatedGif = 187;
inline constexpr int IdUseSSTimer = 188;
inline constexpr int IdUseBkColor = 189;
inline constexpr int IdSaveOptions = 105;
inline constexpr int IdOptionsHelp = 201;

inline constexpr int kOptionsHelpContext = 1;
