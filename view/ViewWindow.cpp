#include "view/ViewWindow.h"

#include "image/DisplayDib.h"
#include "platform/Format.h"
#include "platform/ProcessFlags.h"
#include "resources/BrowserIds.h"
#include "resources/Templates.h"
#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "ui/DibDraw.h"
#include "ui/ListBox.h"
#include "ui/WaitCursor.h"
#include "view/MyScroller.h"
#include "view/ReaderOptions.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <new>

namespace {

TViewWindow*& OpenWindow()
{
    static TViewWindow* window = nullptr;
    return window;
}

// The colours a palette display holds at present: the palette realised last.
std::vector<QRgb>& SystemPalette()
{
    static std::vector<QRgb> palette;
    return palette;
}

// A decode runs on this thread while the flag is set; painting then shows only the
// background and loading commands defer themselves.
class TViewerLoading {
public:
    TViewerLoading() { ProcessFlags().viewerLoading = true; }
    ~TViewerLoading() { ProcessFlags().viewerLoading = false; }
    TViewerLoading(const TViewerLoading&) = delete;
    TViewerLoading& operator=(const TViewerLoading&) = delete;
};

Qt::WindowFlags ViewWindowFlags(bool fullScreen, bool autoSize)
{
    if (fullScreen)
        return Qt::Window | Qt::FramelessWindowHint;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (!autoSize)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

const QColor kBackground = Qt::black;

} // namespace

TViewWindow* OpenViewWindow() { return OpenWindow(); }

TViewWindow::TViewWindow(TWindow* browser)
    : TWindow(browser, ViewWindowFlags(Settings().FullScreen, Settings().AutoSizeView))
    , m_fullScreen(Settings().FullScreen)
    , m_browser(browser)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    MeasureScreen();
    m_scroller = new TMyScroller(this);
    if (m_fullScreen) {
        setMouseTracking(true);
        setGeometry(QRect(m_screen.origin, QSize(m_screen.width, m_screen.height)));
    } else {
        Settings().LoadViewPosition();
        PlaceAtPercentages();
    }
    m_normalSize = frameGeometry().size();
    m_normalTopLeft = frameGeometry().topLeft();
    SetTitle("", false);
    OpenWindow() = this;
}

TViewWindow::~TViewWindow()
{
    if (OpenWindow() == this)
        OpenWindow() = nullptr;
}

void TViewWindow::MeasureScreen()
{
    m_screen = ScreenInfo();
    if (!ProcessFlags().newShell)
        m_screen.workArea = QRect(QPoint(), QSize(m_screen.width, m_screen.height));
}

void TViewWindow::SetupWindow()
{
    TWindow::SetupWindow();
    SetAccelerators(&ViewAccelerators());
    if (!m_fullScreen)
        QGuiApplication::setWindowIcon(ProgramIcon());
    ShowWindow();
}

void TViewWindow::ShowWindow()
{
    if (!m_fullScreen) {
        // The window system tells the decorations only once the window is shown; the
        // window is then placed again by the same percentages, which showing it must not
        // have rounded afresh.
        const TViewSettings before = Settings();
        show();
        TViewSettings& settings = Settings();
        settings.ViewLeft = before.ViewLeft;
        settings.ViewTop = before.ViewTop;
        settings.ViewWidth = before.ViewWidth;
        settings.ViewHeight = before.ViewHeight;
        PlaceAtPercentages();
        return;
    }
    // The toolkit's full-screen state covers the real screen; a window meant for another
    // screen size (a test's) keeps the geometry it was given.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry() == geometry())
        showFullScreen();
    else
        show();
    // Mouse movement anywhere on the screen reaches the window, for panning at the edges.
    grabMouse();
}

// --- Placement

QSize TViewWindow::Decoration() const
{
    if (m_fullScreen)
        return QSize();
    return frameGeometry().size() - size();
}

void TViewWindow::SetOuterRect(const QRect& outer)
{
    const QSize client = (outer.size() - Decoration()).expandedTo(QSize(1, 1));
    // An auto-sized window has no sizing border: only the program changes its size.
    if (!m_fullScreen && !(windowFlags() & Qt::WindowMaximizeButtonHint))
        setFixedSize(client);
    else
        resize(client);
    move(outer.topLeft());
}

void TViewWindow::PlaceAtPercentages()
{
    const TViewSettings& settings = Settings();
    SetOuterRect(QRect(m_screen.origin.x() + PercentToPixels(m_screen.width, settings.ViewLeft),
        m_screen.origin.y() + PercentToPixels(m_screen.height, settings.ViewTop),
        PercentToPixels(m_screen.width, settings.ViewWidth),
        PercentToPixels(m_screen.height, settings.ViewHeight)));
}

void TViewWindow::UpdateViewPercentages()
{
    // The percentages describe the normal window, whatever state it is in now.
    if (!isMinimized() && !isMaximized())
        m_normalTopLeft = frameGeometry().topLeft();
    TViewSettings& settings = Settings();
    settings.ViewLeft = PixelsToPercent(m_normalTopLeft.x() - m_screen.origin.x(), m_screen.width);
    settings.ViewTop = PixelsToPercent(m_normalTopLeft.y() - m_screen.origin.y(), m_screen.height);
    settings.ViewWidth = PixelsToPercent(m_normalSize.width(), m_screen.width);
    settings.ViewHeight = PixelsToPercent(m_normalSize.height(), m_screen.height);
}

void TViewWindow::EvMove()
{
    if (m_fullScreen) {
        if (pos() != m_screen.origin)
            move(m_screen.origin);
        return;
    }
    UpdateViewPercentages();
}

void TViewWindow::EvSize()
{
    const QRect rect = frameGeometry();
    if (windowState() == Qt::WindowNoState)
        m_normalSize = rect.size();
    // The window's own layout moves it too; that layout is already under way.
    if (rect != m_lastWindowRect) {
        m_lastWindowRect = rect;
        if (!m_inLayout)
            Relayout();
    }
    if (!m_fullScreen)
        UpdateViewPercentages();
}

void TViewWindow::Relayout()
{
    if (isMinimized())
        return;
    if (!LayoutImage(true))
        return RescaleFailed();
    SetupScroller();
}

void TViewWindow::RescaleFailed()
{
    ReleaseImage();
    m_scroller->RemoveBars();
    update();
    if (Ask("Insufficient memory to rescale image\nLoad next file?", "Pelorin - rescale error",
            TMsgIcon::Stop, TMsgButtons::OkCancel)
        == kIdOk) {
        if (m_files.fileList)
            m_files.fileList->SetCaretIndex(m_index);
        PostCommand(CmNextFile);
    } else {
        PostCommand(CmCloseView);
    }
}

void TViewWindow::EvWorkAreaChange()
{
    if (!ProcessFlags().newShell)
        return;
    const QRect workArea = ScreenInfo().workArea;
    if (workArea == m_screen.workArea)
        return;
    m_screen.workArea = workArea;
    const TViewSettings& settings = Settings();
    const bool bars = m_scroller->HasHorizontalBar() || m_scroller->HasVerticalBar();
    if (!bars && !(settings.AutoSizeView && settings.CenterImage))
        return;
    Relayout();
}

void TViewWindow::EvDisplayChange(int width, int height)
{
    m_screen.width = width;
    m_screen.height = height;
    if (m_fullScreen)
        return;
    if (ProcessFlags().newShell)
        m_screen.workArea = ScreenInfo().workArea;
    PlaceAtPercentages();
}

// --- Layout

bool TViewWindow::HasImage() const { return m_image && !m_imageSize.isEmpty(); }

QRect TViewWindow::ClientRect() const
{
    if (m_fullScreen)
        return QRect(0, 0, m_screen.width, m_screen.height);
    return QRect(QPoint(), m_scroller->ClientSize());
}

bool TViewWindow::LayoutImage(bool newImage)
{
    if (!HasImage())
        return true;
    const TViewSettings& settings = Settings();
    const bool wasInLayout = m_inLayout;
    m_inLayout = true;
    if (!m_fullScreen && settings.AutoSizeView && newImage) {
        TAutoSizeInput input;
        input.image = m_imageSize;
        input.available = m_screen.workArea;
        input.decoration = Decoration();
        input.verticalBarWidth = m_scroller->VerticalBarWidth();
        input.horizontalBarHeight = m_scroller->HorizontalBarHeight();
        input.fit = settings.Fit;
        input.center = settings.CenterImage;
        input.topLeft = frameGeometry().topLeft();
        const QRect outer = AutoSizeWindow(input);
        SetOuterRect(outer);
        // A size event that comes later from the window system finds the layout done.
        m_lastWindowRect = frameGeometry();
        if (settings.Fit)
            update();
    }
    bool ok = true;
    if (settings.Fit) {
        const std::optional<QSize> scaled = FitSize(m_imageSize, ClientRect().size());
        m_scaled = QImage();
        if (scaled) {
            TWaitCursor wait;
            if (newImage)
                SetTitle(m_titleName, true);
            ok = CreateScaledBitmap(*scaled);
        }
    }
    m_inLayout = wasInLayout;
    if (newImage)
        SetTitle(ok ? m_titleName : std::string(), false);
    return ok;
}

bool TViewWindow::CreateScaledBitmap(QSize size)
{
    const TDib& dib = *m_image;
    m_scaled = StretchDibBits(size, dib.Block().first(dib.BitsOffset()), dib.Bits());
    return !m_scaled.isNull();
}

void TViewWindow::SetupScroller()
{
    m_scroller->RemoveBars();
    if (!Settings().Fit && !m_fullScreen && HasImage()) {
        const TScrollNeed need = ScrollNeed(m_imageSize, m_scroller->ClientSize(),
            m_scroller->VerticalBarWidth(), m_scroller->HorizontalBarHeight());
        if (need.horizontal || need.vertical)
            m_scroller->SetImageExtents(m_imageSize, need.horizontal, need.vertical);
    }
    update();
}

void TViewWindow::SetTitle(const std::string& name, bool scaling)
{
    std::string text;
    if (name.empty())
        text = "no file loaded";
    else if (!scaling)
        text = Format("%s (%d x %d)", name.c_str(), m_imageSize.width(), m_imageSize.height());
    else
        text = Format("%s - scaling image ...", name.c_str());
    if (!m_fullScreen)
        SetCaption(text);
    else
        ShowScreenText(scaling && !name.empty() ? text : std::string());
}

bool TViewWindow::RealizeImagePalette()
{
    // A display of more than 8 bits a pixel has no palette to realise: every bitmap is drawn
    // through its own colour table.
    if (m_palette.empty() || ScreenInfo().colorDepth > 8)
        return false;
    if (SystemPalette() == m_palette)
        return false;
    SystemPalette() = m_palette;
    update();
    return true;
}

void TViewWindow::ReleaseImage()
{
    m_bandHeader.clear();
    m_image.reset();
    m_scaled = QImage();
    m_palette.clear();
    m_imageSize = QSize();
    m_pan.Reset();
}

// --- Commands

void TViewWindow::EvCommand(int id)
{
    switch (id) {
    case CmShowFromCursor:
        return ShowFiles(id, false);
    case CmShowSelectedFiles:
        return ShowFiles(id, true);
    case CmCloseView:
        CloseWindow();
        return;
    case CmCloseAndExit:
        return CloseAndExit();
    case CmLineUp:
    case CmLineDown:
    case CmLineLeft:
    case CmLineRight:
    case CmRightEnd:
    case CmLeftEnd:
    case CmPageDown:
    case CmPageUp:
        return ScrollOrPan(id);
    default:
        return TWindow::EvCommand(id);
    }
}

bool TViewWindow::EvMenuChar(QChar letter)
{
    if (letter.toLower() != u'x')
        return TWindow::EvMenuChar(letter);
    PostCommand(CmCloseAndExit);
    return true;
}

void TViewWindow::CloseAndExit()
{
    m_exitAfterClose = true;
    PostCloseRequest();
}

void TViewWindow::CloseFromBrowser()
{
    m_closedByBrowser = true;
    CloseWindow();
}

bool TViewWindow::DeferWhileLoading(int command)
{
    KillTimer(kSlideShowTimer);
    KillTimer(kAnimationTimer);
    if (!ProcessFlags().viewerLoading)
        return false;
    ProcessFlags().loadAbort = true;
    PostCommand(command);
    return true;
}

void TViewWindow::ShowFiles(int command, bool selectedOnly)
{
    if (DeferWhileLoading(command) || !m_files.fileList)
        return;
    activateWindow();
    m_selectedOnly = selectedOnly;
    const TListBox& list = *m_files.fileList;
    const int count = list.GetCount();
    m_index = std::max(list.GetCaretIndex(), 0);
    if (selectedOnly && list.GetSelCount() > 0) {
        for (int step = 0; step < count && !list.GetSel(m_index); ++step)
            m_index = (m_index + 1) % count;
    }
    TViewerLoading loading;
    Load(TDirection::Forwards);
}

std::string TViewWindow::CurrentFilePath() const
{
    if (!m_files.fileList || m_index < 0 || m_index >= m_files.fileList->GetCount())
        return {};
    const std::string drive = m_files.drive ? *m_files.drive : std::string();
    const std::string folder = m_files.folder ? *m_files.folder : std::string();
    return drive + folder + m_files.fileList->GetString(m_index);
}

void TViewWindow::Load(TDirection direction)
{
    TProcessFlags& flags = ProcessFlags();
    const std::string path = CurrentFilePath();
    ReleaseImage();
    flags.loadAbort = false;
    if (path.empty()) {
        // The browser's list has no file here: nothing is shown, nothing is asked.
        m_fileName.clear();
        SetTitle("", false);
        SetupScroller();
        return;
    }
    std::unique_ptr<TDisplayDib> image;
    try {
        image = std::make_unique<TDisplayDib>(
            [this](const std::string& text, bool inClient) { ShowProgressText(text, inClient); },
            m_fullScreen);
        image->SetOptions(DisplayOptionsFrom(Settings()));
    } catch (const std::bad_alloc&) {
    }
    const bool decoded = image && image->Load(path);
    if (decoded && !flags.loadAbort) {
        TakeImage(std::move(image));
        m_fileName = path;
        m_titleName = path;
        if (LayoutImage(true))
            return FinishLoad();
        ReleaseImage();
    }
    if (!m_exitAfterClose && !flags.loadAbort)
        ReportLoadFailure(direction, image.get());
    ReleaseImage();
    flags.loadAbort = false;
    m_fileName.clear();
    SetTitle("", false);
    SetupScroller();
}

void TViewWindow::TakeImage(std::unique_ptr<TDisplayDib> image)
{
    const TDib& dib = *image;
    m_imageSize = QSize(dib.Width(), dib.Height());
    const auto info = dib.Block().first(dib.BitsOffset());
    m_bandHeader.assign(info.begin(), info.end());
    const auto table = dib.ColorTable();
    for (uint32_t i = 0; i < dib.NumColors(); ++i)
        m_palette.push_back(qRgb(table[i * 4 + 2], table[i * 4 + 1], table[i * 4]));
    m_image = std::move(image);
}

void TViewWindow::FinishLoad()
{
    if (!ProcessFlags().loadAbort && !m_image->Message().empty()) {
        if (!Settings().ShowWarnings) {
            m_titleName = m_fileName + " - warnings issued";
            SetTitle(m_titleName, false);
        } else {
            Ask(m_image->Message(), "Pelorin - image warning", TMsgIcon::Information,
                TMsgButtons::Ok);
        }
    }
    if (m_files.fileList)
        m_files.fileList->SetCaretIndex(m_index);
    SetupScroller();
    if (!m_fullScreen && !m_exitAfterClose && m_browser)
        m_browser->PostCommand(CmRefreshPreview);
}

void TViewWindow::ReportLoadFailure(TDirection direction, const TDisplayDib* image)
{
    if (m_files.fileList)
        m_files.fileList->SetCaretIndex(m_index);
    m_fileName.clear();
    SetTitle("", false);
    // Without a display image there was no memory for it, or for its Fit bitmap.
    std::string text = image ? image->Message() : "Insufficient memory to load image";
    const std::string caption = image ? "Pelorin - image error" : "Pelorin - memory error";
    const bool forwards = direction == TDirection::Forwards;
    text += forwards ? "\nLoad next file?" : "\nLoad previous file?";
    if (Ask(text, caption, TMsgIcon::Exclamation, TMsgButtons::OkCancel) == kIdOk) {
        PostCommand(forwards ? CmNextFile : CmPreviousFile);
        return;
    }
    PostCommand(CmCloseView);
    if (m_browser)
        m_browser->PostCommand(CmRefreshPreview);
}

void TViewWindow::ShowProgressText(const std::string& text, bool inClient)
{
    if (inClient)
        ShowScreenText(text);
    else
        SetCaption(text);
}

// --- Closing

bool TViewWindow::CanClose()
{
    KillTimer(kSlideShowTimer);
    KillTimer(kAnimationTimer);
    if (ProcessFlags().viewerLoading) {
        // The decode returns once it sees the request; the window closes after it.
        ProcessFlags().loadAbort = true;
        PostCloseRequest();
        return false;
    }
    return TWindow::CanClose();
}

void TViewWindow::EvClose()
{
    if (m_fullScreen)
        releaseMouse();
    if (!m_exitAfterClose && !m_closedByBrowser && m_browser)
        m_browser->PostCommand(CmRefreshPreview);
    if (!m_fullScreen && !Settings().AutoSizeView)
        Settings().SaveViewPosition();
    if (m_exitAfterClose) {
        if (m_browser)
            m_browser->PostCommand(CmExit);
    } else {
        FocusBrowser();
    }
    if (OpenWindow() == this)
        OpenWindow() = nullptr;
}

void TViewWindow::FocusBrowser()
{
    if (!m_browser)
        return;
    QWidget* top = m_browser->window();
    top->activateWindow();
    if (QWidget* last = top->focusWidget())
        last->setFocus(Qt::OtherFocusReason);
    else
        m_browser->setFocus(Qt::OtherFocusReason);
}

// --- Scrolling and panning

void TViewWindow::ScrollOrPan(int command)
{
    if (!m_fullScreen) {
        switch (command) {
        case CmLineUp:
            return m_scroller->VScroll(TScrollCode::LineUp);
        case CmLineDown:
            return m_scroller->VScroll(TScrollCode::LineDown);
        case CmPageUp:
            return m_scroller->VScroll(TScrollCode::PageUp);
        case CmPageDown:
            return m_scroller->VScroll(TScrollCode::PageDown);
        case CmLineLeft:
            return m_scroller->HScroll(TScrollCode::LineUp);
        case CmLineRight:
            return m_scroller->HScroll(TScrollCode::LineDown);
        case CmLeftEnd:
            return m_scroller->HScroll(TScrollCode::Top);
        case CmRightEnd:
            return m_scroller->HScroll(TScrollCode::Bottom);
        }
        return;
    }
    if (Settings().Fit || !HasImage())
        return;
    // The keys pan as the pointer would at the middle of an edge's first pixels.
    const int width = m_screen.width;
    const int height = m_screen.height;
    const bool step = command == CmLineUp || command == CmLineDown || command == CmLineLeft
        || command == CmLineRight;
    QPoint point;
    switch (command) {
    case CmLineUp:
    case CmPageUp:
        point = QPoint(3, 0);
        break;
    case CmLineDown:
    case CmPageDown:
        point = QPoint(3, height);
        break;
    case CmLineLeft:
    case CmLeftEnd:
        point = QPoint(0, 3);
        break;
    default:
        point = QPoint(width, 3);
        break;
    }
    if (m_pan.PanTo(point, step, m_imageSize, QSize(width, height)))
        update();
}

void TViewWindow::mouseMoveEvent(QMouseEvent* event)
{
    TWindow::mouseMoveEvent(event);
    if (!m_fullScreen || Settings().Fit || !HasImage())
        return;
    const QPoint point = event->globalPosition().toPoint() - m_screen.origin;
    if (m_pan.PanTo(point, true, m_imageSize, QSize(m_screen.width, m_screen.height)))
        update();
}

void TViewWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::LeftButton:
        return SendCommand(CmNextFile);
    case Qt::RightButton:
        return SendCommand(CmPreviousFile);
    case Qt::MiddleButton:
        return SendCommand(CmCloseView);
    default:
        return TWindow::mouseDoubleClickEvent(event);
    }
}

bool TViewWindow::event(QEvent* event)
{
    // Becoming the active window is when a palette display takes the window's colours.
    if (event->type() == QEvent::WindowActivate)
        RealizeImagePalette();
    return TWindow::event(event);
}

// --- Painting

void TViewWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect client = ClientRect();
    // Where both scroll bars meet, the window shows its own colour.
    if (!m_fullScreen) {
        for (const QRect& rest : QRegion(rect()) - QRegion(client))
            painter.fillRect(rest, palette().color(QPalette::Window));
    }
    if (ProcessFlags().viewerLoading || !HasImage()) {
        painter.fillRect(client, kBackground);
        DrawScreenText(painter);
        return;
    }
    if (isMinimized())
        return;
    const bool scaled = !m_scaled.isNull();
    const QRect imageRect
        = PlaceImage(client, scaled ? m_scaled.size() : m_imageSize, Settings().CenterImage);
    if (scaled)
        painter.drawImage(imageRect.topLeft(), m_scaled, QRect(QPoint(), imageRect.size()));
    else
        DrawUnscaled(painter, imageRect, event->rect());
    for (const QRect& margin : Margins(client, imageRect)) {
        if (!margin.isEmpty())
            painter.fillRect(margin, kBackground);
    }
    DrawScreenText(painter);
}

void TViewWindow::DrawUnscaled(QPainter& painter, const QRect& imageRect, const QRect& exposed)
{
    const QPoint position
        = m_fullScreen ? m_pan.Offset() : QPoint(m_scroller->XPos(), m_scroller->YPos());
    const bool quick = Settings().UseFastDibs && m_imageSize.height() > imageRect.height();
    const TDibSource source = UnscaledSource(m_imageSize, imageRect.size(), position, quick);
    const TDib& dib = *m_image;
    if (!quick) {
        SetDibBitsToDevice(painter, imageRect, source.source, dib.Block().first(dib.BitsOffset()),
            dib.Bits(), exposed);
        return;
    }
    // The band header describes the visible rows alone, and only they are handed over.
    const auto info = std::span<uint8_t>(m_bandHeader);
    const size_t bandBytes = dib.Stride() * size_t(source.rows);
    const auto writeU32 = [&info](size_t at, uint32_t value) {
        for (size_t i = 0; i < 4; ++i)
            info[at + i] = uint8_t(value >> (8 * i));
    };
    writeU32(8, uint32_t(source.rows));
    writeU32(20, uint32_t(bandBytes));
    SetDibBitsToDevice(painter, imageRect, source.source, info,
        dib.Bits().subspan(dib.Stride() * size_t(source.firstRow), bandBytes), exposed);
}

QRect TViewWindow::ScreenTextBox() const
{
    const QFontMetrics metrics(font());
    const int width
        = int(QString::fromStdString(m_screenText).size() + 2) * metrics.averageCharWidth();
    const QRect client = ClientRect();
    return QRect(client.left() + (client.width() - width) / 2,
        client.bottom() + 1 - 2 * metrics.height(), width, metrics.height());
}

void TViewWindow::DrawScreenText(QPainter& painter)
{
    if (m_screenText.empty())
        return;
    const QRect box = ScreenTextBox();
    painter.fillRect(box, kBackground);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, QString::fromStdString(m_screenText));
}

void TViewWindow::ShowScreenText(const std::string& text)
{
    QRect dirty = m_screenText.empty() ? QRect() : ScreenTextBox();
    m_screenText = text;
    if (!m_screenText.empty())
        dirty |= ScreenTextBox();
    // Drawn at once: the text tells of work that holds the thread.
    if (!dirty.isEmpty() && isVisible())
        repaint(dirty);
}

int TViewWindow::Ask(
    const std::string& text, const std::string& caption, TMsgIcon icon, TMsgButtons buttons)
{
    // The message box needs the mouse that a full-screen window holds.
    if (m_fullScreen)
        releaseMouse();
    const int answer = MessageBox(this, text, caption, icon, buttons);
    if (m_fullScreen && isVisible())
        grabMouse();
    return answer;
}
