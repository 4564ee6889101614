#include "resources/BrowserBitmaps.h"

#include <QBitmap>
#include <QColor>
#include <QImage>
#include <QPixmap>

#include <array>
#include <map>
#include <string_view>

namespace {

// The sixteen colours of the bitmaps, one letter each. Pure blue ('.') is transparent.
struct TPaletteColor {
    char letter;
    QRgb color;
};
constexpr std::array<TPaletteColor, 16> kPalette = { {
    { '.', 0x0000FF },
    { 'k', 0x000000 },
    { 'w', 0xFFFFFF },
    { 's', 0xC0C0C0 },
    { 'g', 0x808080 },
    { 'y', 0xFFFF00 },
    { 'o', 0x808000 },
    { 'r', 0xFF0000 },
    { 'm', 0x800000 },
    { 'G', 0x00FF00 },
    { 'd', 0x008000 },
    { 'n', 0x000080 },
    { 'c', 0x00FFFF },
    { 't', 0x008080 },
    { 'p', 0x800080 },
    { 'M', 0xFF00FF },
} };

using TArt = std::array<std::string_view, kBrowserBitmapSize>;
constexpr TArt kClosedFolder = {
    "................",
    "................",
    "................",
    "..kkkkk.........",
    ".kwyyyyk........",
    "kkkkkkkkkkkkkkk.",
    "kwwwwwwwwwwwwwok",
    "kwyyyyyyyyyyyyok",
    "kwyyyyyyyyyyyyok",
    "kwyyyyyyyyyyyyok",
    "kwyyyyyyyyyyyyok",
    "kwyyyyyyyyyyyyok",
    "kwyyyyyyyyyyyyok",
    "kooooooooooooook",
    "kkkkkkkkkkkkkkkk",
    "................",
};

constexpr TArt kOpenFolder = {
    "................",
    "................",
    "..kkkkk.........",
    ".kwyyyyk........",
    "kwyyyyyykkkkkk..",
    "kwyyyyyyyyyyyok.",
    "kwyykkkkkkkkkkkk",
    "kwykwwwwwwwwwwok",
    "kwykwyyyyyyyyok.",
    "kykwyyyyyyyyyok.",
    "kykwyyyyyyyyok..",
    "kkwyyyyyyyyyok..",
    "kkwyyyyyyyyok...",
    "kkooooooooook...",
    "kkkkkkkkkkkk....",
    "................",
};

constexpr TArt kCurrentFolder = {
    "................",
    ".......kkkkkk...",
    "..kkkkkkwwwwwk..",
    ".kwyyyykwggwwk..",
    "kwyyyyykwwwwwk..",
    "kwyyyyykwgggwkk.",
    "kwyykkkkkkkkkkkk",
    "kwykwwwwwwwwwwok",
    "kwykwyyyyyyyyok.",
    "kykwyyyyyyyyyok.",
    "kykwyyyyyyyyok..",
    "kkwyyyyyyyyyok..",
    "kkwyyyyyyyyok...",
    "kkooooooooook...",
    "kkkkkkkkkkkk....",
    "................",
};

constexpr TArt kRemovable = {
    "................",
    "................",
    "................",
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    "kwwwwwwwwwwwwwsk",
    "kwssssssssssssgk",
    "kwsskkkkkkkksggk",
    "kwssggggggggsggk",
    "kwssssssssssssgk",
    "kwsssssssssGGsgk",
    "kggggggggggggggk",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
};

constexpr TArt kFixed = {
    "................",
    "................",
    "................",
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    "kwwwwwwwwwwwwwsk",
    "kwssssssssssssgk",
    "kwssssssssssssgk",
    "kwssssssssssssgk",
    "kwssssssssssssgk",
    "kwsssssssssGGsgk",
    "kggggggggggggggk",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
};

constexpr TArt kRemote = {
    "................",
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    "kwwwwwwwwwwwwwsk",
    "kwssssssssssssgk",
    "kwssssssssssssgk",
    "kwssssssssssssgk",
    "kwsssssssssGGsgk",
    "kggggggggggggggk",
    ".kkkkkkkkkkkkkk.",
    ".......kk.......",
    ".......kk.......",
    "..kkkkkkkkkkkk..",
    "..kkkkkkkkkkkk..",
    "................",
};

constexpr TArt kCdRom = {
    ".....kkkkkk.....",
    "...kkccwwsskk...",
    "..kccwwwwsssgk..",
    ".kcwwwwkksssggk.",
    ".kcwwwk..kssggk.",
    ".kkkkkkkkkkkkkk.",
    "kwwwwwwwwwwwwwsk",
    "kwssssssssssssgk",
    "kwskkkkkkkkkksgk",
    "kwssssssssssssgk",
    "kwsssssssssGGsgk",
    "kggggggggggggggk",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
    "................",
};

constexpr TArt kRamDisk = {
    "................",
    "................",
    "................",
    "..y.y.y.y.y.y...",
    "..y.y.y.y.y.y...",
    ".dddddddddddddd.",
    ".dkkkkkkkkkkkkd.",
    ".dkgkkgkkgkkkkd.",
    ".dkkkkkkkkkkkkd.",
    ".dddddddddddddd.",
    ".dGdddddddddddd.",
    ".dddddddddddddd.",
    "..y.y.y.y.y.y...",
    "..y.y.y.y.y.y...",
    "................",
    "................",
};

const TArt* ArtOf(int id)
{
    switch (id) {
    case kBitmapClosedFolder:
        return &kClosedFolder;
    case kBitmapOpenFolder:
        return &kOpenFolder;
    case kBitmapCurrentFolder:
        return &kCurrentFolder;
    case kBitmapRemovable:
        return &kRemovable;
    case kBitmapFixed:
        return &kFixed;
    case kBitmapRemote:
        return &kRemote;
    case kBitmapCdRom:
        return &kCdRom;
    case kBitmapRamDisk:
        return &kRamDisk;
    default:
        return nullptr;
    }
}

uint PaletteIndex(char letter)
{
    for (size_t i = 0; i < kPalette.size(); ++i) {
        if (kPalette[i].letter == letter)
            return uint(i);
    }
    return 0;
}

QImage BitmapImage(const TArt& art)
{
    QImage image(kBrowserBitmapSize, kBrowserBitmapSize, QImage::Format_Indexed8);
    QList<QRgb> colors;
    for (const TPaletteColor& entry : kPalette)
        colors.push_back(0xFF000000u | entry.color);
    image.setColorTable(colors);
    for (int y = 0; y < kBrowserBitmapSize; ++y) {
        for (int x = 0; x < kBrowserBitmapSize; ++x) {
            image.setPixel(x, y, PaletteIndex(art[size_t(y)][size_t(x)]));
        }
    }
    return image;
}

} // namespace

QPixmap BrowserBitmap(int id)
{
    static std::map<int, QPixmap> made;
    if (auto found = made.find(id); found != made.end())
        return found->second;
    const TArt* art = ArtOf(id);
    if (!art)
        return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(BitmapImage(*art));
    pixmap.setMask(pixmap.createMaskFromColor(QColor(0, 0, 255)));
    made[id] = pixmap;
    return pixmap;
}
