#pragma once

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <memory>
#include <string>

class QPainter;
class TListBox;
class TPreviewDib;
class TStatic;
class TViewerLink;
class TWindow;

// How the next frame of an animated preview comes: not at all, through the queue at once,
// or when the browser's timer 3 fires after this many milliseconds.
struct TFrameSchedule {
    enum class TKind { None, Post, Timer };
    TKind kind = TKind::None;
    int milliseconds = 0;

    bool operator==(const TFrameSchedule&) const = default;
};

// With the slideshow timer for animations every frame shows for the slideshow's time, and a
// slideshow time of 0 holds the frame; otherwise for the frame's own delay (hundredths of a
// second), one of 0 coming through the queue at once.
TFrameSchedule NextFrameSchedule(
    bool useSlideShowTimer, int32_t slideShowSeconds, int32_t frameDelayHundredths);

// The info text under the box after a decode: the file's name, size, type and depth
// ("photo.gif\n640 x 480\ngif - 8 bpp").
std::string PreviewInfoLine(const std::string& name, const TPreviewDib& preview);

// The browser's preview box and the info text under it: the thumbnail of the file under the
// file list's cursor, decoded on the one thread while messages go on, and an animated GIF
// played in the box. One preview decode runs at a time: a refresh that finds one running asks
// it to stop and comes back through the queue, so that under a moving cursor only the last
// file is decoded. While a viewing window is open the box shows still pictures only.
class TBrowserPreview {
public:
    // The box is a rectangle of the browser; the file list, the info text and the full
    // folder are the browser's own, read afresh each time.
    TBrowserPreview(TWindow& browser, TViewerLink& viewer, TListBox& files, TStatic& info,
        QRect box, const std::string& fullFolder);
    ~TBrowserPreview();

    TPreviewDib& Preview() { return *m_preview; }
    QRect Box() const { return m_box; }

    // Posts command 134 unless one posted here still waits in the queue.
    void RequestRefresh();
    // Command 134: the thumbnail and info line of the file under the cursor.
    void Refresh();
    // Command 195: the info line again, once the first pass of a progressive JPEG has given
    // the picture's size.
    void RewriteInfo();
    // The next frame when it is due: command 184 (dropped when the animation it was posted
    // for has been stopped since) and timer 3.
    void FrameDue(bool posted);
    // The next frame now (Ctrl+G, and the resumption after the image information).
    void AnimationStep();
    // Stops the timer and a frame posted but not yet drawn.
    void StopAnimation();
    // Command 325: GIF transparency on or off, and a GIF file previewed again.
    void ToggleTransparency();
    // Command 324 and a double click on the info text: the image information of the file
    // previewed, then the preview resumed.
    void ShowInformation();
    // A double click on the browser: in the box one with a picture shows it (126), on the info
    // text the image information comes. False elsewhere and without the preview.
    bool DoubleClicked(QPoint point);
    // The options have been closed: the preview takes its preferences again and, switched
    // off, shows an empty box.
    void OptionsChanged();
    // Draws the box, so that the thumbnail survives the browser being covered.
    void Paint(QPainter& painter, const QRect& clip) const;

private:
    void ScheduleNextFrame();
    void PaintRow(int32_t row);

    TWindow& m_browser;
    TViewerLink& m_viewer;
    TListBox& m_files;
    TStatic& m_info;
    const QRect m_box;
    const std::string& m_fullFolder;
    std::unique_ptr<TPreviewDib> m_preview;
    std::string m_name; // the item whose file was decoded last
    bool m_refreshPosted = false;
    // Frames posted (184) and not yet come back, and how many of those, the oldest, belong
    // to an animation stopped since.
    int m_framesPosted = 0;
    int m_framesDropped = 0;
};
