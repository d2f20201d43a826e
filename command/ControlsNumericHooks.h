#pragma once
// Gives the common controls (controls/) the program-wide number format: their numeric edits and angle
// fields show and read numbers in the active document's notation.

void RegisterControlsNumericHooks();
