// The classes root on a freedesktop desktop. The keys are kept in a small file of their own;
// when access is released after a change, they are made real for the desktop: a shared MIME
// package for the extension, a desktop entry whose Exec is the open command, that entry as the
// type's default application, the icon in the hicolor theme, then the caches refreshed.
#pragma once

#include <QImage>
#include <QMap>

#include "registre.h"

class RegistreXdg : public RegistreClasses {
public:
    // donnees: $XDG_DATA_HOME; config: $XDG_CONFIG_HOME; icone: shown for saved games.
    RegistreXdg(QString donnees, QString config, QImage icone);
    // The folders from the environment, with their freedesktop defaults.
    static RegistreXdg DepuisEnvironnement(QImage icone);

    bool Ouvrir() override;
    bool CleExiste(const QString& cle) const override { return cles_.contains(cle); }
    bool EcrireValeur(const QString& cle, const QString& valeur) override;
    // False when the association could not be made real: a file that could not be written.
    bool Fermer() override;

    // The desktop entry's Exec line for an open command made of a quoted program path and a
    // quoted "%1", with the escapes that desktop entries require.
    static QString ExecDepuisCommande(const QString& commande);

    static inline const QString TypeMime = QStringLiteral("application/x-ovane");
    static inline const QString Identifiant = QStringLiteral("org.ovane.Ovane");

private:
    QString FichierCles() const;
    bool SauverCles() const;
    bool Materialiser() const;
    bool EcrireApplication(const QString& commande) const;

    QString donnees_;
    QString config_;
    QImage icone_;
    QMap<QString, QString> cles_;
    bool modifie_ = false;
};
