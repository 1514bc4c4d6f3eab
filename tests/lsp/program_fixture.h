// The Korvel program the language-server tests edit: two sections, two macros, a timer,
// an algorithm command without parameters and one analog assignment. It translates
// without messages.
#pragma once

#include <string>

namespace vestrel::lsp::testing {

inline const std::string kPump =
    "Насосная станция\n"        // 0
    "/насос дв001\n"            // 1
    "/пуск вд001\n"             // 2
    "000. Управление насосом\n" // 3
    "00 если в пуск\n"          // 4
    "01 тогда в насос\n"        // 5
    "02 иначе о насос\n"        // 6
    "03 тм01 = 00.00.10\n"      // 7
    "04 алг170\n"               // 8
    "001. Вторая секция\n"      // 9
    "00 ив01 = ва001 + 5\n";    // 10

}  // namespace vestrel::lsp::testing
