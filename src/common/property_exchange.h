#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexa::common {

// `Unicode` travels only between a host and a control, never persisted.
enum class PropertyType : std::uint8_t {
    Bool = 1,
    Short = 2,
    Long = 3,
    String = 4,
    Color = 5,
    Unicode = 6
};

struct PropertyValue {
    PropertyType type = PropertyType::Long;
    std::int32_t number = 0;  // Bool (0/1), Short, Long, Color
    std::string text;         // String
    std::u16string unicode{};  // Unicode (UTF-16)

    bool operator==(const PropertyValue&) const = default;
};

// Persisted properties by name, in the order they were written.
class PropertyMap {
public:
    const PropertyValue* Find(std::string_view name) const;
    void Set(std::string_view name, PropertyValue value);
    const std::vector<std::pair<std::string, PropertyValue>>& Items() const { return items_; }
    void Clear() { items_.clear(); }

private:
    std::vector<std::pair<std::string, PropertyValue>> items_;
};

// The exchange of a control's persistent properties with its container, in
// one direction. Loading with no stored value keeps the member unless a
// default is given; saving always writes.
class PropertyExchange {
public:
    virtual ~PropertyExchange() = default;
    virtual bool IsLoading() const = 0;

    void Bool(std::string_view name, bool& value, std::optional<bool> fallback = std::nullopt);
    void Short(std::string_view name, std::int16_t& value,
               std::optional<std::int16_t> fallback = std::nullopt);
    void Long(std::string_view name, std::int32_t& value,
              std::optional<std::int32_t> fallback = std::nullopt);
    void String(std::string_view name, std::string& value,
                std::optional<std::string> fallback = std::nullopt);
    void Color(std::string_view name, std::uint32_t& value,
               std::optional<std::uint32_t> fallback = std::nullopt);

protected:
    // The stored value converted to `type`; nullopt when absent or not
    // convertible.
    virtual std::optional<PropertyValue> Read(std::string_view name, PropertyType type) = 0;
    virtual void Write(std::string_view name, const PropertyValue& value) = 0;
};

// An exchange with a PropertyMap (tests, and the stream format below).
class MapExchange : public PropertyExchange {
public:
    MapExchange(PropertyMap& map, bool loading) : map_(map), loading_(loading) {}
    bool IsLoading() const override { return loading_; }

protected:
    std::optional<PropertyValue> Read(std::string_view name, PropertyType type) override;
    void Write(std::string_view name, const PropertyValue& value) override;

private:
    PropertyMap& map_;
    bool loading_;
};

// The stream format of the persisted properties: "VXP1", a 32-bit count,
// then each property as an archive string name, a type byte and a 4-byte
// little-endian number or an archive string.
std::string EncodeProperties(const PropertyMap& map);
// nullopt when the data is not in that format or is cut short.
std::optional<PropertyMap> DecodeProperties(std::string_view bytes);
// The number of bytes EncodeProperties wrote at the start of `bytes`, for
// readers that must stop at the end of the block; 0 when malformed.
std::size_t EncodedSize(std::string_view bytes);

}  // namespace vexa::common
