// The classes root of the desktop's configuration registry: keys by path, each with a default
// string value. The game registers its saved-game file type there.
#pragma once

#include <QMap>
#include <QString>

class RegistreClasses {
public:
    virtual ~RegistreClasses() = default;
    // Access to the registry; false when there is not enough memory for it.
    virtual bool Ouvrir() = 0;
    virtual bool CleExiste(const QString& cle) const = 0;
    // Creates the key if needed and sets its default value; false when that fails.
    virtual bool EcrireValeur(const QString& cle, const QString& valeur) = 0;
    // Releases the access; whatever was written takes effect on the desktop here. False when it
    // could not.
    virtual bool Fermer() = 0;
};

// A registry in memory, for tests; it can refuse access or writes.
class RegistreMemoire : public RegistreClasses {
public:
    QMap<QString, QString> Cles;
    bool RefuserAcces = false;
    bool RefuserEcritures = false;
    int Fermetures = 0;

    bool Ouvrir() override { return !RefuserAcces; }
    bool CleExiste(const QString& cle) const override { return Cles.contains(cle); }
    bool EcrireValeur(const QString& cle, const QString& valeur) override;
    bool Fermer() override {
        ++Fermetures;
        return true;
    }
};
