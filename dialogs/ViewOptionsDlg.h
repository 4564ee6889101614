#pragma once

#include "ui/Dialog.h"

#include <QRect>

#include <cstdint>

struct TViewSettings;
class TTimerSB;
class TGammaSB;

// The options dialog. Its controls start from a settings record; OK copies them back into
// that record and writes nothing, Save writes them to the INI file (the custom colours from
// the record) and changes nothing in the record, Cancel leaves the record alone. The colour
// chooser edits the record's custom colours in place, whatever button closes the dialog.
// Whether changes are unsaved outlives the dialog (the process flag optionsUnsaved): the next
// opening then starts with Save enabled.
class TViewOptionsDlg : public TDialog {
public:
    TViewOptionsDlg(TWindow* parent, TViewSettings& settings);

    // The record with every control's value: what OK keeps and Save writes.
    TViewSettings ControlState() const;
    uint32_t SwatchColor() const { return m_color; }
    QRect SwatchRect() const { return m_swatch; }

    void EvCommand(int id) override;
    void EvNotify(int controlId, TNotify code) override;

protected:
    void SetupWindow() override;
    void CmOk() override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool Checked(int id) const;
    void Check(int id, bool checked);
    void Enable(int id, bool enabled);
    void FullScreenRule();
    void CenterLabelRule();
    void AutoSizeRule();
    void SizeChosen(int id);
    void MarkChange();
    void ChangeColor();
    void Save();

    TViewSettings& m_settings;
    TTimerSB* m_timer;
    TGammaSB* m_gamma;
    uint32_t m_color = 0;
    QRect m_swatch;
};
