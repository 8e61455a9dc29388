// What the kit's report says of the machine it ran on: the Windows version and
// build, the bitness of Windows and of the test programs, the code pages, the
// screen's DPI and the message font, which decide how the installer's text looks.
#pragma once

#include <string>

// Lines "Name: value" ending in CRLF, in UTF-8. Call after SetProcessDPIAware, so that
// the DPI and the font are the screen's, not a scaled 96-DPI view.
std::string DescribeSystem();

// Whether this process runs with administrator rights (elevated).
bool RunsElevated();
