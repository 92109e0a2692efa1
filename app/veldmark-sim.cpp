// Headless simulator: plays series of computer-only games and writes their statistics.
#include <iostream>
#include <string>
#include <vector>

#include "sim/argumente.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return vm::SimProgramm(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
