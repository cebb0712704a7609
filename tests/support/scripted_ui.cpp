#include "support/scripted_ui.hpp"

#include "report/report_layout.hpp"

namespace vadrel::test {

bool ScriptedUi::confirm(const std::string& text, bool)
{
    questions.push_back(text);
    if (confirmAnswers.empty()) return false;
    bool a = confirmAnswers.front();
    confirmAnswers.pop_front();
    return a;
}

std::optional<std::size_t> ScriptedUi::choose(const std::string& text, const std::vector<std::string>&, std::size_t)
{
    choices.push_back(text);
    if (chooseAnswers.empty()) return std::nullopt;
    auto a = chooseAnswers.front();
    chooseAnswers.pop_front();
    return a;
}

std::optional<std::string> ScriptedUi::saveFileName(const FileFilter& filter)
{
    saveDialogs.push_back(filter);
    if (saveAnswers.empty()) return std::nullopt;
    auto a = saveAnswers.front();
    saveAnswers.pop_front();
    return a ? std::optional(withDefaultExtension(*a, filter.defaultExt)) : std::nullopt;
}

std::optional<std::string> ScriptedUi::openFileName(const FileFilter& filter)
{
    openDialogs.push_back(filter);
    if (openAnswers.empty()) return std::nullopt;
    auto a = openAnswers.front();
    openAnswers.pop_front();
    return a;
}

std::vector<std::string> ScriptedUi::openFileNames(const FileFilter& filter)
{
    openDialogs.push_back(filter);
    if (openManyAnswers.empty()) return {};
    auto a = openManyAnswers.front();
    openManyAnswers.pop_front();
    return a;
}

ModalResult ScriptedUi::showModal(Form& form)
{
    shownModal.emplace_back(form.instancia());
    form.FormShow();
    return onShowModal ? onShowModal(form) : ModalResult::Cancel;
}

void ScriptedUi::writeReport(const report::Informe& informe, const std::string& path)
{
    writtenReports.emplace_back(path, informe.titulo);
    lastComparison = informe.comparacion;
    lastHeading = informe.cabecera;
    lastGeorreferenciacion = informe.georreferenciacion;
}

bool ScriptedUi::pideFirma(report::FirmaInforme& firma)
{
    firmasMostradas.push_back(firma);
    if (firmaAnswers.empty()) return true;
    const std::optional<report::FirmaInforme> answer = firmaAnswers.front();
    firmaAnswers.pop_front();
    if (!answer) return false;
    firma = *answer;
    return true;
}

namespace {

class ScriptedProgress : public Progress {
public:
    explicit ScriptedProgress(ScriptedUi& ui) : ui_(ui) {}
    void step(const std::string& text) override { ui_.progressSteps.push_back(text); }
    bool cancelled() override
    {
        return ui_.cancelAfterSteps >= 0 && static_cast<int>(ui_.progressSteps.size()) >= ui_.cancelAfterSteps;
    }

private:
    ScriptedUi& ui_;
};

}  // namespace

std::unique_ptr<Progress> ScriptedUi::startProgress() { return std::make_unique<ScriptedProgress>(*this); }

}  // namespace vadrel::test
