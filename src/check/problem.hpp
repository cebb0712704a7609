#pragma once
// What a check of a GML file finds: one entry per problem, with where it is
// and what is wrong, in the words the person reads.

#include <string>
#include <vector>

namespace vadrel::check {

enum class Severity {
    Error,    // the cadastre would reject the file
    Warning,  // accepted, but worth a look
};

struct Problem {
    Severity severity = Severity::Error;
    std::string place;    // "parcela 8429105VK1882N, anillo exterior, vértice 3",
                          // "línea 12", "archivo"
    std::string message;  // Spanish, one sentence or two
    // The note that the file could not be checked against the schemas: it
    // comes first, and a check that ends on it is no "sin errores".
    bool schemasUnchecked = false;
};

using Problems = std::vector<Problem>;

inline bool hasErrors(const Problems& problems)
{
    for (const Problem& p : problems)
        if (p.severity == Severity::Error) return true;
    return false;
}

inline bool checkedAgainstSchemas(const Problems& problems)
{
    for (const Problem& p : problems)
        if (p.schemasUnchecked) return false;
    return true;
}

// "lugar: error: mensaje", the form of every line the person sees.
std::string describe(const Problem& problem);

}  // namespace vadrel::check
