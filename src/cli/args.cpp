#include "cli/args.hpp"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/arcs.hpp"
#include "core/failure.hpp"
#include "core/number_format.hpp"
#include "core/ui.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

namespace {

// Options whose value is a file the command reads.
const std::set<std::string> kOpcionesDeEntrada{"--coords", "--dxf",      "--list",     "--gml",    "--ext",
                                                "--int",    "--pool",     "--catastro", "--edificio", "--parcela", "--pares"};

// The same file, whether both exist (links and other spellings included)
// or only as written.
bool mismoArchivo(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    const auto ca = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ec), ec);
    std::error_code ec2;
    const auto cb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, ec2), ec2);
    return !ec && !ec2 && ca == cb;
}

}  // namespace

Args::Args(const std::vector<std::string>& words, const KnownOptions& known)
{
    bool opciones = true;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (opciones && w == "--") {
            opciones = false;
        } else if (opciones && w.size() > 1 && w[0] == '-') {
            if (known.flags.count(w)) {
                options_.emplace_back(w, "");
            } else if (known.withValue.count(w)) {
                if (i + 1 >= words.size()) throw UsageError("Falta el valor de la opción " + w + ".");
                options_.emplace_back(w, words[++i]);
            } else {
                throw UsageError("Opción desconocida: " + w + ".");
            }
        } else {
            positional_.push_back(w);
        }
    }
}

bool Args::has(const std::string& name) const
{
    for (const auto& [n, v] : options_)
        if (n == name) return true;
    return false;
}

std::optional<std::string> Args::value(const std::string& name) const
{
    std::optional<std::string> found;
    for (const auto& [n, v] : options_) {
        if (n != name) continue;
        if (found) throw UsageError("La opción " + name + " sólo puede aparecer una vez.");
        found = v;
    }
    return found;
}

std::string Args::required(const std::string& name) const
{
    auto v = value(name);
    if (!v) throw UsageError("Falta la opción " + name + ".");
    return *v;
}

}  // namespace vadrel::cli

namespace vadrel::cli {

std::vector<std::string> Args::entradas() const
{
    std::vector<std::string> out = positional_;
    for (const auto& [n, v] : options_)
        if (kOpcionesDeEntrada.count(n)) out.push_back(v);
    return out;
}

void Args::compruebaSalida(const std::string& defaultExt) const
{
    // Every file a command writes: its output and the comparison's picture.
    std::vector<std::string> nombres;
    if (const auto salida = value("-o")) {
        nombres.push_back(*salida);
        if (!defaultExt.empty()) nombres.push_back(withDefaultExtension(*salida, defaultExt));
    }
    if (const auto png = value("--png")) nombres.push_back(*png);
    for (const std::string& entrada : entradas())
        for (const std::string& nombre : nombres)
            if (mismoArchivo(pathFromUtf8(nombre), pathFromUtf8(entrada))) throw Failure("Error. El archivo de salida es uno de los de entrada.");
}

std::vector<std::string> Args::all(const std::string& name) const
{
    std::vector<std::string> values;
    for (const auto& [n, v] : options_)
        if (n == name) values.push_back(v);
    return values;
}

double flechaDe(const Args& args)
{
    const auto text = args.value("--flecha");
    if (!text) return arcos::kFlechaPorDefecto;
    std::string punto = *text;
    if (auto coma = punto.find(','); coma != std::string::npos) punto[coma] = '.';
    double flecha = 0;
    if (!parseNumber(punto, '.', flecha) || !std::isfinite(flecha) || flecha < 0)
        throw UsageError("La flecha debe ser un número de metros, 0 o mayor: " + *text + ".");
    if (flecha > 0 && flecha < arcos::kFlechaMinima)
        throw UsageError("La flecha debe ser 0 o de al menos 0,001 m: " + *text + ".");
    return flecha;
}

std::vector<std::string> spreadLists(const std::vector<std::string>& words, const std::set<std::string>& lists)
{
    std::vector<std::string> out;
    std::string list;
    for (const std::string& w : words) {
        if (lists.count(w)) {
            list = w;
        } else if (w.starts_with("-")) {
            list.clear();
        } else if (!list.empty() && !out.empty() && out.back() != list) {
            out.push_back(list);
        }
        out.push_back(w);
    }
    return out;
}

}  // namespace vadrel::cli
