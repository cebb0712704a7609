#pragma once
// A Ui that records what the form says and answers dialogs from a script.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/ui.hpp"

namespace vadrel::test {

class ScriptedUi : public Ui {
public:
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<FileFilter> saveDialogs;
    std::vector<FileFilter> openDialogs;

    // Answers in order; a dialog with no answer left is cancelled, a
    // question with none is answered No.
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<bool> confirmAnswers;

    void message(const std::string& text) override { messages.push_back(text); }
    bool confirm(const std::string& text, bool defaultYes) override;
    std::optional<std::string> saveFileName(const FileFilter& filter) override;
    std::optional<std::string> openFileName(const FileFilter& filter) override;
};

}  // namespace vadrel::test
