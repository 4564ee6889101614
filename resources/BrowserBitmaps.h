#pragma once

class QPixmap;

// The bitmaps of the browser's folder list and drive list: 16 x 16 pixels in 16 colours,
// pure blue transparent.
inline constexpr int kBitmapClosedFolder = 10; // a subfolder of the current folder
inline constexpr int kBitmapOpenFolder = 11; // a folder above the current one
inline constexpr int kBitmapCurrentFolder = 12;
inline constexpr int kBitmapRemovable = 402;
inline constexpr int kBitmapFixed = 403;
inline constexpr int kBitmapRemote = 404;
inline constexpr int kBitmapCdRom = 405;
inline constexpr int kBitmapRamDisk = 406;

inline constexpr int kBrowserBitmapSize = 16;

// The bitmap with this id, its pure blue made transparent; a null pixmap for another id.
QPixmap BrowserBitmap(int id);
