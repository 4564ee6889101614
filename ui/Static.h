#pragma once

#include "ui/Control.h"

#include <QLabel>

class TStatic : public QLabel, public TControl {
public:
    TStatic(TWindow* parent, int id);

    QWidget* Widget() override { return this; }
    void ApplyTemplate(const TControlTemplate& control) override;

    void SetText(const std::string& text);
    std::string GetText() const;
    // Whether '&' marks a mnemonic (the label then focuses its buddy control).
    bool UsesPrefix() const { return m_prefix; }

private:
    bool m_prefix = true;
};
