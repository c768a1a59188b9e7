#pragma once

// Makes assistive technology read every caption label by its caption exactly,
// also when it is empty or blank, so the lines can be followed number by number.
// (Left alone, an empty label inside a frame would be named after the frame.)
void installCaptionAccessibility();
