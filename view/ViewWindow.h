#pragma once

#include "ui/ModalService.h"
#include "ui/Screen.h"
#include "ui/Window.h"
#include "view/BrowserFiles.h"
#include "view/ViewLayout.h"

#include <QImage>
#include <QPointer>
#include <QRgb>

#include <memory>
#include <string>
#include <vector>

class TDisplayDib;
class TMyScroller;

// The viewing window: one decoded image in a captioned window that sizes itself to the
// image (AutoSizeView), shrinks an image too large for it (Fit), centres it (CenterImage)
// and scrolls it, or the same image covering the whole screen, panned at the screen's edges.
// It walks the browser's file list through the hand-over record, loading one file at a time
// on the one thread; while a decode runs, commands that would start another load or close
// the window ask it to stop and come back through the queue.
class TViewWindow : public TWindow {
public:
    // Reads FullScreen (fixed for the window's life) and, for a normal window, the View
    // percentages it is placed by. The browser owns the window.
    explicit TViewWindow(TWindow* browser);
    ~TViewWindow() override;

    void SetBrowserFiles(const TBrowserFiles& files) { m_files = files; }

    // Sizes and places the window for the image and makes the Fit bitmap; false only when
    // that bitmap cannot be had.
    bool LayoutImage(bool newImage);
    // Scroll bars for the present image and window.
    void SetupScroller();
    // "no file loaded", "%s (%d x %d)" or "%s - scaling image ..."; in full screen only the
    // scaling text shows, drawn near the bottom of the screen.
    void SetTitle(const std::string& name, bool scaling);
    // Realises the image's palette on a display that has one; returns whether any colour
    // changed (and the window is to be repainted).
    bool RealizeImagePalette();
    // Forgets the image, its Fit bitmap, palette and band header, and the pan offsets.
    void ReleaseImage();
    // The browser closes the window itself: it asks no preview refresh of the browser.
    void CloseFromBrowser();

    bool IsFullScreen() const { return m_fullScreen; }
    bool HasImage() const;
    const TDisplayDib* Image() const { return m_image.get(); }
    QSize ImageSize() const { return m_imageSize; }
    const std::string& FileName() const { return m_fileName; }
    int CurrentIndex() const { return m_index; }
    // The image shrunk to the window while Fit needs it; null otherwise.
    const QImage& ScaledBitmap() const { return m_scaled; }
    QPoint PanOffset() const { return m_pan.Offset(); }
    TMyScroller& Scroller() const { return *m_scroller; }
    // The text drawn in a full-screen window: progress or the scaling text.
    const std::string& ScreenText() const { return m_screenText; }
    // What the window shows: its client area, or the whole screen in full screen.
    QRect ClientRect() const;

    void EvCommand(int id) override;
    bool CanClose() override;
    bool EvMenuChar(QChar letter) override;
    void EvDisplayChange(int width, int height) override;
    void EvWorkAreaChange() override;

protected:
    void SetupWindow() override;
    void EvMove() override;
    void EvSize() override;
    void EvClose() override;

    // Makes the Fit bitmap of this size from the image; false when the memory cannot be had.
    virtual bool CreateScaledBitmap(QSize size);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class TDirection { Forwards, Backwards };

    // Window placement.
    void MeasureScreen();
    QSize Decoration() const;
    void SetOuterRect(const QRect& outer);
    void PlaceAtPercentages();
    void UpdateViewPercentages();
    void ShowWindow();
    void Relayout();
    void RescaleFailed();

    // Loading.
    bool DeferWhileLoading(int command);
    void ShowFiles(int command, bool selectedOnly);
    void Load(TDirection direction);
    std::string CurrentFilePath() const;
    void TakeImage(std::unique_ptr<TDisplayDib> image);
    void FinishLoad();
    void ReportLoadFailure(TDirection direction, const TDisplayDib* image);
    void ShowProgressText(const std::string& text, bool inClient);
    void CloseAndExit();
    void FocusBrowser();

    // Scrolling and panning.
    void ScrollOrPan(int command);

    // Painting.
    void DrawUnscaled(QPainter& painter, const QRect& imageRect, const QRect& exposed);
    QRect ScreenTextBox() const;
    void DrawScreenText(QPainter& painter);
    void ShowScreenText(const std::string& text);

    int Ask(
        const std::string& text, const std::string& caption, TMsgIcon icon, TMsgButtons buttons);

    const bool m_fullScreen;
    QPointer<TWindow> m_browser;
    TBrowserFiles m_files;
    TMyScroller* m_scroller = nullptr;
    TScreenInfo m_screen;

    std::string m_fileName;
    std::string m_titleName; // the name in the caption: the file name, perhaps with a warning
    std::unique_ptr<TDisplayDib> m_image;
    QSize m_imageSize;
    std::vector<uint8_t> m_bandHeader;
    std::vector<QRgb> m_palette;
    QImage m_scaled;
    TPan m_pan;
    std::string m_screenText;

    QRect m_lastWindowRect;
    QSize m_normalSize; // outer size in the normal state
    QPoint m_normalTopLeft;
    bool m_inLayout = false;

    bool m_selectedOnly = false;
    int m_index = 0;
    bool m_exitAfterClose = false;
    bool m_closedByBrowser = false;
};

// The open viewing window; none when no viewing window is open.
TViewWindow* OpenViewWindow();
