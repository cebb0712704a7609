#pragma once
// The whole desktop program with its dialogs scripted: message boxes and
// file dialogs are recorded and answered, modal windows are real.

#include <QApplication>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

#include "app/qt_ui.hpp"
#include "app/skin.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {

// What every window's scripted Ui shares.
struct Script {
    std::vector<std::string> messages;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::vector<std::string>> openManyAnswers;
    // Questions asked, and their answers in order; without one, the box's default.
    std::vector<std::string> questions;
    std::deque<bool> confirmAnswers;
    std::vector<std::string> opened;
    int printed = 0;
};

class ScriptedQtUi : public app::QtUi {
public:
    ScriptedQtUi(app::WindowRegistry& windows, Script& script) : QtUi(windows), script_(script) {}
    void message(const std::string& text) override { script_.messages.push_back(text); }
    bool confirm(const std::string& text, bool defaultYes) override
    {
        script_.questions.push_back(text);
        if (script_.confirmAnswers.empty()) return defaultYes;
        const bool a = script_.confirmAnswers.front();
        script_.confirmAnswers.pop_front();
        return a;
    }
    std::optional<std::string> saveFileName(const FileFilter& f) override
    {
        auto a = take(script_.saveAnswers);
        return a ? std::optional(withDefaultExtension(*a, f.defaultExt)) : std::nullopt;
    }
    std::optional<std::string> openFileName(const FileFilter&) override { return take(script_.openAnswers); }
    std::vector<std::string> openFileNames(const FileFilter&) override
    {
        if (script_.openManyAnswers.empty()) return {};
        auto a = script_.openManyAnswers.front();
        script_.openManyAnswers.pop_front();
        return a;
    }
    bool openWithDesktop(const std::string& path) override
    {
        script_.opened.push_back(path);
        return true;
    }
    void printWindow() override { ++script_.printed; }

private:
    static std::optional<std::string> take(std::deque<std::optional<std::string>>& q)
    {
        if (q.empty()) return std::nullopt;
        auto a = q.front();
        q.pop_front();
        return a;
    }
    Script& script_;
};

class SkinTest : public ::testing::Test {
protected:
    QObject pending_;  // the context of whenModal's timers, gone with the test
    TempDir dir;
    Script script;
    std::unique_ptr<app::Skin> skin;

    void SetUp() override
    {
        stageTemplates(dir.path());
        start();
    }

    void start(char decimal = '.')
    {
        skin.reset();
        skin = std::make_unique<app::Skin>(Entorno{dir.path(), NumberFormat::withDecimal(decimal), {}},
                                           [this](app::WindowRegistry& w) {
                                               return std::make_unique<ScriptedQtUi>(w, script);
                                           });
    }

    // Runs `inside` once the next modal window is up, then closes it. A
    // window that never comes up leaves nothing behind for the next test.
    void whenModal(std::function<void(QWidget*)> inside)
    {
        QTimer::singleShot(0, &pending_, [inside] {
            QWidget* modal = QApplication::activeModalWidget();
            inside(modal);
            if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
        });
    }
};

}  // namespace vadrel::test
