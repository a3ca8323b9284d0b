#pragma once
// Layout numbers are 96-DPI design pixels; on the screen they become
// value * pixelsPerInch / 96 in integer arithmetic, truncated toward zero.

inline int ScaleDesignPixels(int value, int pixelsPerInch) { return value * pixelsPerInch / 96; }
