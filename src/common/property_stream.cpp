#include "common/property_exchange.h"
#include "defaults/archive_bytes.h"

namespace vexa::common {

namespace {

constexpr std::string_view kMagic = "VXP1";

using defaults::AppendArchiveString;
using defaults::AppendLe;

std::optional<PropertyMap> Decode(std::string_view bytes, std::size_t* used) {
    defaults::ArchiveReader r(bytes);
    std::uint32_t count = 0;
    if (!r.Skip(kMagic) || !r.Le(count, 4)) return std::nullopt;
    PropertyMap map;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name;
        std::uint32_t type = 0;
        if (!r.String(name) || !r.Le(type, 1)) return std::nullopt;
        PropertyValue v;
        v.type = static_cast<PropertyType>(type);
        if (v.type == PropertyType::String) {
            if (!r.String(v.text)) return std::nullopt;
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
    AppendLe(out, static_cast<std::uint32_t>(map.Items().size()), 4);
    for (const auto& [name, v] : map.Items()) {
        AppendArchiveString(out, name);
        AppendLe(out, static_cast<std::uint32_t>(v.type), 1);
        if (v.type == PropertyType::String)
            AppendArchiveString(out, v.text);
        else
            AppendLe(out, static_cast<std::uint32_t>(v.number), 4);
    }
    return out;
}

std::optional<PropertyMap> DecodeProperties(std::string_view bytes) { return Decode(bytes, nullptr); }

std::size_t EncodedSize(std::string_view bytes) {
    std::size_t used = 0;
    return Decode(bytes, &used) ? used : 0;
}

}  // namespace vexa::common
