#pragma once

// The viewing window in the benchmarks.

#include "platform/FileSystem.h"
#include "resources/BrowserIds.h"
#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "ui/ListBox.h"
#include "view/ViewWindow.h"

#include <QCoreApplication>
#include <QImage>

#include <string>
#include <vector>

inline const QSize kViewBenchWindow(1024, 768);

// A browser listing files of one folder, and the viewing window showing the first of them in
// a window of 1024 x 768 that does not size itself to the picture, with or without Fit.
class TViewBench {
public:
    TViewBench(const std::string& folder, const std::vector<std::string>& names, bool fit)
        : m_list(new TListBox(&m_browser, IdFileList))
    {
        // The window reads the browser's drive and folder texts.
        const std::string place = FileSystem().BrowserPath(folder).value_or("c:\\");
        m_drive = place.substr(0, 2);
        m_folder = place.substr(2) + (place.ends_with('\\') ? "" : "\\");
        Settings().AutoSizeView = false;
        Settings().Fit = fit;
        for (const std::string& name : names)
            m_list->AddString(name);
        m_list->SetCaretIndex(0);
        m_view = new TViewWindow(&m_browser);
        m_view->SetBrowserFiles({ m_list, &m_drive, &m_folder });
        m_view->Create();
        m_view->resize(kViewBenchWindow);
        QCoreApplication::processEvents();
        m_painted = QImage(m_view->ClientRect().size(), QImage::Format_RGB32);
        Command(CmShowFromCursor);
    }

    TViewWindow& View() { return *m_view; }

    // Paints the window's client area as the window system would ask for it.
    void Paint() { m_view->render(&m_painted, QPoint(), QRegion(m_view->ClientRect())); }
    const QImage& Painted() const { return m_painted; }
    // A command as the keys send it, then the window painted.
    void Command(int id)
    {
        m_view->SendCommand(id);
        Paint();
    }

private:
    TWindow m_browser;
    TListBox* m_list;
    std::string m_drive;
    std::string m_folder;
    TViewWindow* m_view;
    QImage m_painted;
};
