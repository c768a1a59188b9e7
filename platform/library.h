#pragma once

#include <QLibrary>

// A function of a C library that is loaded at its first use, not at start-up:
// the window's first frame needs neither the print system nor the sound
// server. Typed from the library's own header; null when the library or the
// function is missing.
#define DRAVA_FUNCTION(library, function) reinterpret_cast<decltype(&function)>((library).resolve(#function))
