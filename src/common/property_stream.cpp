#include "common/property_exchange.h"

namespace vexa::common {

namespace {

constexpr std::string_view kMagic = "VXP1";

void Le(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Str(std::string& out, std::string_view s) {
    std::size_t n = s.size();
    if (n < 0xFF) {
        Le(out, static_cast<std::uint32_t>(n), 1);
    } else if (n < 0xFFFE) {
        Le(out, 0xFF, 1);
        Le(out, static_cast<std::uint32_t>(n), 2);
    } else {
        Le(out, 0xFF, 1);
        Le(out, 0xFFFF, 2);
        Le(out, static_cast<std::uint32_t>(n), 4);
    }
    out.append(s);
}

class Reader {
public:
    explicit Reader(std::string_view b) : b_(b) {}
    bool Le(std::uint32_t& v, int n) {
        if (b_.size() - pos_ < static_cast<std::size_t>(n)) return false;
        v = 0;
        for (int i = 0; i < n; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b_[pos_ + i])) << (8 * i);
        pos_ += n;
        return true;
    }
    bool Str(std::string& s) {
        std::uint32_t n = 0;
        if (!Le(n, 1)) return false;
        if (n == 0xFF && (!Le(n, 2) || (n == 0xFFFF && !Le(n, 4)))) return false;
        if (n > b_.size() - pos_) return false;
        s.assign(b_.substr(pos_, n));
        pos_ += n;
        return true;
    }
    bool Magic() {
        if (b_.substr(0, kMagic.size()) != kMagic) return false;
        pos_ = kMagic.size();
        return true;
    }
    std::size_t Position() const { return pos_; }

private:
    std::string_view b_;
    std::size_t pos_ = 0;
};

std::optional<PropertyMap> Decode(std::string_view bytes, std::size_t* used) {
    Reader r(bytes);
    std::uint32_t count = 0;
    if (!r.Magic() || !r.Le(count, 4)) return std::nullopt;
    PropertyMap map;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name;
        std::uint32_t type = 0;
        if (!r.Str(name) || !r.Le(type, 1)) return std::nullopt;
        PropertyValue v;
        v.type = static_cast<PropertyType>(type);
        if (v.type == PropertyType::String) {
            if (!r.Str(v.text)) return std::nullopt;
        } else if (type >= 1 && type <= 5) {
            std::uint32_t n = 0;
            if (!r.Le(n, 4)) return std::nullopt;
            v.number = static_cast<std::int32_t>(n);
        } else {
            return std::nullopt;
        }
        map.Set(name, std::move(v));
    }
    if (used) *used = r.Position();
    return map;
}

}  // namespace

std::string EncodeProperties(const PropertyMap& map) {
    std::string out(kMagic);
    Le(out, static_cast<std::uint32_t>(map.Items().size()), 4);
    for (const auto& [name, v] : map.Items()) {
        Str(out, name);
        Le(out, static_cast<std::uint32_t>(v.type), 1);
        if (v.type == PropertyType::String)
            Str(out, v.text);
        else
            Le(out, static_cast<std::uint32_t>(v.number), 4);
    }
    return out;
}

std::optional<PropertyMap> DecodeProperties(std::string_view bytes) { return Decode(bytes, nullptr); }

std::size_t EncodedSize(std::string_view bytes) {
    std::size_t used = 0;
    return Decode(bytes, &used) ? used : 0;
}

}  // namespace vexa::common
