#include "view/ViewNavigation.h"

#include "platform/ProcessFlags.h"
#include "resources/ViewIds.h"
#include "view/FileWalk.h"
#include "view/ViewLoader.h"
#include "view/ViewWindow.h"

TViewNavigation::TViewNavigation(TViewWindow& window, TFileWalk& walk, TViewLoader& loader)
    : m_window(window)
    , m_walk(walk)
    , m_loader(loader)
{
}

void TViewNavigation::Show(int command, bool selectedOnly)
{
    m_loader.LoadFor(command, TDirection::Forwards, [this, selectedOnly] {
        if (!HasFiles())
            return false;
        m_window.activateWindow();
        m_walk.StartAtCaret(selectedOnly);
        return true;
    });
}

void TViewNavigation::Step(int command, int step)
{
    const TDirection direction = step > 0 ? TDirection::Forwards : TDirection::Backwards;
    m_loader.LoadFor(command, direction, [this, step] {
        if (!HasFiles())
            return false;
        m_walk.Step(step);
        return true;
    });
}

void TViewNavigation::ToggleAndNext()
{
    // The toggle happens once: a decode under way defers only the step.
    m_walk.ToggleSelection();
    Step(CmNextFile, 1);
}

void TViewNavigation::ReloadWithTransparencyToggled()
{
    m_loader.LoadFor(CmReloadTransparency, TDirection::Forwards, [this] {
        if (!HasFiles())
            return false;
        // Toggled here, where the command runs its course, not each time it is deferred.
        ProcessFlags().useTransparency = !ProcessFlags().useTransparency;
        m_walk.HoldInList();
        return true;
    });
}

bool TViewNavigation::HasFiles()
{
    if (!m_walk.HasList())
        return false;
    if (m_walk.Count() > 0)
        return true;
    m_window.CloseWindow();
    return false;
}
