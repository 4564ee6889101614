#pragma once

#include "ui/ModalService.h"

#include <deque>
#include <functional>
#include <vector>

// A modal service for tests: it shows nothing, records every request with its exact text,
// and answers from scripts queued beforehand. It installs itself while it lives.
class TScriptedModalService : public TModalService {
public:
    struct TMessageBoxCall {
        std::string text;
        std::string caption;
        TMsgIcon icon;
        TMsgButtons buttons;
    };
    struct TDialogCall {
        int templateId;
        std::string caption;
    };

    TScriptedModalService();
    ~TScriptedModalService() override;

    // Answers in order; without a queued answer a message box answers with its first button.
    void QueueAnswer(int id) { m_answers.push_back(id); }
    // Runs against the created dialog (its set-up done) and returns the id it ends with;
    // without a queued script a dialog ends with kIdCancel.
    void QueueDialog(std::function<int(TDialog&)> script)
    {
        m_dialogScripts.push_back(std::move(script));
    }
    void QueueColor(std::optional<uint32_t> color) { m_colors.push_back(color); }
    // The name the save dialog returns, as typed: the request's default suffix is added to a
    // name without one, as the dialog does; none is the dialog cancelled.
    void QueueSaveName(std::optional<std::string> name) { m_saveNames.push_back(std::move(name)); }

    const std::vector<TMessageBoxCall>& MessageBoxes() const { return m_messageBoxes; }
    const std::vector<TDialogCall>& Dialogs() const { return m_dialogs; }
    const std::vector<TSaveFileRequest>& SaveRequests() const { return m_saveRequests; }

    int MessageBox(QWidget* parent, const std::string& text, const std::string& caption,
        TMsgIcon icon, TMsgButtons buttons) override;
    int ExecuteDialog(TDialog& dialog) override;
    std::optional<uint32_t> ChooseColor(
        QWidget* parent, uint32_t initial, std::array<uint32_t, 16>& customColors) override;
    std::optional<std::string> GetSaveFileName(
        QWidget* parent, const TSaveFileRequest& request) override;

private:
    std::deque<int> m_answers;
    std::deque<std::function<int(TDialog&)>> m_dialogScripts;
    std::deque<std::optional<uint32_t>> m_colors;
    std::deque<std::optional<std::string>> m_saveNames;
    std::vector<TMessageBoxCall> m_messageBoxes;
    std::vector<TDialogCall> m_dialogs;
    std::vector<TSaveFileRequest> m_saveRequests;
};
