#pragma once

#include <initializer_list>
#include <utility>

class QTableView;

// Rows as high as the view's font, and each column given as wide as the
// widest text it may hold, or its heading. From the font, not from the rows:
// measuring thousands of rows at every change of the log would hold up the
// window's thread. Called again when the font changes.
void fitToFont(QTableView *view, std::initializer_list<std::pair<int, const char *>> widest);
