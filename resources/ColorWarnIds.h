#pragma once

// Controls of the colour warning dialog (template 197).
inline constexpr int IdWarningIcon = 200; // the icon is drawn at this static's top-left corner
inline constexpr int IdWarningOff = 198;
inline constexpr int IdWarningHelp = 199;

inline constexpr int kColorWarningHelpContext = 4;
