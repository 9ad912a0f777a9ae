// The entry point: run mode from the command line, settings, monitors, the
// data directory, and dispatch to the saver run, dialog, preview or the
// offline renderer.
#pragma once

#include <string>
#include <vector>

int vantorelMain(const std::vector<std::string>& args);
