#include "resources/Templates.h"
#include "ui/Button.h"
#include "ui/Dialog.h"
#include "ui/Static.h"

#include <gtest/gtest.h>

// In the dialog font every control lies inside its dialog and every text fits its control.
TEST(DialogTemplates, TextsFitTheirControls)
{
    for (const TDialogTemplate* dialogTemplate : { &OptionsTemplate(), &ImageInfoTemplate(),
             &ColorWarnTemplate(), &GetDirTemplate(), &YesNoAllTemplate(), &CancelTemplate() }) {
        TDialog dialog(nullptr, *dialogTemplate);
        dialog.Create();
        for (QWidget* widget : dialog.findChildren<QWidget*>()) {
            if (widget->window() != &dialog)
                continue; // a combo box's drop-down list is a window of its own
            const QRect rect = widget->geometry();
            EXPECT_TRUE(dialog.rect().contains(rect)) << dialogTemplate->id;
            if (auto* label = dynamic_cast<TStatic*>(widget)) {
                EXPECT_LE(label->heightForWidth(rect.width()), rect.height()) << label->GetText();
            } else if (auto* push = dynamic_cast<TButton*>(widget)) {
                const QString text = push->text().remove('&');
                EXPECT_LT(push->fontMetrics().horizontalAdvance(text), rect.width() - 6)
                    << text.toStdString();
            } else if (auto* box = dynamic_cast<QAbstractButton*>(widget)) {
                EXPECT_LE(box->sizeHint().width(), rect.width()) << box->text().toStdString();
            }
        }
    }
}
