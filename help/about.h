// The About text and the Authors credits.
#pragma once

#include <QString>

/** The eleven lines of the About box, joined by CR LF. */
QString aboutText();

/** The six lines of the Authors window, lines 1–5 filled to 36 characters, joined by CR LF. */
QString authorsText();
