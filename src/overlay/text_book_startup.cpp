// The saver's text books, in the units the user chose.
#include "overlay/text_book.h"
#include "shell/settings.h"

void loadTextBooks() { loadTextBooks(textBooks, settings::English ? "etext.txt" : "mtext.txt"); }
