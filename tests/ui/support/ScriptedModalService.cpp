#include "ui/support/ScriptedModalService.h"

#include "ui/Dialog.h"

TScriptedModalService::TScriptedModalService() { SetModalService(this); }

TScriptedModalService::~TScriptedModalService() { SetModalService(nullptr); }

int TScriptedModalService::MessageBox(QWidget*, const std::string& text, const std::string& caption,
    TMsgIcon icon, TMsgButtons buttons)
{
    m_messageBoxes.push_back({ text, caption, icon, buttons });
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (buttons) {
    case TMsgButtons::RetryCancel:
        return kIdRetry;
    case TMsgButtons::YesNo:
    case TMsgButtons::YesNoCancel:
        return kIdYes;
    default:
        return kIdOk;
    }
}

int TScriptedModalService::ExecuteDialog(TDialog& dialog)
{
    dialog.Create();
    m_dialogs.push_back({ dialog.TemplateId(), dialog.Caption() });
    if (m_dialogScripts.empty())
        return kIdCancel;
    auto script = std::move(m_dialogScripts.front());
    m_dialogScripts.pop_front();
    return script(dialog);
}

std::optional<uint32_t> TScriptedModalService::ChooseColor(
    QWidget*, uint32_t, std::array<uint32_t, 16>&)
{
    if (m_colors.empty())
        return std::nullopt;
    const auto color = m_colors.front();
    m_colors.pop_front();
    return color;
}

std::optional<std::string> TScriptedModalService::GetSaveFileName(
    QWidget*, const TSaveFileRequest& request)
{
    m_saveRequests.push_back(request);
    if (m_saveNames.empty())
        return std::nullopt;
    auto name = std::move(m_saveNames.front());
    m_saveNames.pop_front();
    // The dialog adds the default suffix to a name typed without one.
    const size_t slash = name ? name->rfind('/') : std::string::npos;
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    if (name && !request.defaultSuffix.empty() && name->find('.', start) == std::string::npos)
        *name += "." + request.defaultSuffix;
    return name;
}
