#include "core/spanish_order.hpp"

#include <cstdint>
#include <tuple>
#include <vector>

namespace vadrel {

namespace {

// One element of a name: a letter or other character, or a run of digits.
struct Elemento {
    std::uint32_t primario = 0;  // letters after digits after other signs
    std::string_view digitos;    // a run of digits, leading zeros dropped
    bool acento = false;
    bool mayuscula = false;
};

constexpr std::uint32_t kDigitos = 0x10000;
constexpr std::uint32_t kLetras = 0x20000;
constexpr std::uint32_t kOtros = 0x40000;

std::uint32_t letra(char base) { return kLetras + 2 * static_cast<std::uint32_t>(base - 'a'); }

// The next code point of UTF-8 text; a stray byte stands for itself.
std::uint32_t siguiente(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (i + static_cast<std::size_t>(extra) >= s.size() + (extra ? 0 : 1)) extra = 0;
    std::uint32_t cp = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
    i += 1 + static_cast<std::size_t>(extra);
    return cp;
}

// Latin-1 letters folded to their base letter; "ñ" keeps a place of its own.
Elemento deCaracter(std::uint32_t cp)
{
    Elemento e;
    if (cp >= 'a' && cp <= 'z') {
        e.primario = letra(static_cast<char>(cp));
        return e;
    }
    if (cp >= 'A' && cp <= 'Z') {
        e.primario = letra(static_cast<char>(cp - 'A' + 'a'));
        e.mayuscula = true;
        return e;
    }
    if (cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7) {
        // À..Ö Ø..Þ and à..ö ø..ÿ share one table, 32 apart.
        static constexpr const char* kBase = "aaaaaaaceeeeiiiidnooooo_ouuuuyts";
        const bool mayuscula = cp < 0xE0;
        const std::uint32_t k = mayuscula ? cp - 0xC0 : cp - 0xE0;
        const char base = cp == 0xFF ? 'y' : kBase[k];
        if (base != 'd' && base != 't' && base != 's') {  // Ð, Þ and ß keep their code point
            e.primario = letra(base) + (cp == 0xD1 || cp == 0xF1 ? 1 : 0);
            e.acento = cp != 0xD1 && cp != 0xF1;
            e.mayuscula = mayuscula;
            return e;
        }
    }
    e.primario = cp < kDigitos ? (cp < 0x80 ? cp : kOtros + cp) : kOtros + cp;
    return e;
}

std::vector<Elemento> elementos(std::string_view s)
{
    std::vector<Elemento> out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] >= '0' && s[i] <= '9') {
            std::size_t fin = i;
            while (fin < s.size() && s[fin] >= '0' && s[fin] <= '9') ++fin;
            std::size_t desde = i;
            while (desde + 1 < fin && s[desde] == '0') ++desde;
            Elemento e;
            e.primario = kDigitos;
            e.digitos = s.substr(desde, fin - desde);
            out.push_back(e);
            i = fin;
            continue;
        }
        out.push_back(deCaracter(siguiente(s, i)));
    }
    return out;
}

// -1, 0 or 1 by the letters and numbers alone.
int comparaPrimario(const std::vector<Elemento>& a, const std::vector<Elemento>& b)
{
    for (std::size_t k = 0; k < a.size() && k < b.size(); ++k) {
        const Elemento& x = a[k];
        const Elemento& y = b[k];
        if (x.primario != y.primario) return x.primario < y.primario ? -1 : 1;
        if (x.primario == kDigitos) {
            if (x.digitos.size() != y.digitos.size()) return x.digitos.size() < y.digitos.size() ? -1 : 1;
            if (int c = x.digitos.compare(y.digitos)) return c < 0 ? -1 : 1;
        }
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return 0;
}

}  // namespace

bool antesEnEspanol(std::string_view a, std::string_view b)
{
    const std::vector<Elemento> ea = elementos(a), eb = elementos(b);
    if (int c = comparaPrimario(ea, eb)) return c < 0;
    for (bool Elemento::*nivel : {&Elemento::acento, &Elemento::mayuscula})
        for (std::size_t k = 0; k < ea.size(); ++k)
            if (ea[k].*nivel != eb[k].*nivel) return !(ea[k].*nivel);
    return a < b;
}

}  // namespace vadrel
