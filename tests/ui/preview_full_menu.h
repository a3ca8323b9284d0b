#pragma once
// A full menu at 1024 x 768, as the benchmark paints it: 36 boxes with
// edge width 3, 50 text lines, 36 menu entries of which 12 use the text of
// the background picture, the countdown and the progress bar.
#include "ui/back_image.h"

void BuildFullMenu();

// A 1024 x 768 background in which the image-text entries find their
// normal colours; ReleaseBackImage frees it.
BackImage MakeFullMenuBackground();
