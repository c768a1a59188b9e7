#pragma once

// Makes assistive technology read every caption label by its caption exactly,
// also when it is empty or blank, so the lines can be followed number by number.
// (Left alone, an empty label inside a frame would be named after the frame.)
void installCaptionAccessibility();

// Makes assistive technology find a menu that pops up (the window's context
// menu) among the application's windows, as it finds a dialog: Qt leaves
// popups out, so a screen reader walking the tree would miss its items.
// Installed before the application object, so that it is asked first.
void installPopupAccessibility();
