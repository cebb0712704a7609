#include "cli/shift_command.hpp"

#include <ostream>

#include "check/check_text.hpp"
#include "cli/args.hpp"
#include "cli/batch_app.hpp"
#include "cli/batch_ui.hpp"
#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/text_file.hpp"
#include "georef/common_points.hpp"
#include "georef/pair_file.hpp"
#include "georef/proposed_pairs.hpp"
#include "georef/shift_text.hpp"
#include "parcel/parcel_form.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

namespace {

// The coordinates file's vertices as "Cargar" reads them in the parcel
// window, moved by the fit and written as "N;X;Y" lines in millimetres.
bool moveCoordinates(Context& ctx, const georef::Similarity& fit, const std::string& input,
                     const std::string& output)
{
    BatchApp b(ctx);
    TFParcelgen& form = *b.app.FParcelgen;
    if (!cargaCoordenadas(b.ui, form, input)) return false;
    return dispatch(b.ui, [&] {
        const std::vector<Punto> points = puntosDe(form.MX, form.MY, form.formato);
        if (points.empty()) throw Failure(check::printable(input, check::kLongestName) + " no tiene coordenadas.");
        std::vector<std::string> lines;
        const std::vector<Punto> moved = georef::moved(fit, points);
        for (std::size_t i = 0; i < moved.size(); ++i)
            lines.push_back(std::to_string(i + 1) + ";" + georef::fixed(moved[i].x, 3) + ";" +
                            georef::fixed(moved[i].y, 3));
        writeTextLines(pathFromUtf8(output), lines);
    });
}

}  // namespace

const char* const kShiftUsage =
    "  shift --pares PARES.txt [--aplicar --coords ARCHIVO.txt -o SALIDA.txt]\n"
    "      El desplazamiento y el giro de la cartografía catastral a partir de puntos\n"
    "      comunes (al menos tres), una línea N;Xm;Ym;Xc;Yc por punto: medido y en el\n"
    "      catastro. Escribe la transformación afín, la de semejanza y la rígida, con los\n"
    "      residuos de cada punto. Quien decide es el catastro o el registro; esto muestra\n"
    "      lo que mirarán.\n"
    "        --aplicar           mueve con la transformación rígida (giro y desplazamiento,\n"
    "                            sin escala) las coordenadas de --coords y las guarda en -o\n"
    "      Estado: 0 calculado (y guardado), 1 con un aviso o un error, 2 orden mal escrita.\n";

int shift(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--pares", "--coords", "-o"}, {"--aplicar"}});
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const std::string pairsFile = args.required("--pares");
    const bool apply = args.has("--aplicar");
    if (apply != args.has("--coords") || apply != args.has("-o"))
        throw UsageError("--aplicar, --coords y -o van juntos.");
    args.compruebaSalida();

    std::vector<georef::Pair> pairs;
    georef::Fit fit;
    BatchUi ui(ctx.err);
    if (!dispatch(ui, [&] {
            pairs = georef::readPairs(readText(pathFromUtf8(pairsFile)));
            fit = georef::fitPairs(pairs);
        }))
        return kEndedOnMessage;
    for (const std::string& line : georef::shiftLines(pairs, fit)) ctx.out << line << '\n';
    ctx.out.flush();
    for (const std::string& warning : fit.warnings) ctx.err << warning << '\n';
    if (apply && !moveCoordinates(ctx, fit.rigid, *args.value("--coords"), *args.value("-o"))) return kEndedOnMessage;
    return fit.warnings.empty() ? kWritten : kEndedOnMessage;
}

}  // namespace vadrel::cli
