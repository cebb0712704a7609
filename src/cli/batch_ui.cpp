#include "cli/batch_ui.hpp"

#include <ostream>

#include "core/failure.hpp"

namespace vadrel::cli {

BatchUi::BatchUi(std::ostream& err) : err_(err) {}

void BatchUi::message(const std::string& text)
{
    err_ << text << '\n';
    err_.flush();
    ++messages_;
    last_ = text;
}

// No command asks a question yet; one that did would be told and answered No.
bool BatchUi::confirm(const std::string& text, bool)
{
    message(text);
    return false;
}

std::optional<std::string> BatchUi::saveFileName(const FileFilter& filter)
{
    if (!saveAnswer) return std::nullopt;
    savedTo_ = withDefaultExtension(*saveAnswer, filter.defaultExt);
    return savedTo_;
}

std::optional<std::string> BatchUi::openFileName(const FileFilter&) { return openAnswer; }

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

}  // namespace vadrel::cli
