#pragma once

// Controls of the dialogs that deleting and copying files use.

// The destination folder dialog (template 137).
inline constexpr int IdDestFolderList = 135;
inline constexpr int IdDestFolderText = 136;
inline constexpr int IdDestDriveCombo = 138;

// The question with Yes to All (template 139): the question-mark icon is drawn at the
// top-left corner of its hidden placeholder.
inline constexpr int IdYesToAll = 140;
inline constexpr int IdQuestionText = 141;
inline constexpr int IdQuestionIcon = 142;

// The progress window of a delete or a copy (template 159).
inline constexpr int IdProgressText = 158;
