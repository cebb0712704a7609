#pragma once
// The order in which a Spanish reader expects names: letters without regard
// to case or accents ("Ávila" right after "avila"), "ñ" as the letter after
// "n", and runs of digits by their value ("parcela2" before "parcela10"),
// as the file dialogs list them.

#include <string_view>

namespace vadrel {

// True when `a` comes before `b`. Names equal in that order fall back to
// unaccented before accented, lower case before upper case, then bytes, so
// that the order is total.
bool antesEnEspanol(std::string_view a, std::string_view b);

}  // namespace vadrel
