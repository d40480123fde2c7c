// Transfer of one little-endian field of a stored record: exactly its width, or a failure.
#pragma once

#include <cstdint>
#include <cstdio>
#include <type_traits>

template <class T> int LireChamp(std::FILE* f, T& valeur) {
    static_assert(std::is_integral_v<T>);
    unsigned char octets[sizeof(T)];
    if (std::fread(octets, 1, sizeof(T), f) != sizeof(T)) return 0;
    std::make_unsigned_t<T> brut = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        brut |= static_cast<std::make_unsigned_t<T>>(octets[i]) << (8 * i);
    valeur = static_cast<T>(brut);
    return 1;
}

template <class T> int EcrireChamp(std::FILE* f, T valeur) {
    static_assert(std::is_integral_v<T>);
    const auto brut = static_cast<std::make_unsigned_t<T>>(valeur);
    unsigned char octets[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i)
        octets[i] = static_cast<unsigned char>(brut >> (8 * i));
    return std::fwrite(octets, 1, sizeof(T), f) == sizeof(T) ? 1 : 0;
}
