// Prints how the library's 8x8 font writes a text: one line per pixel row,
// '#' where the text is drawn and '.' elsewhere. The end-to-end tests compare
// these masks with the pixels they read back from the game's window.
#include <allegro.h>

#include <cerrno>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: text_mask TEXT\n");
        return 2;
    }
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    BITMAP* canvas = create_bitmap(text_length(font, argv[1]), text_height(font));
    clear_bitmap(canvas);
    textout_ex(canvas, font, argv[1], 0, 0, makecol(255, 255, 255), -1);
    for (int y = 0; y < canvas->h; y++) {
        for (int x = 0; x < canvas->w; x++) std::putchar(getpixel(canvas, x, y) ? '#' : '.');
        std::putchar('\n');
    }
    destroy_bitmap(canvas);
    return 0;
}
END_OF_MAIN()
