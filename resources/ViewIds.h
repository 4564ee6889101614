#pragma once

// Commands of the viewing window: the keys of its accelerator table and the requests of
// the browser.
inline constexpr int CmShowFromCursor = 126;
inline constexpr int CmShowSelectedFiles = 143;
inline constexpr int CmAnimationFrame = 183;
inline constexpr int CmNextFile = 301;
inline constexpr int CmToggleAndNext = 302;
inline constexpr int CmCloseView = 303;
inline constexpr int CmPreviousFile = 304;
inline constexpr int CmLineUp = 305;
inline constexpr int CmLineDown = 306;
inline constexpr int CmLineLeft = 307;
inline constexpr int CmLineRight = 308;
inline constexpr int CmSaveAsBmp = 309;
inline constexpr int CmRightEnd = 310;
inline constexpr int CmLeftEnd = 311;
inline constexpr int CmPageDown = 312;
inline constexpr int CmPageUp = 313;
inline constexpr int CmCloseAndExit = 315;
inline constexpr int CmViewHelp = 316;
inline constexpr int CmFocusBrowser = 322;
inline constexpr int CmNextFrameNow = 323;
inline constexpr int CmReloadTransparency = 325;

inline constexpr int kSlideShowTimer = 1;
inline constexpr int kAnimationTimer = 2;

inline constexpr int kViewHelpContext = 3;
