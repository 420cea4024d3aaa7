#pragma once

// Names that a screen reader announces for the controls, in the interface
// language, given as Active Accessibility annotations: what is drawn and the
// window texts stay as they are.

// Names every control for the current language; again after each switch.
void ApplyAccessibleNames();

// Lets go of the annotation service at the end of the program.
void ReleaseAccessibleNames();
