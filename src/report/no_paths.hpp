#pragma once
// The client's document names no folder or file of the machine it was made
// on: the person's home, the temporary folders and the schemas' cache are
// nobody else's business, and a path says nothing to the client.

#include <string>
#include <string_view>
#include <vector>

namespace vadrel::report {

// `texto` without its local paths: each one left out, "en RUTA" said as
// "en este equipo". A path is a word that starts as one ("/", "~/",
// "file:", "C:\"), or holds one of `raices` (absolute paths) or the
// person's home or temporary folder, which may hold blanks; the words
// with a "/" right after one are its own. Addresses ("http://...") stay.
std::string sinRutas(std::string_view texto, const std::vector<std::string>& raices = {});

}  // namespace vadrel::report
