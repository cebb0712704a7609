#include "cli/batch_ui.hpp"

#include "app/report_pdf.hpp"

#include <unistd.h>

#include <iostream>
#include <ostream>

#include "check/check_text.hpp"
#include "core/failure.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

BatchUi::BatchUi(std::ostream& err) : err_(err) {}

namespace {

class TerminalProgress : public Progress {
public:
    explicit TerminalProgress(std::ostream& err) : err_(err) {}
    ~TerminalProgress() override
    {
        if (shown_) err_ << "\r\x1b[K" << std::flush;
    }
    void step(const std::string& text) override
    {
        err_ << "\r\x1b[K" << text << std::flush;
        shown_ = true;
    }

private:
    std::ostream& err_;
    bool shown_ = false;
};

}  // namespace

std::unique_ptr<Progress> BatchUi::startProgress()
{
    if (&err_ == &std::cerr && ::isatty(STDERR_FILENO)) return std::make_unique<TerminalProgress>(err_);
    return std::make_unique<Progress>();
}

namespace {

// A message fit for the terminal: its own lines kept, but no byte of a name
// or a path it quotes can drive the terminal (escape sequences, bells).
std::string forTerminal(const std::string& text)
{
    std::string out;
    std::size_t from = 0;
    while (true) {
        const std::size_t end = text.find('\n', from);
        out += check::printable(std::string_view(text).substr(from, end - from));
        if (end == std::string::npos) return out;
        out += '\n';
        from = end + 1;
    }
}

}  // namespace

void BatchUi::message(const std::string& text)
{
    err_ << forTerminal(text) << '\n';
    err_.flush();
    ++messages_;
    last_ = text;
}

bool BatchUi::confirm(const std::string& text, bool)
{
    if (confirmAnswer) return *confirmAnswer;
    message(text);
    return false;
}

std::optional<std::size_t> BatchUi::choose(const std::string&, const std::vector<std::string>& options, std::size_t)
{
    for (std::size_t i = 0; chooseAnswer && i < options.size(); ++i)
        if (options[i] == *chooseAnswer) return i;
    return std::nullopt;
}

std::optional<std::string> BatchUi::saveFileName(const FileFilter& filter)
{
    if (!saveAnswer) return std::nullopt;
    savedTo_ = withDefaultExtension(*saveAnswer, filter.defaultExt);
    return savedTo_;
}

std::optional<std::string> BatchUi::openFileName(const FileFilter&) { return openAnswer; }

std::vector<std::string> BatchUi::openFileNames(const FileFilter&) { return openAnswers; }

bool dispatch(BatchUi& ui, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const Failure& f) {
        ui.message(f.what());
        return false;
    }
}

void BatchUi::writeReport(const report::Informe& informe, const std::string& path)
{
    app::guardaInformePdf(informe, pathFromUtf8(path));
}

}  // namespace vadrel::cli
