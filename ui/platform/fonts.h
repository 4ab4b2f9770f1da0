#pragma once

// The windows ask for the Windows fonts the program was designed with ("Tahoma", "Courier New",
// ...); this maps each to an installed family of the same kind, so that the program looks right
// on a desktop that has only the DejaVu fonts. Call once, after the application object exists
// and before the first window is built.
void InstallFontSubstitutions();
