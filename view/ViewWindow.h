#pragma once

#include "ui/ModalService.h"
#include "ui/Window.h"
#include "view/BrowserFiles.h"
#include "view/FileWalk.h"
#include "view/ShownImage.h"
#include "view/ViewLayout.h"
#include "view/ViewLoader.h"
#include "view/ViewNavigation.h"
#include "view/ViewPaint.h"
#include "view/ViewPlacement.h"
#include "view/ViewPlayback.h"
#include "view/ViewSaver.h"
#include "view/ViewScroll.h"

#include <QPointer>

#include <string>

class TMyScroller;

// The viewing window: one decoded image in a captioned window that sizes itself to the
// image (AutoSizeView), shrinks an image too large for it (Fit), centres it (CenterImage)
// and scrolls it, or the same image covering the whole screen, panned at the screen's edges.
// It walks the browser's file list through the hand-over record, loading one file at a time
// on the one thread; while a decode runs, commands that would start another load or close
// the window ask it to stop and come back through the queue.
//
// The window answers commands and window messages and hands each to the unit whose job it
// is: where it stands (TViewPlacement), how the image is laid out (TViewLayout), drawn
// (TViewPainter), scrolled and panned (TViewScroll), which file comes (TFileWalk, moved by
// TViewNavigation), how it is loaded (TViewLoader) and saved (TViewSaver), and the slideshow
// and animation (TViewPlayback); the image and what is kept beside it is TShownImage.
class TViewWindow : public TWindow {
public:
    // Reads FullScreen (fixed for the window's life) and, for a normal window, the View
    // percentages it is placed by. The browser owns the window.
    explicit TViewWindow(TWindow* browser);
    ~TViewWindow() override;

    void SetBrowserFiles(const TBrowserFiles& files) { m_walk.SetFiles(files); }

    bool LayoutImage(bool newImage) { return m_layout.LayoutImage(newImage); }
    void SetupScroller() { m_layout.SetupScroller(); }
    void SetTitle(const std::string& name, bool scaling) { m_layout.SetTitle(name, scaling); }
    bool RealizeImagePalette() { return m_painter.RealizeImagePalette(); }
    // Forgets the image, its Fit bitmap, palette and band header, and the pan offsets.
    void ReleaseImage();
    // The browser closes the window itself: it asks no preview refresh of the browser.
    void CloseFromBrowser();

    // While it lives, a full-screen window lets go of the mouse, which the windows put over it
    // (message boxes, the save's windows) need.
    class TMouseFreed {
    public:
        explicit TMouseFreed(TViewWindow& window);
        ~TMouseFreed();
        TMouseFreed(const TMouseFreed&) = delete;
        TMouseFreed& operator=(const TMouseFreed&) = delete;

    private:
        TViewWindow& m_window;
    };

    // A message box over the window; a full-screen window lets go of the mouse meanwhile.
    int Ask(
        const std::string& text, const std::string& caption, TMsgIcon icon, TMsgButtons buttons);
    // Asks the browser to show the preview of the file under its cursor again.
    void RefreshBrowserPreview();
    // The program ends once the window has closed (Alt+X).
    bool ExitsAfterClose() const { return m_exitAfterClose; }

    bool IsFullScreen() const { return m_placement.FullScreen(); }
    bool HasImage() const { return m_image.HasImage(); }
    const TDisplayDib* Image() const { return m_image.Image(); }
    QSize ImageSize() const { return m_image.Size(); }
    const std::string& FileName() const { return m_image.FileName(); }
    int CurrentIndex() const { return m_walk.Index(); }
    // The image shrunk to the window while Fit needs it; null otherwise.
    const QImage& ScaledBitmap() const { return m_image.FitBitmap(); }
    QPoint PanOffset() const { return m_scroll.PanOffset(); }
    TMyScroller& Scroller() const { return *m_scroller; }
    const std::string& ScreenText() const { return m_painter.ScreenText(); }
    QRect ClientRect() const { return m_placement.ClientRect(); }

    void EvCommand(int id) override;
    bool CanClose() override;
    bool EvMenuChar(QChar letter) override;
    void EvDisplayChange(int width, int height) override;
    void EvWorkAreaChange() override;

protected:
    void SetupWindow() override;
    void EvTimer(int id) override;
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
    void CloseAndExit();
    void Relayout();
    void RescaleFailed();
    void FocusBrowser();

    QPointer<TWindow> m_browser;
    TMyScroller* m_scroller;
    TViewPlacement m_placement;
    TShownImage m_image;
    TViewScroll m_scroll;
    TViewPainter m_painter;
    TViewLayout m_layout;
    TFileWalk m_walk;
    TViewPlayback m_playback;
    TViewLoader m_loader;
    TViewSaver m_saver;
    TViewNavigation m_navigation;

    bool m_exitAfterClose = false;
    bool m_closedByBrowser = false;
    int m_mouseFreed = 0;
};
