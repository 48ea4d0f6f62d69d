// The embedded tutorial pictures by number.
#include "app/tutorial_pictures.h"

extern "C" const unsigned char tutorial_picture_1[], tutorial_picture_2[], tutorial_picture_3[];
extern "C" const unsigned long tutorial_picture_1_size, tutorial_picture_2_size, tutorial_picture_3_size;

EmbeddedFile TutorialPicture(int number) {
  switch (number) {
    case 1: return {tutorial_picture_1, tutorial_picture_1_size};
    case 2: return {tutorial_picture_2, tutorial_picture_2_size};
    case 3: return {tutorial_picture_3, tutorial_picture_3_size};
    default: return {nullptr, 0};
  }
}
