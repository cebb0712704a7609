#pragma once
// The window into which AutoCAD's LIST text is pasted, and the import both
// coordinate windows run through it.

#include <string>
#include <vector>

#include "core/arcs.hpp"
#include "core/coord_list.hpp"
#include "core/form.hpp"

namespace vadrel {

class TFList : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FList"; }
    std::string_view Caption() const override { return "Importar orden List Autocad"; }

    static constexpr std::string_view Label1 = "Pegue aquí el texto resultante de ejecutar la orden LIST en AUTOCAD:";

    std::vector<std::string> Memo1;  // the pasted text, line by line
};

// "List Autocad": the paste dialog, emptied first; on OK and, when the lists
// hold anything, a Yes to the overwrite question, the lists are replaced by
// the vertices of the pasted text, its arcs replaced with `flecha` and told.
void importaList(Ui& ui, TFList& lista, CoordList& MX, CoordList& MY, double flecha = arcos::kFlechaPorDefecto);

}  // namespace vadrel
