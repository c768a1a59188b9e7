#pragma once

class QWidget;

// Puts a picture of the window on the clipboard, its frame and title bar
// included where the window system draws them: what Alt+Print Screen does.
void snapshotToClipboard(QWidget *window);
