// vt_picturegen: paints the pictures of the data archive from their recipes
// (data/generate/pictures.txt).
#include "generator_main.h"
#include "picture_recipes.h"

int main(int argc, char** argv) { return datagen::runGenerator(argc, argv, datagen::makePictureFile); }
