#pragma once

// Reads a family's glyph map (family/fonts/<family>/<family>.map.json) far
// enough to name the glyph behind each (code, font digit) pair a converter
// gives, so that tests speak of glyphs ("kabeng", "rephbeng") and never of
// the codes the generator chose.

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vexa::test {

// A JSON value: just what the maps use.
struct JsonValue {
    enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject } kind = Kind::kNull;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;   // array items, or object values
    std::vector<std::string> keys;  // object keys, parallel to items

    const JsonValue* Find(const std::string& key) const {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == key) return &items[i];
        }
        return nullptr;
    }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& s) : s_(s) {}

    bool Read(JsonValue& out) {
        const bool ok = Value(out);
        Space();
        return ok && p_ == s_.size();
    }

private:
    void Space() {
        while (p_ < s_.size() &&
               (s_[p_] == ' ' || s_[p_] == '\n' || s_[p_] == '\r' || s_[p_] == '\t'))
            ++p_;
    }

    bool String(std::string& out) {
        if (s_[p_] != '"') return false;
        for (++p_; p_ < s_.size() && s_[p_] != '"'; ++p_) {
            if (s_[p_] != '\\') {
                out += s_[p_];
                continue;
            }
            if (++p_ >= s_.size()) return false;
            const char e = s_[p_];
            if (e == 'u') {
                if (p_ + 4 >= s_.size()) return false;
                const unsigned long cp = std::strtoul(s_.substr(p_ + 1, 4).c_str(), nullptr, 16);
                p_ += 4;
                if (cp < 0x80) {
                    out += static_cast<char>(cp);
                } else if (cp < 0x800) {
                    out += static_cast<char>(0xC0 | (cp >> 6));
                    out += static_cast<char>(0x80 | (cp & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (cp >> 12));
                    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (cp & 0x3F));
                }
            } else {
                out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            }
        }
        if (p_ >= s_.size()) return false;
        ++p_;
        return true;
    }

    bool Value(JsonValue& v) {
        Space();
        if (p_ >= s_.size()) return false;
        const char c = s_[p_];
        if (c == '"') {
            v.kind = JsonValue::Kind::kString;
            return String(v.text);
        }
        if (c == '[' || c == '{') {
            const bool object = c == '{';
            v.kind = object ? JsonValue::Kind::kObject : JsonValue::Kind::kArray;
            ++p_;
            Space();
            if (p_ < s_.size() && s_[p_] == (object ? '}' : ']')) {
                ++p_;
                return true;
            }
            for (;;) {
                Space();
                if (object) {
                    std::string key;
                    if (p_ >= s_.size() || !String(key)) return false;
                    Space();
                    if (p_ >= s_.size() || s_[p_++] != ':') return false;
                    v.keys.push_back(std::move(key));
                }
                v.items.emplace_back();
                if (!Value(v.items.back())) return false;
                Space();
                if (p_ >= s_.size()) return false;
                if (s_[p_] == ',') {
                    ++p_;
                    continue;
                }
                if (s_[p_] != (object ? '}' : ']')) return false;
                ++p_;
                return true;
            }
        }
        for (const char* word : {"true", "false", "null"}) {
            const std::string w(word);
            if (s_.compare(p_, w.size(), w) == 0) {
                v.kind = w == "null" ? JsonValue::Kind::kNull : JsonValue::Kind::kBool;
                v.number = w == "true" ? 1 : 0;
                p_ += w.size();
                return true;
            }
        }
        char* end = nullptr;
        v.kind = JsonValue::Kind::kNumber;
        v.number = std::strtod(s_.c_str() + p_, &end);
        if (end == s_.c_str() + p_) return false;
        p_ = static_cast<std::size_t>(end - s_.c_str());
        return true;
    }

    const std::string& s_;
    std::size_t p_ = 0;
};

// The glyph names of one converter library's codes.
class FamilyMap {
public:
    // family: the folder name under family/fonts; library: "BNBCV32.DLL".
    FamilyMap(const std::string& family, const std::string& library) {
        std::ifstream in(std::string(VEXA_SOURCE_DIR) + "/family/fonts/" + family + "/" + family +
                         ".map.json");
        std::stringstream text;
        text << in.rdbuf();
        const std::string json = text.str();
        JsonValue root;
        if (!JsonReader(json).Read(root)) return;
        const JsonValue* glyphs = root.Find("glyphs");
        const JsonValue* faces = root.Find("faces");
        const JsonValue* converters = root.Find("converters");
        if (!glyphs || !faces || !converters) return;
        for (const JsonValue& conv : converters->items) {
            const JsonValue* file = conv.Find("file");
            const JsonValue* fonts = conv.Find("fonts");
            if (!file || file->text != library || !fonts) continue;
            for (std::size_t i = 0; i < fonts->keys.size(); ++i) {
                const char digit = fonts->keys[i][0];
                for (const JsonValue& face : faces->items) {
                    const JsonValue* name = face.Find("face");
                    const JsonValue* codes = face.Find("codes");
                    if (!name || name->text != fonts->items[i].text || !codes) continue;
                    for (std::size_t k = 0; k < codes->keys.size(); ++k) {
                        const auto glyph = static_cast<std::size_t>(std::stoul(codes->keys[k]));
                        const auto code = static_cast<int>(codes->items[k].number);
                        if (glyph < glyphs->items.size()) {
                            if (const JsonValue* n = glyphs->items[glyph].Find("name")) {
                                names_[{code, digit}] = n->text;
                            }
                        }
                    }
                }
            }
            loaded_ = true;
        }
    }

    bool Loaded() const { return loaded_; }

    // The glyph names of a converter's output ("?" for a code of no glyph).
    std::vector<std::string> Names(const std::string& pairs) const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
            auto it = names_.find({static_cast<unsigned char>(pairs[i]), pairs[i + 1]});
            out.push_back(it == names_.end() ? "?" : it->second);
        }
        return out;
    }

private:
    std::map<std::pair<int, char>, std::string> names_;
    bool loaded_ = false;
};

}  // namespace vexa::test
