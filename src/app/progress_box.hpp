#pragma once
// A download's progress in a box over the window that asked, with
// "Cancelar"; the window is kept alive while each request waits.

#include <QProgressDialog>

#include "core/progress.hpp"

namespace vadrel::app {

class ProgressBox : public Progress {
public:
    explicit ProgressBox(QWidget* parent);

    void step(const std::string& text) override;
    void waiting() override;
    bool cancelled() override;

private:
    QProgressDialog dialog_;
};

}  // namespace vadrel::app
