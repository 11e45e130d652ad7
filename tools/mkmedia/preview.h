// The preview sheet: all media as made and as the game shows them, for a person to judge.
#pragma once

#include "tools/mkmedia/font.h"
#include "tools/mkmedia/media.h"

Image makePreview(const Image& sheet, const Image& title, const Image& icon, const BitmapFont& small,
                  const BitmapFont& large);
