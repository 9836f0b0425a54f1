#pragma once
// A test's own hold on a library the driver also loads: the library stays in
// memory (with its state) while the driver loads and unloads it, and the
// test reaches its extra entry points.
#include "platform/Bibliotheque.h"

#include <stdexcept>
#include <string>

class BibliothequeTest {
public:
    explicit BibliothequeTest(std::string chemin) : chemin_(std::move(chemin))
    {
        handle_ = plateforme::chargeBibliotheque(chemin_);
    }
    ~BibliothequeTest()
    {
        if (handle_ != nullptr)
            plateforme::libereBibliotheque(handle_);
    }
    BibliothequeTest(const BibliothequeTest&) = delete;
    BibliothequeTest& operator=(const BibliothequeTest&) = delete;

    bool chargee() const { return handle_ != nullptr; }
    const std::string& chemin() const { return chemin_; }

    template <typename F>
    F fonction(const char* nom) const
    {
        F f = plateforme::procedure<F>(handle_, nom);
        if (f == nullptr)
            throw std::runtime_error(std::string("entry point missing: ") + nom);
        return f;
    }

private:
    std::string chemin_;
    plateforme::HandleBibliotheque handle_ = nullptr;
};
