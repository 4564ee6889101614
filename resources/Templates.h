#pragma once

#include "ui/Accelerators.h"
#include "ui/DialogTemplate.h"

// The browser template with this id (one of the eight); any other id gives the smallest.
const TDialogTemplate& BrowserTemplate(int templateId);
// The eight browser template ids, smallest first, multiple-selection ones first.
const std::vector<int>& BrowserTemplateIds();

// The about box: the product name and version in static 129, a line about the program, OK.
const TDialogTemplate& AboutTemplate();
inline constexpr int IdAboutVersion = 129;

// The options dialog, the image information dialog and the colour warning; their controls are
// in OptionsIds.h, ImageInfoIds.h and ColorWarnIds.h.
const TDialogTemplate& OptionsTemplate();
const TDialogTemplate& ImageInfoTemplate();
const TDialogTemplate& ColorWarnTemplate();

// The save command's windows: the progress window (164: the text in static 165 over Cancel)
// and the confirmation window (166: the same text over OK).
const TDialogTemplate& SaveCancelTemplate();
const TDialogTemplate& SaveOKTemplate();
inline constexpr int IdSaveText = 165;

// Deleting and copying files: the destination folder dialog (137), the question with Yes to
// All (139) and the progress window (159); their controls are in FileDialogIds.h.
const TDialogTemplate& GetDirTemplate();
const TDialogTemplate& YesNoAllTemplate();
const TDialogTemplate& CancelTemplate();

const TAccelTable& BrowserAccelerators();
const TAccelTable& ViewAccelerators();

// The program's icon.
class QIcon;
QIcon ProgramIcon();
