// Headless simulator: plays series of computer-only games.
#include <iostream>
#include <string>
#include <vector>

#include "sim/serie.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << "veldmark-sim [--players N] [--games G] [--seed S] [--strategies a,b,c,d] [--money m1,m2,m3,m4]\n"
                     "             [--roles r1,r2,r3,r4] [--variants v1,v2,v3] [--trace FILE]\n";
        return 0;
    }
    vm::SimArgumente a = vm::ParseSimArgumente(args);
    if (!a.ok) {
        std::cerr << "veldmark-sim: " << a.fehler << '\n';
        return 2;
    }
    return vm::SimLaufen(a.opt, std::cout, std::cerr);
}
