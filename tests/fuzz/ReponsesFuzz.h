#pragma once
// The answers of a hostile library, taken from the fuzz input in call order.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace fuzz {

class TReponses {
public:
    void donne(const uint8_t* o, size_t n)
    {
        octets_.assign(o, o + n);
        lu_ = 0;
    }
    bool epuisees() const { return lu_ >= octets_.size(); }
    uint8_t octet() { return lu_ < octets_.size() ? octets_[lu_++] : 0; }
    uint16_t mot16()
    {
        const uint16_t bas = octet();
        return uint16_t(bas | uint16_t(octet()) << 8);
    }
    uint32_t mot32()
    {
        const uint32_t bas = mot16();
        return bas | uint32_t(mot16()) << 16;
    }
    double reelBrut()
    {
        const uint64_t bas = mot32();
        const uint64_t bits = bas | uint64_t(mot32()) << 32;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // Some bytes straight into a record, zeros once the answers run out.
    void copie(uint8_t* destination, size_t n)
    {
        for (size_t i = 0; i < n; ++i)
            destination[i] = octet();
    }

private:
    std::vector<uint8_t> octets_;
    size_t lu_ = 0;
};

} // namespace fuzz
