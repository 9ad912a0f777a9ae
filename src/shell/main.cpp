// The vantorel program.
#include <string>
#include <vector>

#include "shell/entry.h"

int main(int argc, char** argv) { return vantorelMain(std::vector<std::string>(argv, argv + argc)); }
