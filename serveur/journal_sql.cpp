// The server's games in SQLite.
#include "journal_sql.h"

#include <QSqlError>
#include <QVariant>
#include <cstdio>
#include <functional>

namespace {

QByteArray Octets(const std::string& texte) {
    return QByteArray::fromStdString(texte);
}

bool Preparer(QSqlQuery& q, const char* sql) {
    return q.prepare(QString::fromUtf8(sql));
}

// A row of "SELECT code, empreinte0, empreinte1, base FROM parties".
PartieEnregistree PartieDe(const QSqlQuery& q) {
    PartieEnregistree p;
    p.code = q.value(0).toString().toStdString();
    p.empreintes[0] = q.value(1).toByteArray().toStdString();
    p.empreintes[1] = q.value(2).toByteArray().toStdString();
    const QByteArray base = q.value(3).toByteArray();
    p.base.assign(base.begin(), base.end());
    return p;
}

// A row of "SELECT code, tics, texte FROM lignes".
LigneEnregistree LigneDe(const QSqlQuery& q) {
    return {q.value(1).toInt(), q.value(2).toString().toStdString()};
}

} // namespace

JournalSql::JournalSql() : nom_(QStringLiteral("ovane-journal")) {}

JournalSql::~JournalSql() {
    ajout_.reset();
    if (base_.isValid()) base_.close();
    base_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(nom_);
}

bool JournalSql::Executer(QSqlQuery& requete) {
    if (requete.exec()) return true;
    static_cast<void>(std::fprintf(stderr, "ovane-serveur: base de données : %s\n",
                                   qPrintable(requete.lastError().text())));
    return false;
}

bool JournalSql::Transaction(const std::function<bool()>& corps) {
    if (!base_.transaction()) return false;
    if (corps() && base_.commit()) return true;
    base_.rollback();
    return false;
}

bool JournalSql::Ouvrir(const QString& fichier, QString& erreur) {
    base_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nom_);
    base_.setDatabaseName(fichier);
    const auto echec = [&](const QString& raison) {
        erreur = QStringLiteral("%1 : %2").arg(fichier, raison);
        return false;
    };
    if (!base_.open()) return echec(base_.lastError().text());
    QSqlQuery q(base_);
    // quick_check reads the whole file: a damaged one is refused before anything is written.
    // The exclusive lock keeps a second server off the same games.
    for (const char* sql :
         {"PRAGMA busy_timeout = 0", "PRAGMA locking_mode = EXCLUSIVE", "PRAGMA quick_check"}) {
        if (!q.exec(QString::fromUtf8(sql))) return echec(q.lastError().text());
        if (q.next() && std::string(sql).find("quick_check") != std::string::npos &&
            q.value(0).toString() != QStringLiteral("ok"))
            return echec(
                QStringLiteral("base de données endommagée (%1)").arg(q.value(0).toString()));
    }
    // WAL: a commit is in the file once write(2) returns, so it survives the process's death.
    for (const char* sql : {
             "PRAGMA journal_mode = WAL",
             "PRAGMA synchronous = NORMAL",
             "CREATE TABLE IF NOT EXISTS parties (code TEXT PRIMARY KEY, empreinte0 BLOB, "
             "empreinte1 BLOB, base BLOB)",
             // No AUTOINCREMENT: its counter is one more page written by every action. A new
             // row's id is above every row left, and Compacter removes all of a game's rows, so
             // a game's rows still come back in their order.
             "CREATE TABLE IF NOT EXISTS lignes (id INTEGER PRIMARY KEY, "
             "code TEXT NOT NULL, tics INTEGER NOT NULL, texte TEXT NOT NULL)",
             "CREATE INDEX IF NOT EXISTS lignes_code ON lignes (code, id)",
         }) {
        if (!q.exec(QString::fromUtf8(sql))) return echec(q.lastError().text());
    }
    return true;
}

bool JournalSql::Charger(std::vector<PartieEnregistree>& parties, QString& erreur) {
    QSqlQuery q(base_);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT code, empreinte0, empreinte1, base FROM parties"))) {
        erreur = q.lastError().text();
        return false;
    }
    std::map<std::string, std::size_t> index;
    while (q.next()) {
        PartieEnregistree p = PartieDe(q);
        index[p.code] = parties.size();
        parties.push_back(std::move(p));
    }
    if (!q.exec(QStringLiteral("SELECT code, tics, texte FROM lignes ORDER BY code, id"))) {
        erreur = q.lastError().text();
        return false;
    }
    while (q.next()) {
        const auto i = index.find(q.value(0).toString().toStdString());
        if (i == index.end()) continue;
        parties[i->second].lignes.push_back(LigneDe(q));
    }
    return true;
}

bool JournalSql::Creer(const std::string& code, int equipe, const std::string& empreinte,
                       const std::string& ligne) {
    return Transaction([&] {
        QSqlQuery q(base_);
        Preparer(q, equipe == 0 ? "INSERT INTO parties (code, empreinte0) VALUES (?, ?)"
                                : "INSERT INTO parties (code, empreinte1) VALUES (?, ?)");
        q.addBindValue(QString::fromStdString(code));
        q.addBindValue(Octets(empreinte));
        return Executer(q) && Ajouter(code, {0, ligne});
    });
}

bool JournalSql::Asseoir(const std::string& code, int equipe, const std::string& empreinte) {
    QSqlQuery q(base_);
    Preparer(q, equipe == 0 ? "UPDATE parties SET empreinte0 = ? WHERE code = ?"
                            : "UPDATE parties SET empreinte1 = ? WHERE code = ?");
    q.addBindValue(Octets(empreinte));
    q.addBindValue(QString::fromStdString(code));
    return Executer(q);
}

bool JournalSql::Ajouter(const std::string& code, const LigneEnregistree& ligne) {
    if (!ajout_) {
        ajout_.emplace(base_);
        if (!Preparer(*ajout_, "INSERT INTO lignes (code, tics, texte) VALUES (?, ?, ?)")) {
            ajout_.reset();
            return false;
        }
    }
    ajout_->bindValue(0, QString::fromStdString(code));
    ajout_->bindValue(1, ligne.tics);
    ajout_->bindValue(2, QString::fromStdString(ligne.texte));
    return Executer(*ajout_);
}

bool JournalSql::Compacter(const std::string& code, const std::vector<std::uint8_t>& base) {
    return Transaction([&] {
        QSqlQuery q(base_);
        Preparer(q, "UPDATE parties SET base = ? WHERE code = ?");
        q.addBindValue(QByteArray(reinterpret_cast<const char*>(base.data()),
                                  static_cast<qsizetype>(base.size())));
        q.addBindValue(QString::fromStdString(code));
        if (!Executer(q)) return false;
        Preparer(q, "DELETE FROM lignes WHERE code = ?");
        q.addBindValue(QString::fromStdString(code));
        return Executer(q);
    });
}

bool JournalSql::Relire(const std::string& code, PartieEnregistree& partie) {
    QSqlQuery q(base_);
    q.setForwardOnly(true);
    Preparer(q, "SELECT code, empreinte0, empreinte1, base FROM parties WHERE code = ?");
    q.addBindValue(QString::fromStdString(code));
    if (!Executer(q) || !q.next()) return false;
    partie = PartieDe(q);
    Preparer(q, "SELECT code, tics, texte FROM lignes WHERE code = ? ORDER BY id");
    q.addBindValue(QString::fromStdString(code));
    if (!Executer(q)) return false;
    while (q.next()) partie.lignes.push_back(LigneDe(q));
    return true;
}
