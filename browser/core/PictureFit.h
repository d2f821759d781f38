#pragma once
// Pictures as both viewers' windows show them: the path of a record's
// picture, the built-in placeholder, and the rule that fits a picture into
// its box.
#include "platform/forms/Containers.h"
#include "platform/forms/Image.h"
#include "platform/forms/Picture.h"
#include "platform/vb/ErrorTrap.h"

#include <QString>

namespace browser {

// The picture name that replaces one whose folder does not exist.
inline constexpr char16_t kFallbackPictureName[] = u"A99.JPG";

// The built-in placeholder: 480 x 640 pixels, 24 bits, pale yellow (red 255,
// green 255, blue 128) with "NO PICTURE" in black at its centre. Made once.
const forms::Picture& PlaceholderPicture();

// Data folder (ending in "\") + picture folder + picture name, as they are.
QString PicturePath(const QString& dataFolder, const QString& pictureFolder,
                    const QString& pictureName);

// How a picture as high as it is wide is fitted.
enum class SquarePicture {
  NaturalSize,  // keeps its natural size, smaller or larger than the box
  Upright,      // takes the box's height, as an upright picture does
};

// Fits `view` (a stretched image) to a picture of natural size W x H twips
// in `box`: an upright picture takes the box's height, a wide one its width,
// the other side in proportion; then the view is centred, overhanging the
// box where it must (negative Left or Top). Each quotient is multiplied on
// unrounded and only results are stored, as single-precision twips. Every
// assignment is one statement of `trap`.
void FitPicture(vb::ErrorTrap& trap, forms::Image& view, const forms::PictureBox& box, float W,
                float H, SquarePicture square);

}  // namespace browser
