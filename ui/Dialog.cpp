#include "ui/Dialog.h"

#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/ListBox.h"
#include "ui/ModalService.h"
#include "ui/ScrollBar.h"
#include "ui/Static.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>

namespace {

Qt::WindowFlags FlagsFor(const TDialogTemplate& dialogTemplate)
{
    if (dialogTemplate.child)
        return {};
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;
}

bool TakesFocus(TControlKind kind)
{
    return kind != TControlKind::Static && kind != TControlKind::GroupBox;
}

} // namespace

TDialog::TDialog(TWindow* parent, TDialogTemplate dialogTemplate)
    : TWindow(parent, FlagsFor(dialogTemplate))
    , m_template(std::move(dialogTemplate))
{
    setFont(DialogFont());
    m_units = TDialogUnits::FromFont(font());
    if (!m_template.child)
        SetCaption(m_template.caption);
    setFixedSize(m_units.X(m_template.cx), m_units.Y(m_template.cy));
}

TDialog::~TDialog() = default;

TControl* TDialog::CreateControl(const TControlTemplate& control)
{
    switch (control.kind) {
    case TControlKind::Static:
        return new TStatic(this, control.id);
    case TControlKind::Button:
        return new TButton(this, control.id);
    case TControlKind::CheckBox:
        return new TCheckBox(this, control.id);
    case TControlKind::RadioButton:
        return new TRadioButton(this, control.id);
    case TControlKind::GroupBox:
        return new TGroupBox(this, control.id);
    case TControlKind::Edit:
        return new TEdit(this, control.id);
    case TControlKind::ListBox:
        return new TListBox(this, control.id);
    case TControlKind::ComboBox:
        return new TComboBox(this, control.id);
    case TControlKind::ScrollBar:
        return new TScrollBar(this, control.id);
    }
    return nullptr;
}

void TDialog::LayOut(TControl& control, const TControlTemplate& place)
{
    QWidget* widget = control.Widget();
    control.ApplyTemplate(place);
    const QRect rect = m_units.ToPixels(place.x, place.y, place.cx, place.cy);
    const QString text = QString::fromStdString(place.text);
    if (auto* combo = dynamic_cast<TComboBox*>(&control)) {
        // The template gives the height with the list dropped down.
        const int closed = combo->sizeHint().height();
        combo->setGeometry(rect.x(), rect.y(), rect.width(), closed);
        combo->setMaxVisibleItems(std::max(1, (rect.height() - closed) / combo->ItemHeight()));
    } else {
        widget->setGeometry(rect);
    }
    if (auto* label = dynamic_cast<TStatic*>(&control))
        label->setText(text);
    else if (auto* button = dynamic_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* group = dynamic_cast<QGroupBox*>(widget))
        group->setTitle(text);
    else if (auto* edit = dynamic_cast<TEdit*>(&control))
        edit->setText(text);
    widget->setVisible(!place.Has(kStyleHidden));
    widget->setEnabled(!place.Has(kStyleDisabled));
    widget->raise();
}

void TDialog::LinkControls()
{
    QWidget* previous = nullptr;
    QButtonGroup* radioGroup = nullptr;
    const auto& controls = m_template.controls;
    for (size_t i = 0; i < controls.size(); ++i) {
        const TControlTemplate& place = controls[i];
        QWidget* widget = m_controls[i]->Widget();
        if (TakesFocus(place.kind)) {
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
        // Radio buttons form a group from a group mark, or from the first radio button
        // after another kind of control, to the next mark.
        if (auto* radio = dynamic_cast<QRadioButton*>(widget)) {
            const bool afterOther = i == 0 || controls[i - 1].kind != TControlKind::RadioButton;
            if (!radioGroup || place.Has(kStyleGroup) || afterOther)
                radioGroup = new QButtonGroup(this);
            radioGroup->addButton(radio);
        } else {
            radioGroup = nullptr;
        }
        // A label's mnemonic moves the focus to the next control that takes the focus.
        auto* label = dynamic_cast<TStatic*>(m_controls[i]);
        if (label && label->UsesPrefix() && place.text.find('&') != std::string::npos) {
            for (size_t next = i + 1; next < controls.size(); ++next) {
                if (TakesFocus(controls[next].kind)) {
                    label->setBuddy(m_controls[next]->Widget());
                    break;
                }
            }
        }
    }
}

void TDialog::SetupWindow()
{
    // Controls without an id of their own (-1) are never looked up, so each is new.
    for (const TControlTemplate& place : m_template.controls) {
        TControl* control = place.id != kNoControlId ? Control(place.id) : nullptr;
        if (!control)
            control = CreateControl(place);
        LayOut(*control, place);
        m_controls.push_back(control);
    }
    LinkControls();
    TWindow::SetupWindow();
}

void TDialog::CenterOverOwner()
{
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}

int TDialog::Execute() { return ModalService().ExecuteDialog(*this); }

int TDialog::RunModal()
{
    Create();
    m_result = 0;
    setWindowModality(Qt::ApplicationModal);
    CenterOverOwner();
    show();
    QEventLoop loop;
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
    hide();
    return m_result;
}

void TDialog::CloseDialog(int result)
{
    m_result = result;
    if (m_loop)
        m_loop->quit();
}

void TDialog::EvCommand(int id)
{
    switch (id) {
    case kIdOk:
        return CmOk();
    case kIdCancel:
        return CmCancel();
    default:
        return TWindow::EvCommand(id);
    }
}

void TDialog::CmOk() { CloseDialog(kIdOk); }

void TDialog::CmCancel() { CloseDialog(kIdCancel); }

void TDialog::keyPressEvent(QKeyEvent* event)
{
    // In a dialog window Enter presses the focused push button, else the default one, and
    // Esc cancels; a dialog inside another window leaves both keys to its accelerators.
    if (m_template.child) {
        TWindow::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        int id = kIdOk;
        if (auto* focused = dynamic_cast<TButton*>(focusWidget()))
            id = focused->Id();
        else {
            for (const TControlTemplate& place : m_template.controls) {
                if (place.kind == TControlKind::Button && place.Has(kStyleDefault))
                    id = place.id;
            }
        }
        return EvCommand(id);
    }
    case Qt::Key_Escape:
        return EvCommand(kIdCancel);
    default:
        TWindow::keyPressEvent(event);
    }
}

void TDialog::closeEvent(QCloseEvent* event)
{
    // The close box of a running dialog is its Cancel.
    if (m_loop) {
        event->ignore();
        EvCommand(kIdCancel);
        return;
    }
    TWindow::closeEvent(event);
}
