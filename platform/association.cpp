// File-type registration.
#include "association.h"

QString Association::CommandeOuvrir(const QString& programme) {
    QString chemin = programme;
    chemin.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QStringLiteral("\"%1\" \"%2\"").arg(chemin, QStringLiteral("%1"));
}

static bool EcrireCles(RegistreClasses& registre, const QString& programme) {
    using namespace Association;
    if (!registre.CleExiste(Extension) && !registre.EcrireValeur(Extension, Classe)) return false;
    if (registre.CleExiste(Classe)) return true;
    return registre.EcrireValeur(Classe, Description) &&
           registre.EcrireValeur(Classe + QStringLiteral("\\DefaultIcon"),
                                 programme + QStringLiteral(",0")) &&
           registre.EcrireValeur(Classe + CleCommande, CommandeOuvrir(programme));
}

void EnregistrerTypeFichier(RegistreClasses& registre, const QString& programme,
                            const std::function<void(const QString&)>& signaler) {
    if (!registre.Ouvrir()) {
        signaler(Association::MemoireInsuffisante);
        return;
    }
    const bool cles = EcrireCles(registre, programme);
    if (!registre.Fermer() || !cles) signaler(Association::EchecMiseAJour);
}
