#pragma once

// Controls of the image information dialog (template 190).
inline constexpr int IdInfoFileName = 192;
inline constexpr int IdInfoFileType = 193;
inline constexpr int IdImageLines = 194;
inline constexpr int IdPreviewLines = 191;
