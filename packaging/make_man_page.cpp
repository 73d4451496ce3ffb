// Writes the manual page korvex(1) from the same table as `korvex --help`.
// Usage: kvx-make-man-page VERSION DATE > korvex.1
#include <iostream>

#include "app/help_text.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kvx-make-man-page VERSION DATE\n";
        return 2;
    }
    std::cout << kvx::app::manPage(argv[1], argv[2]);
    return std::cout.good() ? 0 : 1;
}
