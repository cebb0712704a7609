#pragma once
// The three "Vista Previa" windows: the picture at the top left, "Copiar"
// and, for the two labelled previews, the options beside it.

#include <QCheckBox>
#include <QLabel>

#include "app/form_window.hpp"
#include "app/image_canvas.hpp"
#include "preview/preview_forms.hpp"

namespace vadrel::app {

class PreviewWindow : public FormWindow {
public:
    // A labelled preview (one polygon, the files to group).
    PreviewWindow(TFPreviewConOpciones& form, QWidget* parent = nullptr);
    // The building's constructions: the picture and "Copiar" only.
    PreviewWindow(TFVPrevTotal& form, QWidget* parent = nullptr);

    QLabel* IDibujo;
    QCheckBox* CBPuntos = nullptr;
    QCheckBox* CBRef = nullptr;
    QCheckBox* CBSup = nullptr;
    const ImageCanvas& canvas() const { return canvas_; }

protected:
    void pull() override;
    void push() override;

private:
    QLayout* picture(Form& form, const std::function<void()>& copy);

    ImageCanvas canvas_;
    TFPreviewConOpciones* options_ = nullptr;
};

}  // namespace vadrel::app
