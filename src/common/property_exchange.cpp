#include "common/property_exchange.h"

namespace vexa::common {

const PropertyValue* PropertyMap::Find(std::string_view name) const {
    for (const auto& [n, v] : items_)
        if (n == name) return &v;
    return nullptr;
}

void PropertyMap::Set(std::string_view name, PropertyValue value) {
    for (auto& [n, v] : items_) {
        if (n == name) {
            v = std::move(value);
            return;
        }
    }
    items_.emplace_back(std::string(name), std::move(value));
}

void PropertyExchange::Bool(std::string_view name, bool& value, std::optional<bool> fallback) {
    if (!IsLoading()) return Write(name, {PropertyType::Bool, value ? 1 : 0, {}});
    if (auto v = Read(name, PropertyType::Bool)) value = v->number != 0;
    else if (fallback) value = *fallback;
}

void PropertyExchange::Short(std::string_view name, std::int16_t& value,
                             std::optional<std::int16_t> fallback) {
    if (!IsLoading()) return Write(name, {PropertyType::Short, value, {}});
    if (auto v = Read(name, PropertyType::Short)) value = static_cast<std::int16_t>(v->number);
    else if (fallback) value = *fallback;
}

void PropertyExchange::Long(std::string_view name, std::int32_t& value,
                            std::optional<std::int32_t> fallback) {
    if (!IsLoading()) return Write(name, {PropertyType::Long, value, {}});
    if (auto v = Read(name, PropertyType::Long)) value = v->number;
    else if (fallback) value = *fallback;
}

void PropertyExchange::String(std::string_view name, std::string& value,
                              std::optional<std::string> fallback) {
    if (!IsLoading()) return Write(name, {PropertyType::String, 0, value});
    if (auto v = Read(name, PropertyType::String)) value = v->text;
    else if (fallback) value = *fallback;
}

void PropertyExchange::Color(std::string_view name, std::uint32_t& value,
                             std::optional<std::uint32_t> fallback) {
    if (!IsLoading())
        return Write(name, {PropertyType::Color, static_cast<std::int32_t>(value), {}});
    if (auto v = Read(name, PropertyType::Color)) value = static_cast<std::uint32_t>(v->number);
    else if (fallback) value = *fallback;
}

std::optional<PropertyValue> MapExchange::Read(std::string_view name, PropertyType type) {
    const PropertyValue* v = map_.Find(name);
    if (v == nullptr) return std::nullopt;
    bool storedText = v->type == PropertyType::String;
    bool wantText = type == PropertyType::String;
    if (storedText != wantText) return std::nullopt;
    PropertyValue out = *v;
    out.type = type;
    return out;
}

void MapExchange::Write(std::string_view name, const PropertyValue& value) { map_.Set(name, value); }

}  // namespace vexa::common
