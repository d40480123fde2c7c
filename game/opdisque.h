// The common base of the stored records.
#pragma once

#include <cstdio>

// Both operations work on an open file handle at its current position and return 1 when every
// field was transferred, 0 at the first failure (the handle is then left wherever it stopped).
class opdisque {
public:
    virtual ~opdisque() = default;
    virtual int Lire(std::FILE* f) = 0;
    virtual int Ecrire(std::FILE* f) const = 0;

protected:
    opdisque() = default;
    opdisque(const opdisque&) = default;
    opdisque& operator=(const opdisque&) = default;
};
