// The command line shared by the generator programs:
//
//   PROGRAM RECIPES OUTDIR [NAME...]
//
// reads the recipe file, makes the named recipes (every recipe when none is
// named) and writes each as OUTDIR/NAME. Exit status 0 on success, 1 with a
// message on stderr when a recipe or a write fails, 2 for a bad command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "param_file.h"

namespace datagen {

// Makes the file content of one recipe; false with a message on failure.
using RecipeMaker = bool (*)(Recipe& recipe, std::vector<std::uint8_t>& bytes, std::string& error);

int runGenerator(int argc, char** argv, RecipeMaker make);

}  // namespace datagen
