#pragma once

// Screen readers announce the picture widgets as what they are: a
// PictureBox holding a picture and a Shape as named images, the running dog
// as an animation, an answer's feedback as a notification. Each of those widgets installs this on construction.
namespace AccessiblePicture {

void Install();

}  // namespace AccessiblePicture
