#include <iostream>
#include <string>
#include <vector>

#include "sim/demo/report_program.h"

int main(int argc, char** argv) {
    return demoreport::runReportProgram(std::vector<std::string>(argv + 1, argv + argc), std::cout);
}
