#include "cli/args.hpp"

namespace vadrel::cli {

Args::Args(const std::vector<std::string>& words, const KnownOptions& known)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 1 && w[0] == '-') {
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
