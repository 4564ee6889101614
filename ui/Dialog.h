#pragma once

#include "ui/DialogTemplate.h"
#include "ui/Window.h"

class QEventLoop;

// A dialog built from a template of numbered controls. A class that needs its own control
// class for an id creates that control in its constructor; the dialog creates the other
// controls when it is created, and gives every control the template's place, size, text
// and styles. A child template makes a borderless window inside the parent; any other
// template a captioned dialog, run modally through the modal service (Execute).
class TDialog : public TWindow {
public:
    TDialog(TWindow* parent, TDialogTemplate dialogTemplate);
    ~TDialog() override;

    const TDialogTemplate& Template() const { return m_template; }
    int TemplateId() const { return m_template.id; }
    const TDialogUnits& Units() const { return m_units; }

    // Runs the dialog modally through the modal service and returns the id it ended with.
    int Execute();
    // The modal run itself: creates and shows the dialog and waits until CloseDialog.
    int RunModal();
    // Ends a modal run with this result.
    void CloseDialog(int result);
    bool IsRunningModal() const { return m_loop != nullptr; }
    // Places the dialog over the middle of the window it belongs to, as dialogs open.
    void CenterOverOwner();
    int Result() const { return m_result; }

    void EvCommand(int id) override;

protected:
    void SetupWindow() override;
    virtual void CmOk();
    virtual void CmCancel();

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TControl* CreateControl(const TControlTemplate& control);
    void LayOut(TControl& control, const TControlTemplate& place);
    void LinkControls();

    TDialogTemplate m_template;
    TDialogUnits m_units;
    std::vector<TControl*> m_controls; // in template order
    QEventLoop* m_loop = nullptr;
    int m_result = 0;
};
