// skelda-app: the simulated tracking application (see app/app_commands.h for its words).
#include <iostream>
#include <string>
#include <vector>

#include "sim/app/app_commands.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return simapp::runProgram(args, std::cin, std::cout);
}
