// Lines out of a byte stream.
#include "lignes.h"

bool LecteurLignes::Ajouter(std::string_view octets) {
    while (!tropLongue_ && !octets.empty()) {
        const auto fin = octets.find('\n');
        courante_.append(octets.substr(0, fin));
        // One byte of slack for the CR that a line may end with.
        tropLongue_ = courante_.size() > longueurMax_ + 1;
        if (tropLongue_ || fin == std::string_view::npos) break;
        if (!courante_.empty() && courante_.back() == '\r') courante_.pop_back();
        if (courante_.size() > longueurMax_) {
            tropLongue_ = true;
            break;
        }
        taille_ += courante_.size();
        pretes_.push_back(std::move(courante_));
        courante_.clear();
        octets.remove_prefix(fin + 1);
    }
    if (tropLongue_) courante_.clear();
    return !tropLongue_;
}

std::optional<std::string> LecteurLignes::Suivante() {
    if (premiere_ == pretes_.size()) return std::nullopt;
    std::string ligne = std::move(pretes_[premiere_++]);
    if (premiere_ == pretes_.size()) {
        pretes_.clear();
        premiere_ = 0;
    }
    taille_ -= ligne.size();
    return ligne;
}
