#include "report/text_wrap.hpp"

namespace vadrel::report {

namespace {

// The end of the UTF-8 character that starts at `i`.
std::size_t finDeCaracter(std::string_view s, std::size_t i)
{
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    return i;
}

class Partidor {
public:
    Partidor(double ancho, Letra letra, const MedidaTexto& medida) : ancho_(ancho), letra_(letra), medida_(medida) {}

    bool cabe(std::string_view s) const { return medida_.ancho(s, letra_.puntos, letra_.negrita) <= ancho_; }

    // The longest head of `palabra` that fits a line, cut between
    // characters; at least its first character.
    std::size_t cabeza(std::string_view palabra) const
    {
        std::vector<std::size_t> cortes;  // each character's end
        for (std::size_t i = 0; i < palabra.size(); i = finDeCaracter(palabra, i)) cortes.push_back(finDeCaracter(palabra, i));
        std::size_t bajo = 0, alto = cortes.size() - 1;  // cortes[bajo] always taken
        while (bajo < alto) {
            const std::size_t medio = (bajo + alto + 1) / 2;
            if (cabe(palabra.substr(0, cortes[medio])))
                bajo = medio;
            else
                alto = medio - 1;
        }
        return cortes[bajo];
    }

private:
    double ancho_;
    Letra letra_;
    const MedidaTexto& medida_;
};

}  // namespace

std::vector<std::string> parteEnLineas(std::string_view texto, double ancho, Letra letra, const MedidaTexto& medida)
{
    const Partidor partidor(ancho, letra, medida);
    std::vector<std::string> lineas;
    std::string actual;  // the line being filled; empty at a line's start
    std::size_t i = 0;
    while (i < texto.size()) {
        // The blanks before the next word, and the word.
        const std::size_t inicio = i;
        while (i < texto.size() && texto[i] == ' ') ++i;
        const std::size_t palabraDesde = i;
        while (i < texto.size() && texto[i] != ' ') ++i;
        const std::string_view blancos = texto.substr(inicio, palabraDesde - inicio);
        std::string_view palabra = texto.substr(palabraDesde, i - palabraDesde);
        // Blanks that start the text are kept; those at a break are not.
        const bool alPrincipio = lineas.empty() && actual.empty();
        std::string candidata = actual;
        if (!actual.empty() || alPrincipio) candidata += blancos;
        candidata += palabra;
        if (partidor.cabe(candidata)) {
            actual = std::move(candidata);
            continue;
        }
        if (!actual.empty()) {
            lineas.push_back(std::move(actual));
            actual.clear();
        }
        // The word on a line of its own, cut while it does not fit one.
        while (!palabra.empty() && !partidor.cabe(palabra)) {
            const std::size_t corte = partidor.cabeza(palabra);
            lineas.emplace_back(palabra.substr(0, corte));
            palabra.remove_prefix(corte);
        }
        actual = palabra;
    }
    if (!actual.empty() || lineas.empty()) lineas.push_back(std::move(actual));
    return lineas;
}

}  // namespace vadrel::report
