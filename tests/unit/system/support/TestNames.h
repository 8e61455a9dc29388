// Names that no other test run, earlier or at the same time, uses.
#pragma once

#include <string>

std::string UniqueTestSuffix();
