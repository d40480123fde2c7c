// A window without pixels.
#include "vue_memoire.h"

void VueMemoire::AfficherPanneau(Panneau panneau, const std::string& texte) {
    Panneaux[static_cast<std::size_t>(panneau)] = texte;
}

void VueMemoire::DefinirJauge(int maximum, int progression, const std::string& bulle) {
    MaximumJauge = maximum;
    ProgressionJauge = progression;
    BulleJauge = bulle;
}

void VueMemoire::Message(const std::string& texte, const std::string& titre, Icone icone) {
    if (SurMessage) SurMessage(texte, titre, icone);
}
