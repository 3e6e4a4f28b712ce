// The drawings that the reference documents show, painted for print.
#pragma once

#include <QImage>

namespace figures {

// Each drawing is an image whose device pixel ratio makes its logical size its printed size at
// 96 dpi, the unit of lengths in a QTextDocument; a document shows it as <img src="NAME">.

// The four-arm bridge: source with EMF E and internal resistance r, the rheostat, the key K,
// the arms Rx, Rм, Rл, Rп and the galvanometer G across the diagonal.
QImage bridgeSchematic(int dpi); // bridge-schematic

// The slide wire seen from above: the wire along its ruler, the slider, the two arms l and L − l.
QImage slideWireSketch(int dpi); // slide-wire-sketch

} // namespace figures
