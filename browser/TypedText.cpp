#include "browser/TypedText.h"

#include "browser/FileTypeFilter.h"
#include "platform/CasePolicy.h"
#include "platform/Format.h"
#include "platform/Product.h"

namespace {

void Refuse(TTypedText& typed, const char* format, const char* matter)
{
    typed.kind = TTypedText::TKind::Refused;
    typed.message = Format(format, typed.text.c_str());
    typed.caption = ProductCaption(matter);
}

} // namespace

TTypedText InterpretTypedText(
    std::string_view typed, const TFolderQueries& folders, bool showHidden)
{
    TTypedText result;
    result.text = FoldNameCase(typed);
    if (result.text.find(';') != std::string::npos) {
        result.patternList = true;
        if (!IsValidPatternList(result.text)) {
            Refuse(result, "%s\nThis filename is not valid.", "invalid filename");
            return result;
        }
        result.kind = TTypedText::TKind::PatternList;
        if (result.text == FileTypeEntries()[kTypeSupported].patternList)
            result.typeEntry = kTypeSupported;
        return result;
    }

    TTypedPath& parsed = result.parsed;
    switch (ParseTypedPath(result.text, folders, parsed)) {
    case TTypedPathResult::Valid:
        break;
    case TTypedPathResult::InvalidName:
        Refuse(result, "%s\nThis filename is not valid.", "invalid filename");
        return result;
    case TTypedPathResult::InvalidFolder:
        Refuse(result, "%s\nThis directory is not valid.", "invalid directory");
        return result;
    case TTypedPathResult::DriveNotReady:
        result.kind = TTypedText::TKind::DriveNotReady;
        return result;
    }
    if (!HasWildcard(parsed.path) && !folders.FileExists(parsed.path, showHidden)) {
        Refuse(result, "%s\nThis filename does not exist.", "file does not exist");
        result.selectField = true;
        return result;
    }

    result.kind = TTypedText::TKind::Path;
    result.extensionPattern = parsed.extensionGiven ? parsed.extension : ".*";
    result.namePattern = parsed.nameGiven ? parsed.name : "*";
    if (std::string named = result.namePattern + result.extensionPattern; !HasWildcard(named)) {
        result.fileToOpen = std::move(named);
        result.namePattern = std::string(1, '*');
    }
    if (result.namePattern == "*")
        result.typeEntry = TypeEntryForExtension(result.extensionPattern);
    return result;
}
