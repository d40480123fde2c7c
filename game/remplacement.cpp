// Replacing a file whole.
#include "remplacement.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closing or removing after a failure keeps the failure's reason for the caller.
void Fermer(int descripteur) {
    const int erreur = errno;
    ::close(descripteur);
    errno = erreur;
}

void Supprimer(const std::string& chemin) {
    const int erreur = errno;
    ::unlink(chemin.c_str());
    errno = erreur;
}

std::string Dossier(const std::string& chemin) {
    const auto barre = chemin.find_last_of('/');
    if (barre == std::string::npos) return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

// The file a path names once its symbolic links are followed, one after the other.
bool SuivreLiens(std::string chemin, std::string& cible) {
    for (int sauts = 0; sauts < 40; ++sauts) {
        struct stat etat {};
        if (::lstat(chemin.c_str(), &etat) != 0 || !S_ISLNK(etat.st_mode)) {
            cible = chemin;
            return true;
        }
        char lien[PATH_MAX];
        const ssize_t n = ::readlink(chemin.c_str(), lien, sizeof lien);
        if (n <= 0 || static_cast<std::size_t>(n) == sizeof lien) {
            if (n >= 0) errno = ENAMETOOLONG;
            return false;
        }
        const std::string suite(lien, static_cast<std::size_t>(n));
        chemin = suite.front() == '/' ? suite : Dossier(chemin) + '/' + suite;
    }
    errno = ELOOP;
    return false;
}

// The permissions of the file being replaced, or none for a new file. A file that nobody may
// write stays read-only, for an administrator too.
bool Permissions(const std::string& cible, std::optional<mode_t>& mode) {
    struct stat etat {};
    if (::lstat(cible.c_str(), &etat) != 0) return errno == ENOENT;
    if (!S_ISREG(etat.st_mode)) {
        errno = S_ISDIR(etat.st_mode) ? EISDIR : EPERM;
        return false;
    }
    if ((etat.st_mode & 0222) == 0) {
        errno = EACCES;
        return false;
    }
    if (::faccessat(AT_FDCWD, cible.c_str(), W_OK, AT_EACCESS) != 0) return false;
    mode = etat.st_mode & 0777;
    return true;
}

// The name the new file takes just before the rename: the same for each target, so that the one
// left by a save killed between the two steps is found and removed by the next save.
std::string NomTemporaire(const std::string& cible) {
    const std::string dossier = Dossier(cible);
    std::uint64_t h = 14695981039346656037u;
    for (const char c : cible.substr(cible.find_last_of('/') + 1))
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211u;
    char nom[32];
    std::snprintf(nom, sizeof nom, "/.ovane-%016llx", static_cast<unsigned long long>(h));
    return dossier + nom;
}

// A file without a name when the file system offers one, so that a killed save leaves nothing;
// otherwise a new file under the temporary name.
int OuvrirTemporaire(const std::string& dossier, const std::string& temporaire, bool& anonyme) {
    const int descripteur = ::open(dossier.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    anonyme = descripteur >= 0;
    if (anonyme || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return descripteur;
    return ::open(temporaire.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
}

bool Nommer(int descripteur, const std::string& temporaire) {
    const std::string anonyme = "/proc/self/fd/" + std::to_string(descripteur);
    return ::linkat(AT_FDCWD, anonyme.c_str(), AT_FDCWD, temporaire.c_str(), AT_SYMLINK_FOLLOW) ==
           0;
}

// The new name has to survive a power cut as well as the content. A file system that cannot
// sync a folder says so with EINVAL, which is no failure of the save.
bool SynchroniserDossier(const std::string& dossier) {
    const int descripteur = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descripteur < 0) return false;
    const bool ok = ::fsync(descripteur) == 0 || errno == EINVAL;
    Fermer(descripteur);
    return ok;
}

// Writes, syncs and, for a file without a name, names it; closes it in every case.
Sauvegarde EcrireTemporaire(int descripteur, bool anonyme, const std::string& temporaire,
                            const std::function<bool(std::FILE*)>& ecrire) {
    std::FILE* f = ::fdopen(descripteur, "wb");
    if (!f) {
        Fermer(descripteur);
        return Sauvegarde::Creation;
    }
    Sauvegarde resultat = Sauvegarde::Reussie;
    if (!ecrire(f) || std::fflush(f) != 0 || ::fsync(descripteur) != 0)
        resultat = Sauvegarde::Donnees;
    else if (anonyme && !Nommer(descripteur, temporaire))
        resultat = Sauvegarde::Creation;
    const int erreur = errno;
    if (std::fclose(f) != 0 && resultat == Sauvegarde::Reussie) return Sauvegarde::Donnees;
    errno = erreur;
    return resultat;
}

} // namespace

Sauvegarde RemplacerFichier(const std::string& chemin,
                            const std::function<bool(std::FILE*)>& ecrire) {
    std::string cible;
    std::optional<mode_t> mode;
    if (!SuivreLiens(chemin, cible) || !Permissions(cible, mode)) return Sauvegarde::Creation;
    const std::string dossier = Dossier(cible);
    const std::string temporaire = NomTemporaire(cible);
    ::unlink(temporaire.c_str());
    bool anonyme = false;
    const int descripteur = OuvrirTemporaire(dossier, temporaire, anonyme);
    if (descripteur < 0) return Sauvegarde::Creation;
    if (mode) ::fchmod(descripteur, *mode);
    const Sauvegarde ecriture = EcrireTemporaire(descripteur, anonyme, temporaire, ecrire);
    if (ecriture != Sauvegarde::Reussie) {
        Supprimer(temporaire);
        return ecriture;
    }
    if (::rename(temporaire.c_str(), cible.c_str()) != 0) {
        Supprimer(temporaire);
        return Sauvegarde::Creation;
    }
    return SynchroniserDossier(dossier) ? Sauvegarde::Reussie : Sauvegarde::Donnees;
}
