#pragma once
// Command-line options: "--name value", "--flag", "-o value" and plain
// positional words, in the order given; after "--" every word is positional
// (a file named "-x.gml").

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vadrel::cli {

// Bad usage: the command prints the text and its usage, and exits 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct KnownOptions {
    std::set<std::string> withValue;
    std::set<std::string> flags;
};

class Args {
public:
    Args(const std::vector<std::string>& words, const KnownOptions& known);

    bool has(const std::string& name) const;
    // The value of an option given at most once; UsageError when repeated.
    std::optional<std::string> value(const std::string& name) const;
    std::string required(const std::string& name) const;
    const std::vector<std::string>& positional() const { return positional_; }
    // The files the command reads: its positional words and the values of
    // the options that name an input file (--coords, --dxf, --gml, ...).
    std::vector<std::string> entradas() const;
    // Throws Failure when -o (also with `defaultExt` added as the save
    // dialog adds it) or --png names one of the input files.
    void compruebaSalida(const std::string& defaultExt = "") const;
    // Every option in command-line order, for options that may repeat.
    const std::vector<std::pair<std::string, std::string>>& options() const { return options_; }
    // Every value of an option that may repeat, in command-line order.
    std::vector<std::string> all(const std::string& name) const;

private:
    std::vector<std::pair<std::string, std::string>> options_;
    std::vector<std::string> positional_;
};

// "--flecha M": the sagitta in metres (0 or more, "." or ",") within which
// a drawing's arcs become chords; the windows' own without the option.
double flechaDe(const Args& args);

// "--gml a b c" as "--gml a --gml b --gml c" for each option of `lists`,
// so that every file is an option's value.
std::vector<std::string> spreadLists(const std::vector<std::string>& words, const std::set<std::string>& lists);

}  // namespace vadrel::cli
