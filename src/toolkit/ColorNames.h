// The names a window description source may give a colour instead of a number:
// the sixteen basic colours and the system colours (clBtnFace, clWindowText, ...).
#pragma once

#include <optional>
#include <string>

#include "toolkit/Color.h"

std::optional<TColor> ColorByName(const std::string& name);
