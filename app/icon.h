#pragma once

#include <QIcon>

// The window's 32 x 32 icon: a yellow ball with a number on it, drawn here so
// the program needs no image files.
QIcon dravaIcon();
