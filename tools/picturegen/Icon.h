// The program icon: a glowing blue tile with a camera lens, at 16, 32 and 48 pixels.
#pragma once

#include <string>

// Writes the icon file (32-bit images with alpha); throws EOutputError (OutputFile.h)
// when it cannot be written.
void WriteProgramIcon(const std::string& path);
