// The drawings that the reference documents show, painted for print.
#pragma once

#include <QImage>
#include <QString>

namespace figures {

// A drawing that a document refers to by name, as in <img src="bridge-schematic">.
struct Figure {
    QString name;
    QImage image; // its device pixel ratio makes the image's logical size its printed size at 96 dpi
};

// The four-arm bridge: source with EMF E and internal resistance r, the rheostat, the key K,
// the arms Rx, Rм, Rл, Rп and the galvanometer G across the diagonal.
Figure bridgeSchematic(int dpi);

// The slide wire seen from above: the wire along its ruler, the slider, the two arms l and L − l.
Figure slideWireSketch(int dpi);

} // namespace figures
