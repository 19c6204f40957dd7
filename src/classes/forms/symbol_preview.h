// A piece symbol shown in a form's preview box, on the form colour.
#pragma once

class QLabel;

// Shows piece symbol `symbol` (of the largest zoom) centred in the label; an unknown symbol
// leaves the box empty.
void show_piece_symbol_preview(QLabel* box, int symbol);
