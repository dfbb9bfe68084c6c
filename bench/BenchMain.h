#pragma once

#include <string>

// Declares that benchmark `measured` should take at most `limit` times the
// time of benchmark `floor`; the shared main prints every ratio after the run.
void expectRatio(const std::string& measured, const std::string& floor, double limit);
