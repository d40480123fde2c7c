// Cuts a byte stream into lines ended by LF, a CR before the LF dropped, and never holds more
// than one line's limit of a line that does not end.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class LecteurLignes {
public:
    explicit LecteurLignes(std::size_t longueurMax) : longueurMax_(longueurMax) {}

    // Adds bytes; false once a line has passed the limit, after which nothing more is read.
    bool Ajouter(std::string_view octets);
    std::optional<std::string> Suivante();
    bool TropLongue() const { return tropLongue_; }
    // Bytes held: the lines not yet taken and the start of the next one.
    std::size_t Taille() const { return taille_ + courante_.size(); }

private:
    std::size_t longueurMax_;
    std::string courante_;
    // The lines not yet taken, from premiere_ on: a vector, since an empty deque already holds
    // half a kilobyte, on every connection at rest.
    std::vector<std::string> pretes_;
    std::size_t premiere_ = 0;
    std::size_t taille_ = 0;
    bool tropLongue_ = false;
};
