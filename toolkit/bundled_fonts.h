// Fonts the program carries where the system may lack them.
#pragma once

/**
 * Registers every font built into the program under ":/fonts" with the application's font
 * database, once. The Windows build carries the Liberation faces its artwork names; the Debian
 * build carries none and takes them from the system, so there it does nothing.
 * Returns how many fonts this process has registered.
 */
int loadBundledFonts();
