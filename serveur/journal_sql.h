// The server's games in an SQLite database: every line of every stream is committed before it
// is sent, so a server killed at any moment restarts with every action a player saw.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <optional>
#include <vector>

#include "reseau/journal.h"

class JournalSql : public Journal {
public:
    JournalSql();
    ~JournalSql() override;
    JournalSql(const JournalSql&) = delete;
    JournalSql& operator=(const JournalSql&) = delete;

    // Opens or creates the database, checks it and takes it for this process alone. On failure,
    // the reason names the file; nothing in it was changed.
    bool Ouvrir(const QString& fichier, QString& erreur);
    // Every game kept; false (with the reason) when the database cannot be read.
    bool Charger(std::vector<PartieEnregistree>& parties, QString& erreur);

    bool Creer(const std::string& code, int equipe, const std::string& empreinte,
               const std::string& ligne) override;
    bool Asseoir(const std::string& code, int equipe, const std::string& empreinte) override;
    bool Ajouter(const std::string& code, const LigneEnregistree& ligne) override;
    bool Compacter(const std::string& code, const std::vector<std::uint8_t>& base) override;
    bool Relire(const std::string& code, PartieEnregistree& partie) override;

private:
    bool Executer(QSqlQuery& requete);
    bool Transaction(const std::function<bool()>& corps);

    QString nom_;
    QSqlDatabase base_;
    // The statement of every action, parsed once: SQLite's parser was a visible part of an
    // action's cost.
    std::optional<QSqlQuery> ajout_;
};
