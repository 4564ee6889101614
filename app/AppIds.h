#pragma once

// The main frame's window menu entry for the about box.
inline constexpr int CmAbout = 156;
