#pragma once
// The logo and background pictures are files of the menu folder, named
// without a path. A name that holds a folder separator or a drive (or
// stream) colon, or that is made of dots and blanks alone (which the system
// takes for the folder itself or its parent), reaches outside that folder:
// the menu file reader refuses a file that stores one, so the writer stores
// none and the main window's picture fields take none.

// Null when name can be stored (an empty name names no picture); otherwise
// why it cannot, as a phrase for a message ("it holds a colon, ...").
const char* PictureNameFault(const char* name);
