// A fresh, empty folder for one test, removed with its contents when the test ends.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class DossierTemporaire {
public:
    DossierTemporaire() {
        std::string modele =
            (std::filesystem::temp_directory_path() / "ovane-test-XXXXXX").string();
        // mkdtemp makes a name that no other test or run holds. Without it the tests would write
        // wherever they run: better to stop.
        if (::mkdtemp(modele.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        chemin_ = modele;
    }
    ~DossierTemporaire() {
        std::error_code ignoree;
        std::filesystem::remove_all(chemin_, ignoree);
    }
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    const std::filesystem::path& Chemin() const { return chemin_; }
    std::filesystem::path operator/(const std::string& nom) const { return chemin_ / nom; }

private:
    std::filesystem::path chemin_;
};
