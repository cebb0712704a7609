#include "report/report_signer.hpp"

#include <fstream>
#include <sstream>
#include <system_error>

#include "core/failure.hpp"
#include "core/file_io.hpp"
#include "core/platform/system_errors.hpp"
#include "core/platform/user_folders.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::report {

namespace {

// One "key=value" line each: a person may read and mend the file by hand.
struct Clave {
    const char* nombre;
    std::string FirmaInforme::*campo;
};
constexpr Clave kClaves[] = {
    {"autor", &FirmaInforme::autor},
    {"colegiado", &FirmaInforme::colegiado},
    {"cliente", &FirmaInforme::cliente},
    {"situacion", &FirmaInforme::situacion},
};

// A value on one line: a line break typed or pasted would start a key.
std::string enUnaLinea(const std::string& valor)
{
    std::string out;
    for (char c : valor) out += (c == '\n' || c == '\r') ? ' ' : c;
    return out;
}

}  // namespace

std::filesystem::path archivoFirma()
{
    const std::filesystem::path carpeta = platform::userConfigFolder();
    return carpeta.empty() ? carpeta : carpeta / "vadrel" / "informe.conf";
}

FirmaInforme leeFirma(const std::filesystem::path& archivo)
{
    FirmaInforme firma;
    if (archivo.empty()) return firma;
    std::ifstream in(archivo, std::ios::binary);
    std::string linea;
    while (std::getline(in, linea)) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        const std::size_t igual = linea.find('=');
        if (igual == std::string::npos) continue;
        for (const Clave& c : kClaves)
            if (linea.compare(0, igual, c.nombre) == 0) firma.*c.campo = linea.substr(igual + 1);
    }
    return firma;
}

void guardaFirma(const std::filesystem::path& archivo, const FirmaInforme& firma)
{
    if (archivo.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(archivo.parent_path(), error);
    if (error)
        throw Failure("Error. No se ha podido crear la carpeta " + utf8Of(archivo.parent_path()) + ": " +
                      systemReason(error) + ".");
    std::ostringstream texto;
    for (const Clave& c : kClaves) texto << c.nombre << '=' << enUnaLinea(firma.*c.campo) << '\n';
    writeFileAtomically(archivo, texto.str());
}

}  // namespace vadrel::report
