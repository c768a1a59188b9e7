#pragma once

#include <QIcon>
#include <QImage>

// The program's icon: a yellow ball with a number on it. One drawing serves
// the window's 32 x 32 icon and the desktop's icons of every size.

// The design at `size` pixels square. At 32 it is drawn without smoothing, so
// it keeps to a handful of colours, as a 256-colour icon must.
QImage dravaIconImage(int size);

// The window's icon, drawn here so the program needs no image files.
QIcon dravaIcon();
