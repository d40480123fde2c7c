// ovane-rejeu: a game script on standard input, the boxes and states it shows on standard output.
#include <iostream>

#include "rejeu.h"

int main() {
    std::ios::sync_with_stdio(false);
    return Rejouer(std::cin, std::cout, std::cerr);
}
