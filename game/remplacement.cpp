// Replacing a file whole.
#include "remplacement.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The new file's name until the rename: this prefix, then 16 hexadecimal digits drawn per save.
constexpr std::string_view PrefixeTemporaire = ".ovane-";
constexpr int ChiffresTemporaire = 16;
// What a killed save left is removed once this old: a younger one may be a save under way.
constexpr std::time_t AgeDesRestes = 60;
// Names drawn before giving up, should each be taken.
constexpr int EssaisDeNom = 16;

// Closing or removing after a failure keeps the failure's reason for the caller.
void Fermer(int descripteur) {
    const int erreur = errno;
    ::close(descripteur);
    errno = erreur;
}

void Supprimer(int dossier, const std::string& nom) {
    const int erreur = errno;
    ::unlinkat(dossier, nom.c_str(), 0);
    errno = erreur;
}

// A descriptor that closes itself.
class Descripteur {
public:
    explicit Descripteur(int valeur) : valeur_(valeur) {}
    ~Descripteur() {
        if (valeur_ >= 0) Fermer(valeur_);
    }
    Descripteur(const Descripteur&) = delete;
    Descripteur& operator=(const Descripteur&) = delete;

    int Valeur() const { return valeur_; }

private:
    int valeur_;
};

std::string Dossier(const std::string& chemin) {
    const auto barre = chemin.find_last_of('/');
    if (barre == std::string::npos) return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

std::string NomDansLeDossier(const std::string& chemin) {
    return chemin.substr(chemin.find_last_of('/') + 1);
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
        chemin = suite.front() == '/' ? suite : Dossier(chemin).append(1, '/').append(suite);
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

bool NomTemporaire(std::string& nom) {
    std::uint64_t hasard = 0;
    if (::getrandom(&hasard, sizeof hasard, 0) != static_cast<ssize_t>(sizeof hasard)) return false;
    constexpr std::string_view Chiffres = "0123456789abcdef";
    nom = PrefixeTemporaire;
    for (int i = ChiffresTemporaire - 1; i >= 0; --i) nom += Chiffres[(hasard >> (4 * i)) & 0xF];
    return true;
}

bool EstTemporaire(std::string_view nom) {
    if (nom.size() != PrefixeTemporaire.size() + ChiffresTemporaire ||
        nom.substr(0, PrefixeTemporaire.size()) != PrefixeTemporaire)
        return false;
    return nom.find_first_not_of("0123456789abcdef", PrefixeTemporaire.size()) ==
           std::string_view::npos;
}

// Draws names until nommer succeeds with one, or fails for another reason than a taken name. nom
// holds the name given, or stays empty: a name that was taken is another save's, never removed.
template <class Nommer> bool SousUnNomLibre(std::string& nom, Nommer nommer) {
    std::string essai;
    for (int i = 0; i < EssaisDeNom; ++i) {
        if (!NomTemporaire(essai)) return false;
        if (nommer(essai)) {
            nom = essai;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

// Removes what saves killed between naming their new file and the rename left in the folder,
// once old enough.
void RetirerRestes(int dossier) {
    timespec maintenant{};
    if (::clock_gettime(CLOCK_REALTIME, &maintenant) != 0) return;
    // The listing reads through a descriptor of its own, which closedir closes.
    const int lecture = ::openat(dossier, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lecture < 0) return;
    DIR* liste = ::fdopendir(lecture);
    if (liste == nullptr) return Fermer(lecture);
    while (const dirent* entree = ::readdir(liste)) {
        struct stat etat {};
        if (EstTemporaire(entree->d_name) &&
            ::fstatat(dossier, entree->d_name, &etat, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(etat.st_mode) && etat.st_mtim.tv_sec + AgeDesRestes < maintenant.tv_sec)
            ::unlinkat(dossier, entree->d_name, 0);
    }
    ::closedir(liste);
}

// A file without a name when the file system offers one, so that a killed save leaves nothing
// most of the time; otherwise a new file under a name of its own, given in nom.
int OuvrirTemporaire(int dossier, std::string& nom, bool& anonyme) {
    const int descripteur = ::openat(dossier, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    anonyme = descripteur >= 0;
    if (anonyme || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return descripteur;
    int nomme = -1;
    SousUnNomLibre(nom, [&](const std::string& essai) {
        nomme = ::openat(dossier, essai.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        return nomme >= 0;
    });
    return nomme;
}

// Gives the file without a name one in the folder, its own.
bool Nommer(int descripteur, int dossier, std::string& nom) {
    const std::string anonyme = "/proc/self/fd/" + std::to_string(descripteur);
    return SousUnNomLibre(nom, [&](const std::string& essai) {
        return ::linkat(AT_FDCWD, anonyme.c_str(), dossier, essai.c_str(), AT_SYMLINK_FOLLOW) == 0;
    });
}

// Writes, syncs and, for a file without a name, names it; closes it in every case.
Sauvegarde EcrireTemporaire(int descripteur, bool anonyme, int dossier, std::string& nom,
                            const std::function<bool(std::FILE*)>& ecrire) {
    std::FILE* f = ::fdopen(descripteur, "wb");
    if (!f) {
        Fermer(descripteur);
        return Sauvegarde::Creation;
    }
    Sauvegarde resultat = Sauvegarde::Reussie;
    if (!ecrire(f) || std::fflush(f) != 0 || ::fsync(descripteur) != 0)
        resultat = Sauvegarde::Donnees;
    else if (anonyme && !Nommer(descripteur, dossier, nom))
        resultat = Sauvegarde::Creation;
    const int erreur = errno;
    if (std::fclose(f) != 0 && resultat == Sauvegarde::Reussie) return Sauvegarde::Donnees;
    errno = erreur;
    return resultat;
}

// Everything from the new file to the rename, relative to the open folder.
Sauvegarde Remplacer(int dossier, const std::string& cible, std::optional<mode_t> mode,
                     const std::function<bool(std::FILE*)>& ecrire) {
    RetirerRestes(dossier);
    std::string nom;
    bool anonyme = false;
    const int descripteur = OuvrirTemporaire(dossier, nom, anonyme);
    if (descripteur < 0) return Sauvegarde::Creation;
    Sauvegarde resultat = Sauvegarde::Reussie;
    if (mode && ::fchmod(descripteur, *mode) != 0) {
        Fermer(descripteur);
        resultat = Sauvegarde::Creation;
    } else {
        resultat = EcrireTemporaire(descripteur, anonyme, dossier, nom, ecrire);
    }
    if (resultat == Sauvegarde::Reussie &&
        ::renameat(dossier, nom.c_str(), dossier, NomDansLeDossier(cible).c_str()) != 0)
        resultat = Sauvegarde::Creation;
    if (resultat != Sauvegarde::Reussie && !nom.empty()) Supprimer(dossier, nom);
    return resultat;
}

} // namespace

Sauvegarde RemplacerFichier(const std::string& chemin,
                            const std::function<bool(std::FILE*)>& ecrire) {
    std::string cible;
    std::optional<mode_t> mode;
    if (!SuivreLiens(chemin, cible) || !Permissions(cible, mode)) return Sauvegarde::Creation;
    // The folder first: one that cannot be opened to be synced fails the save before anything
    // is touched, and every name after is short, relative to it.
    const Descripteur dossier(::open(Dossier(cible).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dossier.Valeur() < 0) return Sauvegarde::Creation;
    const Sauvegarde resultat = Remplacer(dossier.Valeur(), cible, mode, ecrire);
    if (resultat != Sauvegarde::Reussie) return resultat;
    // The file is in place: the save has taken place, whatever the folder's sync then says. The
    // sync makes the new name survive a power cut as well as the content.
    static_cast<void>(::fsync(dossier.Valeur()));
    return Sauvegarde::Reussie;
}
